#pragma once
// Windows backed by a Qt widget of their own: an edit's text field, a web
// page's view. Everything else on screen is drawn by the layer into its
// top-level window's image; these widgets are the exceptions, where a person
// needs the real thing (input methods, the clipboard, a page engine).
//
// What the layer does for a hosted window, on the thread that runs Qt:
// - Placement. The widget becomes a child of the top-level window's widget,
//   at the window's place and size, shown while the window is visible on
//   screen, and masked where sibling windows above it (or above one of its
//   ancestors) lie, so that what the layer draws there shows over it. The
//   layer follows the window at every turn of the thread's message loop.
// - Input. Qt's mouse, wheel and key events aimed at the widget (or at any
//   widget inside it) become queued messages like any other window's: a
//   pre-translation step sees them and may swallow them. A queued input
//   message that reaches the window's default procedure (DefWindowProcW) is
//   replayed to the widget: the original Qt event when it is the message the
//   loop last took (keys keep their text, scan code and modifiers),
//   otherwise an event made from the message's parameters (a program's own
//   WM_CHAR is typed, a WM_MOUSEWHEEL re-sent to the window is turned).
//   The WM_CHAR that TranslateMessage made from a replayed key is not typed
//   again. Replayed events, and whatever the widget hands on to its parents
//   while it handles one, pass the layer's filter untouched; a wheel that
//   the widget hands to its parents later (unused) is not input either.
//   Input-method events go straight to the widget; keys that reach a widget
//   while it shows an input method's composition, and the Enter that ends
//   one, stay with the widget and never become messages.
// - Capture. The default procedure takes the capture on a button press and
//   releases it when no button is down any more.
// - Focus. The layer's focus window and Qt's focus widget stay one:
//   SetFocus on a hosted window focuses its input widget (SetFocus elsewhere
//   takes Qt's focus off it), and when Qt moves its focus into a hosted
//   widget itself (a click the page handles, a page focusing a field) the
//   layer's focus follows with WM_KILLFOCUS and WM_SETFOCUS at the next turn
//   of the loop. Focus that Qt restores on window activation is not news:
//   the layer's activation decides.
// - No toolkit loops. Context-menu requests to a hosted widget are dropped:
//   no Qt menu runs outside the layer's own loops.
//
// Ownership: the caller keeps the widget. The layer never deletes it: when
// the window is destroyed, or the top-level window's widget goes, the
// widget is hidden and left without a parent. Delete a hosted widget with
// deleteLater() (never inside one of its own event handlers): the layer may
// be replaying an event to it.
#include <QtGlobal>
#include <functional>
#include <string>

#include "win/types.h"

class QEvent;
class QObject;
class QWidget;

namespace quorla {

// Puts widget behind hwnd, a child window of the thread that runs Qt.
// input takes the window's keys and focus (null: the widget itself); mouse
// events go to the widget's deepest child under the pointer, else to input.
// Hosting another widget for the same window replaces the first, which is
// hidden and left without a parent.
WINAPI_EXPORT void HostWidget(HWND hwnd, QWidget* widget, QWidget* input = nullptr);
// The widget that takes the window's keys and focus was replaced (a page
// engine makes a new one); when the window has the focus the new one gets
// Qt's focus at once.
WINAPI_EXPORT void SetHostedInputWidget(HWND hwnd, QWidget* input);
// The window stops being backed by its widget, which is hidden and left
// without a parent.
WINAPI_EXPORT void UnhostWidget(HWND hwnd);
// The widget behind a window, and the one that takes its input; null when
// the window has none.
WINAPI_EXPORT QWidget* HostedWidgetOf(HWND hwnd);
WINAPI_EXPORT QWidget* HostedInputWidgetOf(HWND hwnd);
// Brings one hosted window's widget to its window's place now (the loop does
// it at every turn).
WINAPI_EXPORT void PlaceHostedWidget(HWND hwnd);

// For the rest of the layer.

// Hosts the widget that make returns once the window's top-level window
// shows on screen (a control made before Qt runs); make runs on the
// window's thread, from its loop.
void HostWidgetWhenShown(HWND hwnd, std::function<QWidget*()> make);

// Whether any window is hosted; cheap, any thread.
bool AnyHostedWindow();
// Places every hosted widget of the calling thread (each turn of its loop).
void PlaceHostedWidgets();
// The hosted window whose widget is object or contains it; null for none.
HWND HostedWindowOfObject(QObject* object);
// Whether a replayed event is being delivered on this thread.
bool ReplayingInput();
// Delivers an event to a hosted widget at once, marked as replayed, so that
// what the widget hands on to its parents is no input either.
void PassToWidget(QWidget* target, QEvent* event);
// The top-level window's widget is going: its hosted children leave it.
void ReleaseHostedChildren(QWidget* topLevelWidget);
// Qt's focus follows the layer's focus window (null: no window has it).
void FollowLayerFocus(HWND focus);
// The input filter saw Qt move its focus to widget.
void NoteQtFocusIn(QWidget* widget, int reason);
// The input filter saw an input-method event for a hosted window.
void NoteInputMethodEvent(HWND hwnd, QEvent* event);
// Whether a key event for a hosted window belongs to an input method's
// composition (and must stay with the widget).
bool KeyBelongsToComposition(HWND hwnd, QEvent* event);
// The default procedure's handling of input messages for a hosted window;
// false when hwnd is not hosted or the message is no input.
bool HandleHostedInputByDefault(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
// The text the key of a WM_KEYDOWN types when its original event is kept
// (the message the loop last took); false otherwise.
bool KeptKeyText(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, std::u16string* text);

}  // namespace quorla
