#pragma once
// Window and thread messages. Every thread that uses messages has one queue
// (made on first use; CreateThread's threads have one from the start).
// Posting never waits. SendMessageW to a window of another thread waits for
// the reply, and meanwhile handles messages sent to the waiting thread, so two
// threads that send to each other do not lock up. GetMessageW, PeekMessageW
// and MsgWaitForMultipleObjects handle messages sent to their thread as well.
// Code that posts does not care whether the receiving thread runs this
// layer's loop or a Qt event loop.
#include "win/geometry.h"
#include "win/types.h"

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
};
using LPMSG = MSG*;

constexpr UINT WM_NULL = 0x0000;
constexpr UINT WM_CREATE = 0x0001;
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_NCCREATE = 0x0081;
constexpr UINT WM_NCDESTROY = 0x0082;
constexpr UINT WM_USER = 0x0400;
constexpr UINT WM_APP = 0x8000;

constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;
constexpr UINT PM_NOYIELD = 0x0002;

constexpr DWORD QS_KEY = 0x0001;
constexpr DWORD QS_MOUSEMOVE = 0x0002;
constexpr DWORD QS_MOUSEBUTTON = 0x0004;
constexpr DWORD QS_POSTMESSAGE = 0x0008;
constexpr DWORD QS_TIMER = 0x0010;
constexpr DWORD QS_PAINT = 0x0020;
constexpr DWORD QS_SENDMESSAGE = 0x0040;
constexpr DWORD QS_HOTKEY = 0x0080;
constexpr DWORD QS_ALLPOSTMESSAGE = 0x0100;
constexpr DWORD QS_MOUSE = QS_MOUSEMOVE | QS_MOUSEBUTTON;
constexpr DWORD QS_INPUT = QS_MOUSE | QS_KEY;
constexpr DWORD QS_ALLEVENTS = QS_INPUT | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_HOTKEY;
constexpr DWORD QS_ALLINPUT = QS_ALLEVENTS | QS_SENDMESSAGE;

// hwnd null posts a thread message to the calling thread. FALSE with
// ERROR_INVALID_WINDOW_HANDLE for a window that is gone.
WINAPI_EXPORT BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// FALSE with ERROR_INVALID_THREAD_ID when the thread has no queue.
WINAPI_EXPORT BOOL PostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
// 0 when the window is gone or its thread ends before replying.
WINAPI_EXPORT LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// hwnd null: every message of the thread; (HWND)-1: thread messages only;
// a window: that window's messages. min = max = 0: every message number.
WINAPI_EXPORT BOOL PeekMessageW(LPMSG msg, HWND hwnd, UINT min, UINT max, UINT removeFlags);
// 0 for WM_QUIT, -1 for a bad window filter, else nonzero.
WINAPI_EXPORT BOOL GetMessageW(LPMSG msg, HWND hwnd, UINT min, UINT max);
// Keyboard translation; nothing to translate for other messages (FALSE).
WINAPI_EXPORT BOOL TranslateMessage(const MSG* msg);
// Calls the procedure of the message's window when that window belongs to
// the calling thread; its result, or 0. An exception thrown by the procedure
// passes through to the caller.
WINAPI_EXPORT LRESULT DispatchMessageW(const MSG* msg);
WINAPI_EXPORT void PostQuitMessage(int exitCode);

// As WaitForMultipleObjects, and WAIT_OBJECT_0 + count as soon as the queue
// holds a message of the kinds in wakeMask (QS_POSTMESSAGE: posted messages
// and the quit request; QS_SENDMESSAGE: messages sent from other threads,
// handled by the next PeekMessageW or GetMessageW). Sent messages outside the
// mask are handled during the wait. count may be 0. Waiting for all objects
// together with messages is not offered (ERROR_INVALID_PARAMETER).
WINAPI_EXPORT DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds,
                                              DWORD wakeMask);
