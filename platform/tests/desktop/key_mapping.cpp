#include "key_mapping.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace quorla_desktop {

bool BindKeysyms(const std::string& display, const std::vector<unsigned>& keysyms) {
  std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)> connection(
      xcb_connect(display.c_str(), nullptr), xcb_disconnect);
  if (xcb_connection_has_error(connection.get())) return false;
  const xcb_setup_t* setup = xcb_get_setup(connection.get());
  const int first = setup->min_keycode;
  const int count = setup->max_keycode - setup->min_keycode + 1;
  std::unique_ptr<xcb_get_keyboard_mapping_reply_t, decltype(&std::free)> mapping(
      xcb_get_keyboard_mapping_reply(connection.get(),
                                     xcb_get_keyboard_mapping(connection.get(), setup->min_keycode, count), nullptr),
      &std::free);
  if (!mapping) return false;
  const int perKey = mapping->keysyms_per_keycode;
  const xcb_keysym_t* table = xcb_get_keyboard_mapping_keysyms(mapping.get());
  const auto rowOf = [&](int index) { return table + index * perKey; };
  const auto bound = [&](unsigned keysym) {
    return std::any_of(table, table + count * perKey, [&](xcb_keysym_t k) { return k == keysym; });
  };
  // Free keycodes from the top, where xdotool looks last for its own.
  int index = count - 1;
  for (const unsigned keysym : keysyms) {
    if (bound(keysym)) continue;
    while (index >= 0 && std::any_of(rowOf(index), rowOf(index) + perKey, [](xcb_keysym_t k) { return k != 0; }))
      --index;
    if (index < 0) return false;
    std::vector<xcb_keysym_t> row(static_cast<size_t>(perKey), 0);
    row[0] = keysym;
    if (perKey > 1) row[1] = keysym;
    xcb_change_keyboard_mapping(connection.get(), 1, static_cast<xcb_keycode_t>(first + index),
                                static_cast<uint8_t>(perKey), row.data());
    --index;
  }
  // A round trip: the server has taken every change before this returns.
  std::free(xcb_get_input_focus_reply(connection.get(), xcb_get_input_focus(connection.get()), nullptr));
  return !xcb_connection_has_error(connection.get());
}

}  // namespace quorla_desktop
