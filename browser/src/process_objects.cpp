#include "process_objects.h"

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

// One plain function per object, as the exit path wants them.
template <std::size_t index>
void TearDown() {
  kObjects[index].teardown();
  if (g_observer) g_observer(kObjects[index].name, false);
}

template <std::size_t... indexes>
void BuildAll(std::index_sequence<indexes...>) {
  auto build = [](const ProcessObject& object, void (*teardown)()) {
    object.build();
    if (g_observer) g_observer(object.name, true);
    std::atexit(teardown);
  };
  (build(kObjects[indexes], &TearDown<indexes>), ...);
}

}  // namespace

void BuildBrowserProcessObjects() {
  static bool built = false;
  if (!std::exchange(built, true)) BuildAll(std::make_index_sequence<std::size(kObjects)>());
}

CString& StartArgument() { return *g_startArgument; }

const CString& StartPageAddress() { return *g_startPage; }

CKQBrowserApp& BrowserApp() { return *g_app; }

void SetProcessObjectObserver(ProcessObjectObserver observer) { g_observer = observer; }
