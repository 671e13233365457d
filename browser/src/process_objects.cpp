#include "process_objects.h"

#include <array>
#include <cstdlib>
#include <iterator>
#include <utility>

#include "browser_app.h"
#include "favourites_list.h"
#include "pricewatch/price_watch_engine.h"
#include "start_page.h"
#include "ui_fonts.h"
#include "vxshared/browser_config.h"

namespace {

ProcessObjectObserver g_observer = nullptr;
CString* g_startArgument = nullptr;
CKQBrowserApp* g_app = nullptr;
CString* g_startPage = nullptr;

struct ProcessObject {
  const char* name;
  void (*build)();
  void (*teardown)();
};

// In the order they are built. Still to take its place: the URL filter set
// after the application object.
constexpr ProcessObject kObjects[] = {
    {"fonts", [] { InitUiFonts(); }, [] { ReleaseUiFonts(); }},
    // The path text belongs to the settings object, which registers its own
    // teardown when InitConfigPath first makes it; it goes right after the
    // objects below.
    {"settings path", [] { InitConfigPath(); }, [] {}},
    // Loads the watch list and starts its two workers, which reach no window
    // until the main window gives its handle; its teardown stops them first.
    {"price engine", [] { CreatePriceWatchEngine(); }, [] { DestroyPriceWatchEngine(); }},
    {"start argument", [] { g_startArgument = new CString; }, [] { delete std::exchange(g_startArgument, nullptr); }},
    {"application", [] { g_app = new CKQBrowserApp; }, [] { delete std::exchange(g_app, nullptr); }},
    {"start page address", [] { g_startPage = new CString(kStartPageAddress); },
     [] { delete std::exchange(g_startPage, nullptr); }},
    {"favourites list", [] { BuildFavouritesList(); }, [] { TearDownFavouritesList(); }},
};

constexpr std::size_t kObjectCount = std::size(kObjects);
bool g_tornDown[kObjectCount] = {};
std::size_t g_builtCount = 0;

// One plain function per object, as the exit path wants them; each object
// goes once, whether the exit or the program's own end takes it first.
template <std::size_t index>
void TearDown() {
  if (std::exchange(g_tornDown[index], true)) return;
  kObjects[index].teardown();
  if (g_observer) g_observer(kObjects[index].name, false);
}

template <std::size_t... indexes>
constexpr auto TeardownsOf(std::index_sequence<indexes...>) {
  return std::array<void (*)(), sizeof...(indexes)>{&TearDown<indexes>...};
}
constexpr auto kTeardowns = TeardownsOf(std::make_index_sequence<kObjectCount>());

void BuildAll() {
  for (std::size_t i = 0; i < kObjectCount; ++i) {
    kObjects[i].build();
    ++g_builtCount;
    if (g_observer) g_observer(kObjects[i].name, true);
    std::atexit(kTeardowns[i]);
  }
}

}  // namespace

void BuildBrowserProcessObjects() {
  static bool built = false;
  if (!std::exchange(built, true)) BuildAll();
}

void TearDownBrowserProcessObjects() {
  for (std::size_t i = g_builtCount; i-- > 0;) kTeardowns[i]();
}

CString& StartArgument() { return *g_startArgument; }

const CString& StartPageAddress() { return *g_startPage; }

CKQBrowserApp& BrowserApp() { return *g_app; }

void SetProcessObjectObserver(ProcessObjectObserver observer) { g_observer = observer; }
