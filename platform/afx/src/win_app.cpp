#include "afx/win_app.h"

#include "temporary_objects.h"
#include "win/com.h"
#include "win/modules.h"

namespace {

CWinApp* g_app = nullptr;

// The program file's name without its directory and extension.
CString ProgramName() {
  WCHAR path[MAX_PATH] = {};
  DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  CString name(path, static_cast<int>(length < MAX_PATH ? length : 0));
  int slash = name.ReverseFind(u'/');
  name = name.Mid(slash + 1);
  int dot = name.ReverseFind(u'.');
  return dot > 0 ? name.Left(dot) : name;
}

}  // namespace

CWinApp::CWinApp(LPCWSTR appName) : appName_(appName ? CString(appName) : ProgramName()) {
  m_pszAppName = appName_.GetString();
  if (!g_app) g_app = this;
}

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run() {
  if (!m_pMainWnd) return ExitInstance();
  for (;;) {
    MSG waiting;
    for (LONG idle = 0; !::PeekMessageW(&waiting, nullptr, 0, 0, PM_NOREMOVE);) {
      if (!OnIdle(idle++)) break;
    }
    if (!PumpMessage()) break;
  }
  return ExitInstance();
}

BOOL CWinApp::PumpMessage() {
  BOOL got = ::GetMessageW(&m_msgCur, nullptr, 0, 0);
  if (got == 0) return FALSE;
  if (got == -1) return TRUE;
  if (!PreTranslateMessage(&m_msgCur)) {
    ::TranslateMessage(&m_msgCur);
    ::DispatchMessageW(&m_msgCur);
  }
  return TRUE;
}

BOOL CWinApp::PreTranslateMessage(MSG* msg) {
  if (!msg->hwnd) return FALSE;
  HWND mainWindow = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
  bool reachedMain = false;
  if (CWnd::WalkPreTranslateTree(mainWindow, msg, &reachedMain)) return TRUE;
  if (reachedMain || !mainWindow) return FALSE;
  // A message of another top-level window: the main window sees it too.
  return m_pMainWnd->PreTranslateMessage(msg);
}

BOOL CWinApp::OnIdle(LONG) {
  quorla::afx::DeleteTemporaryObjects();
  return FALSE;
}

int CWinApp::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

void CWinApp::SetRegistryKey(LPCWSTR key) {
  registryKey_ = key;
  m_pszRegistryKey = registryKey_.GetString();
}

int AfxWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int showCommand) {
  CWinApp* app = AfxGetApp();
  if (!app) return -1;
  app->m_hInstance = instance ? instance : ::GetModuleHandleW(nullptr);
  app->m_lpCmdLine = commandLine;
  app->m_nCmdShow = showCommand;
  if (!app->InitInstance()) {
    if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd) app->m_pMainWnd->DestroyWindow();
    app->ExitInstance();
    return -1;
  }
  return app->Run();
}

CWinApp* AfxGetApp() { return g_app; }

CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }

HINSTANCE AfxGetInstanceHandle() {
  return g_app && g_app->m_hInstance ? g_app->m_hInstance : ::GetModuleHandleW(nullptr);
}

HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }

LPCWSTR AfxGetAppName() { return g_app ? g_app->m_pszAppName : u""; }

BOOL AfxPreTranslateMessage(MSG* msg) {
  if (g_app) return g_app->PreTranslateMessage(msg);
  return msg->hwnd && CWnd::WalkPreTranslateTree(nullptr, msg);
}

BOOL AfxOleInit() { return SUCCEEDED(::OleInitialize(nullptr)); }
