#pragma once
// The price engine itself (see price_watch_engine.h for what the program
// asks of it). The program keeps one, made by CreatePriceWatchEngine; tests
// make their own with a clock and settings of their choosing.
//
// Locks, never two at once: the queue's and the records' (their own
// classes), and the watch lock, held around every re-read of the file and
// while code uses a record pointer of the watch list (a change, a copy). The
// check worker never holds it during a price check, which downloads.
//
// Lifetime: each worker holds a reference to the engine, so a worker that
// did not end when asked to keeps what it uses; the engine goes when the
// last of its owner and its workers lets go.
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine_lock.h"
#include "engine_seams.h"
#include "parse_queue.h"
#include "parsed_records.h"
#include "shopping/reduce_price_item.h"
#include "win/types.h"

struct CheckWorkerState;
struct IHtmlParser;
struct IReducePriceMgr;
struct IUnknown;

// A browser view as the engine knows it.
struct PriceWatchView {
  const void* view;                 // its identity, posted back with WM_PRICE_PARSED
  std::atomic<uint8_t>* captured;  // its PriceCaptured flag
};

class PriceWatchEngine : public std::enable_shared_from_this<PriceWatchEngine> {
 public:
  struct Options {
    IEngineClock* clock = nullptr;        // null: the system's
    IEngineSettings* settings = nullptr;  // null: the browser's settings file
  };

  // Creates "Vendrix.CHtmlParser" and "Vendrix.CReducePriceMgr" (either may
  // fail and stay null) and starts the parse worker, then the check worker.
  static std::shared_ptr<PriceWatchEngine> Create(const Options& options);
  ~PriceWatchEngine();
  PriceWatchEngine(const PriceWatchEngine&) = delete;
  PriceWatchEngine& operator=(const PriceWatchEngine&) = delete;

  // Views (user-interface thread).
  // Queues the live page of view at url unless the address is watched or
  // the page gives no text.
  void QueueParse(const PriceWatchView& view, LPCWSTR url, IUnknown* document);
  void ForgetView(const void* view);
  bool GetParsedRecord(const void* view, ReducePriceItem* record);

  // The watch list (user-interface thread); as the free functions.
  bool AddWatch(double wishedPrice, ReducePriceItem* record);
  bool RemoveWatch(LPCWSTR url);
  void LoadWatchList(std::vector<ReducePriceItem>* rows);
  bool MovePriceDropThreshold(LPCWSTR url, double shownPrice);
  bool CopyWatchItem(DWORD id, ReducePriceItem* copy);
  DWORD GetWatchCount();

  void SetWindows(HWND mainWindow, HWND popup);
  // Stop flag, then at most 2000 ms for each worker; their handles are
  // closed whether they ended or not. True when both ended.
  bool StopWorkers();

  // For tests: requests waiting, and the engine's shopping objects.
  size_t WaitingRequests() { return m_queue.Size(); }
  IReducePriceMgr* Manager() const { return m_manager; }
  IHtmlParser* Parser() const { return m_parser; }

  // How long StopWorkers waits for each worker.
  static constexpr DWORD kStopWaitMs = 2000;
  // The parse worker's nap while the queue is empty; the check worker's pass.
  static constexpr DWORD kParseIdleMs = 500;
  static constexpr DWORD kCheckPassMs = 1000;

 private:
  explicit PriceWatchEngine(const Options& options);
  void StartWorkers();

  // Workers (worker_*.cpp).
  static DWORD ParseThreadProc(LPVOID engine);
  static DWORD CheckThreadProc(LPVOID engine);
  void ParseWorkerLoop();
  void ParseOne(ParseRequest& request);
  void CheckWorkerLoop();
  void CheckPass(CheckWorkerState& state);
  void RunCheck(CheckWorkerState& state);

  // Every item with the address, found walking the list (watch lock held).
  std::vector<DWORD> IdsWithUrl(LPCWSTR url);
  // Saves and tells the tray program (watch lock held); true when saved.
  bool SaveAndAnnounce();
  bool Stopping() const { return m_stop.load() != 0; }
  HWND MainWindow() const { return m_mainWindow.load(); }

  IHtmlParser* m_parser = nullptr;
  IReducePriceMgr* m_manager = nullptr;
  IEngineClock& m_clock;
  IEngineSettings& m_settings;
  ParseQueue m_queue;
  ParsedRecords m_records;
  EngineLock m_watchLock;
  std::atomic<HWND> m_mainWindow{nullptr};
  std::atomic<HWND> m_popup{nullptr};
  std::atomic<int> m_stop{0};
  HANDLE m_parseThread = nullptr;
  HANDLE m_checkThread = nullptr;
};
