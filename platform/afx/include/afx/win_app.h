#pragma once
// CWinApp: the one application object of a program, and the program's start.
//
// The program defines one object of a class derived from CWinApp as a
// static object, and its main() hands over to AfxWinMain:
//
//   CMyApp theApp;
//   int main() { return AfxWinMain(GetModuleHandleW(nullptr), nullptr, GetCommandLineW(), SW_SHOWNORMAL); }
//
// Static objects are therefore all built (in static initialisation) before
// AfxWinMain calls InitInstance. InitInstance FALSE ends the program through
// the ordinary exit with code -1 (static objects are torn down). TRUE runs
// the message loop (Run); without a main window the loop ends at once with
// code 0; otherwise it runs until WM_QUIT (whose wParam is the exit code),
// which the destruction of the main window posts.
//
// The loop offers every message to PreTranslateMessage before it is
// translated and dispatched; so do the framework's modal loops (CDialog).
// The application object is used on the user-interface thread only.
#include "afx/string.h"
#include "afx/wnd.h"
#include "win/messages.h"

class CWinApp {
 public:
  // appName null: the program file's name.
  explicit CWinApp(LPCWSTR appName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance();
  virtual int Run();
  // The message's window and its parents (and owners) up to the main window
  // each get CWnd::PreTranslateMessage, innermost first; a message of a
  // window outside the main window's tree (another top-level window) goes
  // to the main window's as well. TRUE swallows the message.
  virtual BOOL PreTranslateMessage(MSG* msg);
  // Called when the loop finds its queue empty; count says how often in a
  // row. Frees the temporary objects. FALSE: no further idle work.
  virtual BOOL OnIdle(LONG count);
  // The loop's exit code (0 before the loop ran).
  virtual int ExitInstance();

  // Takes one message and gives it to PreTranslateMessage, then translates
  // and dispatches it; FALSE at WM_QUIT.
  BOOL PumpMessage();
  CWnd* GetMainWnd() const { return m_pMainWnd; }
  // Kept as the application's registry key name.
  void SetRegistryKey(LPCWSTR key);

  CWnd* m_pMainWnd = nullptr;
  HINSTANCE m_hInstance = nullptr;
  LPWSTR m_lpCmdLine = nullptr;
  int m_nCmdShow = 0;
  LPCWSTR m_pszAppName = nullptr;
  LPCWSTR m_pszRegistryKey = nullptr;

 protected:
  MSG m_msgCur{};

 private:
  CString appName_;
  CString registryKey_;
};

// Runs the application object: InitInstance, then Run. -1 without an
// application object or when InitInstance fails.
int AfxWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int showCommand);

CWinApp* AfxGetApp();
// The application's main window, or null.
CWnd* AfxGetMainWnd();
// The program's instance (also before AfxWinMain runs).
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
LPCWSTR AfxGetAppName();
// Initialises OLE for the calling thread (OleInitialize); FALSE on failure.
BOOL AfxOleInit();
// Offers the message to the application's PreTranslateMessage (without an
// application object, to the objects from its window up its parents); the
// step every modal loop of the framework runs first.
BOOL AfxPreTranslateMessage(MSG* msg);
