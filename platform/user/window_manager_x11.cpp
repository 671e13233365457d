// A window manager on X11 says so on the root window: _NET_SUPPORTING_WM_CHECK
// names a window of its own that carries the same property naming itself.
#include <QGuiApplication>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <optional>

#include "window_manager.h"

namespace quorla {
namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  xcb_intern_atom_reply_t* reply =
      xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
  xcb_atom_t atom = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
  std::free(reply);
  return atom;
}

// The window a window's check property names.
std::optional<xcb_window_t> CheckWindowOf(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t check) {
  xcb_get_property_reply_t* reply = xcb_get_property_reply(
      connection, xcb_get_property(connection, 0, window, check, XCB_ATOM_WINDOW, 0, 1), nullptr);
  std::optional<xcb_window_t> named;
  if (reply && reply->type == XCB_ATOM_WINDOW && reply->format == 32 && xcb_get_property_value_length(reply) >= 4)
    named = *static_cast<const xcb_window_t*>(xcb_get_property_value(reply));
  std::free(reply);
  return named;
}

}  // namespace

bool WindowManagerRunning() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return false;
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
  if (!connection) return false;
  const xcb_setup_t* setup = xcb_get_setup(connection);
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
  if (!screens.rem) return false;
  xcb_atom_t check = Atom(connection, "_NET_SUPPORTING_WM_CHECK");
  if (check == XCB_ATOM_NONE) return false;
  std::optional<xcb_window_t> child = CheckWindowOf(connection, screens.data->root, check);
  if (!child) return false;
  // A manager that went away leaves the root's property behind; its window
  // is gone with it.
  std::optional<xcb_window_t> self = CheckWindowOf(connection, *child, check);
  return self && *self == *child;
}

}  // namespace quorla
