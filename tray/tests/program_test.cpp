// The tray program itself, started as the log-on would start it: a second
// one ends at once without touching anything, and one that finds no
// notification area ends too, with status 0.
#include <chrono>
#include <string>

#include "child_process.h"
#include "tray_test_support.h"
#include "vxshared/tray_program.h"
#include "win/handles.h"
#include "win/mutexes.h"

extern char** environ;

namespace {

using namespace tray_test;
using namespace std::chrono_literals;

std::vector<std::string> Environment() {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry; ++entry) environment.push_back(*entry);
  return environment;
}

std::unique_ptr<quorla_desktop::ChildProcess> StartTray() {
  quorla_desktop::LaunchOptions options;
  options.argv = {std::string(QUORLA_BIN_DIR) + "/VXTray"};
  options.environment = Environment();
  std::string error;
  auto tray = quorla_desktop::ChildProcess::Launch(options, &error);
  EXPECT_TRUE(tray) << error;
  return tray;
}

std::vector<std::string> FilesUnder(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) names.push_back(entry.path().lexically_relative(dir));
  std::sort(names.begin(), names.end());
  return names;
}

TEST(TrayProgram, ASecondInstanceEndsAtOnceWithoutTouchingAnything) {
  TempConfigHome home;  // inherited by the program
  SaveListAsAnotherProgram(home.watchList(), {MakeItem(u"http://rules.localhost/a", 1.0, 2.0, 2.0)});
  const std::string list = ReadBytes(home.watchList());
  const std::vector<std::string> before = FilesUnder(home.watchList().parent_path().parent_path());
  // This process plays the running instance.
  HANDLE running = CreateMutexW(nullptr, TRUE, kTrayMutexName);
  ASSERT_NE(running, nullptr);
  auto tray = StartTray();
  ASSERT_TRUE(tray);
  const auto start = std::chrono::steady_clock::now();
  const std::optional<int> status = tray->Wait(20s);
  ASSERT_TRUE(status.has_value());
  EXPECT_EQ(*status, 0) << tray->Errors();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 10s);
  // No settings read or written (no first-start rule, no check), no list saved.
  EXPECT_EQ(FilesUnder(home.watchList().parent_path().parent_path()), before);
  EXPECT_EQ(ReadBytes(home.watchList()), list);
  CloseHandle(running);
}

TEST(TrayProgram, WithoutANotificationAreaItEndsWithStatusZero) {
  TempConfigHome home;
  auto tray = StartTray();
  ASSERT_TRUE(tray);
  const std::optional<int> status = tray->Wait(30s);
  ASSERT_TRUE(status.has_value());
  EXPECT_EQ(*status, 0) << tray->Errors();
  // It has gone, mutex and all: the next one runs (and ends) the same way.
  HANDLE probe = OpenMutexW(SYNCHRONIZE, FALSE, kTrayMutexName);
  EXPECT_EQ(probe, nullptr);
  if (probe) CloseHandle(probe);
}

}  // namespace
