// The browser's window tests open pages, which starts the web engine (Qt
// WebEngine 6.4). Under AddressSanitizer the engine deletes a page through
// a base without a virtual destructor, and it and udev below it keep
// allocations for the life of the process; fontconfig keeps its caches too.
// None of that is ours to mend; every other check stays on, and options
// given in ASAN_OPTIONS are read after these and win.
extern "C" __attribute__((visibility("default"), used)) const char* __asan_default_options() {
  return "new_delete_type_mismatch=0";
}
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
  return "leak:libQt6WebEngineCore\nleak:libudev\nleak:libfontconfig\n";
}
