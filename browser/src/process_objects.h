#pragma once
// The browser's process-wide objects, which exist before the application
// object runs, in this order: the shared interface fonts, the settings
// path, the price engine, the start argument, the application object, the
// start page address and the favourites list (favourites_list.h) (the URL
// filter set takes its place among them with its part of the program).
//
// BuildBrowserProcessObjects builds them in that order, each registering its
// teardown for the ordinary exit as soon as it exists: they are torn down in
// the reverse order, and only when the process ends through the ordinary
// exit (a browser that opened its window ends by terminating itself, and
// nothing is torn down). C++ orders nothing between source files, so the
// program builds them all from one place, first thing in main. Used on the
// start-up thread; the accessors on the user-interface thread.
#include "afx/string.h"

class CKQBrowserApp;

// Builds the objects once; later calls do nothing.
void BuildBrowserProcessObjects();
// Tears the objects down now, in the reverse order, as the ordinary exit
// would; the exit then leaves them alone. For a program that ends without
// running its libraries' static destructors.
void TearDownBrowserProcessObjects();

// The start argument: empty at first; the application's start sets it and
// the main window's start timer reads and changes it.
CString& StartArgument();
// The page a window opens when it is given no address: one fixed address.
const CString& StartPageAddress();
CKQBrowserApp& BrowserApp();

// For tests that watch the objects come and go: hears each object's name
// once it has been built and once it has been torn down.
using ProcessObjectObserver = void (*)(const char* name, bool built);
void SetProcessObjectObserver(ProcessObjectObserver observer);
