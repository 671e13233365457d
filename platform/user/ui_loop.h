#pragma once
// What the message loop (GetMessageW, PeekMessageW) asks of the windowing
// part of the layer on each turn. All of it runs on the calling thread, for
// that thread's own windows.
#include <functional>

#include "message_queue.h"

namespace quorla {

// Work the windowing part put off until the thread's loop comes round:
// screen updates of window DCs still held, notifications of changes the
// desktop made (a window moved by the window manager).
void RunLoopTurnWork();

// WM_PAINT for a visible window of the thread whose update region is not
// empty and that passes the filter; the update region stays as it is.
bool TakePaintMessage(DWORD threadId, HWND filter, UINT min, UINT max, MSG* out);

// An input message is being returned to the application: sends the
// WM_SETCURSOR that goes before a mouse message, and keeps a key message's
// text for TranslateMessage.
void NoteInputMessageTaken(const MSG& msg, const InputExtras& extras);

// Whether the calling thread owns the process's Qt application, so that its
// waits must keep Qt's event processing going.
bool ThreadRunsQt();
// Runs Qt's event processing until something is dispatched, the queue's wake
// hook fires or the time-out (INFINITE for none) passes; returns at once when
// ready() holds.
void WaitInQt(ThreadQueue& queue, DWORD milliseconds, const std::function<bool()>& ready);
// Handles the Qt events already waiting, without blocking.
void PumpQt();

}  // namespace quorla
