// Leak reports the tests cannot act on: fontconfig keeps caches for the
// life of the process (the layer's Qt application is never destroyed on
// purpose, so its font database stays loaded too).
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }
