#pragma once
// Message maps: a class lists the messages it handles between BEGIN_MSG_MAP
// and END_MSG_MAP, and the macros expand to its ProcessWindowMessage, which
// returns whether the message was handled and leaves the result in lResult.
//
// Every handler receives the flag bHandled set to TRUE; a handler that
// clears it lets the search go on with the entries below it (and, when none
// takes the message, the window's default processing). Chaining hands the
// message to another map, of a base class (CHAIN_MSG_MAP) or of a member
// (CHAIN_MSG_MAP_MEMBER); the chain ends the search when that map handles
// the message. A class chained to only needs the same function:
//   BOOL ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT& lResult, DWORD msgMapId);
// returning TRUE when it handled the message.
//
// Handler signatures:
//   MESSAGE_HANDLER          LRESULT OnX(UINT message, WPARAM wParam, LPARAM lParam, BOOL& bHandled)
//   COMMAND_ID_HANDLER,
//   COMMAND_HANDLER          LRESULT OnX(WORD notifyCode, WORD id, HWND control, BOOL& bHandled)
#include "win/messages.h"
#include "win/types.h"

namespace ATL {

// The interface of every window and dialog object of this framework: its
// first virtual function is the map's dispatch.
class CMessageMap {
 public:
  virtual BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,
                                    DWORD dwMsgMapID) = 0;
};

namespace detail {
constexpr UINT kCommandMessage = 0x0111;  // WM_COMMAND
inline WORD LowWord(WPARAM value) { return static_cast<WORD>(value & 0xFFFF); }
inline WORD HighWord(WPARAM value) { return static_cast<WORD>((value >> 16) & 0xFFFF); }
}  // namespace detail

}  // namespace ATL

// The class's own map, overriding CMessageMap's dispatch.
#define BEGIN_MSG_MAP(theClass)                                                                         \
 public:                                                                                                \
  BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult,       \
                            DWORD dwMsgMapID = 0) override {                                            \
    BOOL bHandled = TRUE;                                                                               \
    (void)hWnd;                                                                                         \
    (void)uMsg;                                                                                         \
    (void)wParam;                                                                                       \
    (void)lParam;                                                                                       \
    (void)lResult;                                                                                      \
    (void)bHandled;                                                                                     \
    if (dwMsgMapID == 0) {

#define MESSAGE_HANDLER(msg, func)                      \
  if (uMsg == (msg)) {                                  \
    bHandled = TRUE;                                    \
    lResult = func(uMsg, wParam, lParam, bHandled);     \
    if (bHandled) return TRUE;                          \
  }

#define COMMAND_HANDLER(id, code, func)                                                              \
  if (uMsg == ::ATL::detail::kCommandMessage && ::ATL::detail::LowWord(wParam) == (id) &&            \
      ::ATL::detail::HighWord(wParam) == (code)) {                                                   \
    bHandled = TRUE;                                                                                 \
    lResult = func(::ATL::detail::HighWord(wParam), ::ATL::detail::LowWord(wParam),                  \
                   reinterpret_cast<HWND>(lParam), bHandled);                                        \
    if (bHandled) return TRUE;                                                                       \
  }

#define COMMAND_ID_HANDLER(id, func)                                                                 \
  if (uMsg == ::ATL::detail::kCommandMessage && ::ATL::detail::LowWord(wParam) == (id)) {            \
    bHandled = TRUE;                                                                                 \
    lResult = func(::ATL::detail::HighWord(wParam), ::ATL::detail::LowWord(wParam),                  \
                   reinterpret_cast<HWND>(lParam), bHandled);                                        \
    if (bHandled) return TRUE;                                                                       \
  }

#define CHAIN_MSG_MAP(theChainClass)                                                            \
  if (theChainClass::ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, dwMsgMapID)) {  \
    return TRUE;                                                                                \
  }

#define CHAIN_MSG_MAP_MEMBER(theChainMember)                                                    \
  if ((theChainMember).ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult, dwMsgMapID)) { \
    return TRUE;                                                                                \
  }

#define END_MSG_MAP() \
  }                   \
  return FALSE;       \
  }
