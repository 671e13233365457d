#pragma once
// The program's built-in resources are registered by a function the build
// generates into the program (cmake/QuorlaResources.cmake):
// `extern "C" void QuorlaProgramResources()`, exported from the executable.
// A lookup calls it once before it searches, so a program's static
// initialisers can use its resources before main runs, and no registrar
// object has to survive the linker.
namespace quorla {

// Finds and calls the program's registration function the first time; does
// nothing afterwards or when the program has none. Safe from any thread.
void LoadProgramResources();

}  // namespace quorla
