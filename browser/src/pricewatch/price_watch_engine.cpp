// The engine's making, its windows and its end, and the process's engine
// behind the free functions.
#include "price_watch_engine.h"

#include <memory>
#include <utility>

#include "framework/module_loader.h"
#include "price_watch_engine_core.h"
#include "shopping/html_parser.h"
#include "shopping/reduce_price_mgr.h"
#include "win/handles.h"
#include "win/threads.h"
#include "win/waits.h"

PriceWatchEngine::PriceWatchEngine(const Options& options)
    : m_clock(options.clock ? *options.clock : SystemEngineClock()),
      m_settings(options.settings ? *options.settings : BrowserEngineSettings()) {}

std::shared_ptr<PriceWatchEngine> PriceWatchEngine::Create(const Options& options) {
  std::shared_ptr<PriceWatchEngine> engine(new PriceWatchEngine(options));
  if (FAILED(CreateObject<IHtmlParser>(u"Vendrix.CHtmlParser", &engine->m_parser))) engine->m_parser = nullptr;
  // The watch list reads its file when the process first makes it.
  if (FAILED(CreateObject<IReducePriceMgr>(u"Vendrix.CReducePriceMgr", &engine->m_manager)))
    engine->m_manager = nullptr;
  engine->StartWorkers();
  return engine;
}

PriceWatchEngine::~PriceWatchEngine() {
  if (m_manager) m_manager->Release();
  if (m_parser) m_parser->Release();
}

namespace {

using EngineReference = std::shared_ptr<PriceWatchEngine>;

// Starts a worker that holds its own reference to the engine.
HANDLE StartWorker(LPTHREAD_START_ROUTINE procedure, const EngineReference& engine) {
  auto* reference = new EngineReference(engine);
  HANDLE thread = ::CreateThread(nullptr, 0, procedure, reference, 0, nullptr);
  if (!thread) delete reference;
  return thread;
}

// Ends a worker's wait: closes the handle whether or not the worker ended.
bool AwaitWorker(HANDLE& thread, DWORD milliseconds) {
  if (!thread) return true;
  const bool ended = ::WaitForSingleObject(thread, milliseconds) == WAIT_OBJECT_0;
  ::CloseHandle(std::exchange(thread, nullptr));
  return ended;
}

}  // namespace

void PriceWatchEngine::StartWorkers() {
  m_parseThread = StartWorker(&PriceWatchEngine::ParseThreadProc, shared_from_this());
  m_checkThread = StartWorker(&PriceWatchEngine::CheckThreadProc, shared_from_this());
}

DWORD PriceWatchEngine::ParseThreadProc(LPVOID reference) {
  std::unique_ptr<EngineReference> engine(static_cast<EngineReference*>(reference));
  (*engine)->ParseWorkerLoop();
  return 1;
}

DWORD PriceWatchEngine::CheckThreadProc(LPVOID reference) {
  std::unique_ptr<EngineReference> engine(static_cast<EngineReference*>(reference));
  (*engine)->CheckWorkerLoop();
  return 1;
}

void PriceWatchEngine::SetWindows(HWND mainWindow, HWND popup) {
  m_popup.store(popup);
  m_mainWindow.store(mainWindow);
}

bool PriceWatchEngine::StopWorkers() {
  m_stop.store(1);
  // A worker that does not end (a download that hangs) is left running with
  // its reference: the close path ends the process right after.
  const bool parseEnded = AwaitWorker(m_parseThread, kStopWaitMs);
  const bool checkEnded = AwaitWorker(m_checkThread, kStopWaitMs);
  return parseEnded && checkEnded;
}

// The process's engine.

namespace {

// Made and let go on the start-up thread, used on the user-interface thread.
std::shared_ptr<PriceWatchEngine>* g_engine = nullptr;

}  // namespace

void CreatePriceWatchEngine() {
  if (g_engine) return;
  g_engine = new std::shared_ptr<PriceWatchEngine>(PriceWatchEngine::Create({}));
}

void DestroyPriceWatchEngine() {
  if (!g_engine) return;
  (*g_engine)->StopWorkers();
  delete std::exchange(g_engine, nullptr);
}

PriceWatchEngine* ProcessPriceWatchEngine() { return g_engine ? g_engine->get() : nullptr; }

void SetPriceWatchWindows(HWND mainWindow, HWND popup) {
  if (PriceWatchEngine* engine = ProcessPriceWatchEngine()) engine->SetWindows(mainWindow, popup);
}

HRESULT StopPriceWatchWorkers() {
  if (PriceWatchEngine* engine = ProcessPriceWatchEngine()) engine->StopWorkers();
  return S_OK;
}

bool AddWatch(double wishedPrice, ReducePriceItem* record) {
  PriceWatchEngine* engine = ProcessPriceWatchEngine();
  return engine && engine->AddWatch(wishedPrice, record);
}

bool RemoveWatch(LPCWSTR url) {
  PriceWatchEngine* engine = ProcessPriceWatchEngine();
  return engine && engine->RemoveWatch(url);
}

void LoadWatchList(std::vector<ReducePriceItem>* rows) {
  if (PriceWatchEngine* engine = ProcessPriceWatchEngine()) {
    engine->LoadWatchList(rows);
  } else if (rows) {
    rows->clear();
  }
}

bool MovePriceDropThreshold(LPCWSTR url, double shownPrice) {
  PriceWatchEngine* engine = ProcessPriceWatchEngine();
  return engine && engine->MovePriceDropThreshold(url, shownPrice);
}

bool CopyWatchItem(DWORD id, ReducePriceItem* copy) {
  PriceWatchEngine* engine = ProcessPriceWatchEngine();
  return engine && engine->CopyWatchItem(id, copy);
}

DWORD GetWatchCount() {
  PriceWatchEngine* engine = ProcessPriceWatchEngine();
  return engine ? engine->GetWatchCount() : 0;
}
