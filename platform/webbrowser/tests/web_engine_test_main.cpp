// The test program's own start and end. The web engine, once started, runs
// threads of its own until its application object is destroyed, which the
// layer never does; ending the process through exit() would destroy the
// libraries' static objects under those threads (the engine's compositor
// thread then crashes now and then after every test has passed). The
// program ends at once instead, after the leak check that exit() would
// have made under AddressSanitizer.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>

extern "C" __attribute__((weak)) void __lsan_do_leak_check();

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  const int result = RUN_ALL_TESTS();
  std::fflush(stdout);
  std::fflush(stderr);
  if (__lsan_do_leak_check) __lsan_do_leak_check();
  _exit(result);
}
