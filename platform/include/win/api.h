#pragma once
// Marks the functions and data the platform layer exports. Everything else in
// the layer, and everything in the system's own modules, stays hidden.
#define WINAPI_EXPORT __attribute__((visibility("default")))
#define WINAPI
#define STDMETHODCALLTYPE
#define CALLBACK
