// The layer's windows on a real X display: a private Xvfb, the probe
// program (fixtures/ui_probe.cpp), xdotool for input, ImageMagick for
// screenshots.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// A child process whose standard output the test reads line by line.
class Child {
 public:
  Child(std::vector<std::string> argv, std::vector<std::string> extraEnv) {
    int fds[2] = {-1, -1};
    EXPECT_EQ(pipe2(fds, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    std::vector<char*> args;
    for (auto& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    // The extra settings replace the test's own (QT_QPA_PLATFORM=offscreen).
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
      std::string entry = *e;
      bool replaced = false;
      for (auto& extra : extraEnv)
        replaced |= entry.compare(0, extra.find('=') + 1, extra, 0, extra.find('=') + 1) == 0;
      if (!replaced) env.push_back(entry);
    }
    for (auto& e : extraEnv) env.push_back(e);
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    EXPECT_EQ(posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), envp.data()), 0) << argv[0];
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    out_ = fds[0];
  }
  ~Child() {
    if (pid_ > 0 && !reaped_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (out_ >= 0) close(out_);
  }

  // The next whole line of output, or "" when none comes in time.
  std::string Line(int timeoutMs = 10000) {
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
      auto nl = buffer_.find('\n');
      if (nl != std::string::npos) {
        std::string line = buffer_.substr(0, nl);
        buffer_.erase(0, nl + 1);
        return line;
      }
      int left = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count());
      if (left <= 0) return "";
      pollfd p{out_, POLLIN, 0};
      if (poll(&p, 1, left) <= 0) return "";
      char chunk[512];
      ssize_t n = read(out_, chunk, sizeof chunk);
      if (n <= 0) return "";
      buffer_.append(chunk, static_cast<size_t>(n));
    }
  }

  // Waits for a line with this beginning; "" when none comes in time.
  std::string Expect(const std::string& prefix, int timeoutMs = 10000) {
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < deadline) {
      std::string line = Line(timeoutMs);
      if (line.rfind(prefix, 0) == 0) return line;
    }
    return "";
  }

  // Everything printed until the process ended (or the time ran out).
  std::string Rest(int timeoutMs) {
    std::string all;
    for (std::string line; !(line = Line(timeoutMs)).empty();) all += line + "\n";
    return all;
  }

  // The wait status, or -1 when the process has not ended in time.
  int Wait(int timeoutMs) {
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < deadline) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        reaped_ = true;
        return status;
      }
      usleep(20000);
    }
    return -1;
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  bool reaped_ = false;
  std::string buffer_;
};

// A private X server: -displayfd picks a free display number, so tests in
// parallel never share one.
class Xvfb {
 public:
  Xvfb() {
    int fds[2];
    EXPECT_EQ(pipe(fds), 0);
    std::string fd = std::to_string(fds[1]);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-br", "-nolisten", "tcp", nullptr};
    EXPECT_EQ(posix_spawnp(&pid_, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    fcntl(fds[0], F_SETFD, FD_CLOEXEC);
    // The number comes as digits and then a newline, maybe in two writes;
    // the pipe stays open while the server runs, or its second write fails.
    readEnd_ = fds[0];
    std::string number;
    auto deadline = Clock::now() + std::chrono::seconds(15);
    while (number.find('\n') == std::string::npos && Clock::now() < deadline) {
      pollfd p{readEnd_, POLLIN, 0};
      if (poll(&p, 1, 1000) <= 0) continue;
      char chunk[16];
      ssize_t n = read(readEnd_, chunk, sizeof chunk);
      if (n <= 0) break;
      number.append(chunk, static_cast<size_t>(n));
    }
    if (number.find('\n') != std::string::npos) display_ = ":" + number.substr(0, number.find('\n'));
  }
  ~Xvfb() { Stop(); }
  void Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
    close(readEnd_);
  }
  const std::string& Display() const { return display_; }

 private:
  pid_t pid_ = -1;
  int readEnd_ = -1;
  std::string display_;
};

// Runs a desktop tool on the display; its standard output.
std::string Tool(const Xvfb& x, const std::string& command) {
  std::string full = "DISPLAY=" + x.Display() + " " + command + " 2>/dev/null";
  FILE* pipe = popen(full.c_str(), "r");
  std::string out;
  char chunk[512];
  while (pipe && fgets(chunk, sizeof chunk, pipe)) out += chunk;
  if (pipe) pclose(pipe);
  return out;
}

// The colour of one screen pixel as ImageMagick names it ("red", "black").
std::string PixelName(const Xvfb& x, int px, int py) {
  std::string text = Tool(x, "import -window root -crop 1x1+" + std::to_string(px) + "+" + std::to_string(py) + " txt:-");
  auto at = text.find_last_of(' ');
  std::string name = at == std::string::npos ? text : text.substr(at + 1);
  while (!name.empty() && (name.back() == '\n' || name.back() == '\r')) name.pop_back();
  return name;
}

std::vector<std::string> ProbeEnvironment(const Xvfb& x) {
  return {"DISPLAY=" + x.Display(), "QT_QPA_PLATFORM=xcb", "XDG_RUNTIME_DIR=/tmp"};
}

const std::string kProbe = std::string(QUORLA_TEST_DIR) + "/UiProbe";

class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (x.Display().empty()) GTEST_SKIP() << "no Xvfb";
  }
  Xvfb x;
};

TEST_F(DisplayTest, AShapedToolWindowOnScreen) {
  Child probe({kProbe}, ProbeEnvironment(x));
  ASSERT_NE(probe.Expect("ready"), "");
  ASSERT_NE(probe.Expect("timer 77"), "") << "the timer ticks in the loop";
  std::string tree = Tool(x, "xwininfo -root -tree");
  EXPECT_NE(tree.find("(\"UiProbe\" \"UiProbe\")  200x150+100+100"), std::string::npos)
      << "the X11 class is the program's name; placement by coordinates\n" << tree;
  struct Case {
    int x, y;
    std::string pixel;
    std::string message;  // empty: the click misses the window
  } cases[] = {
      {200, 175, "red", "down 100 75"},
      {101, 101, "black", ""},   // cut away by the window region
      {298, 248, "black", ""},   // the opposite corner
      {110, 175, "red", "down 10 75"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PixelName(x, c.x, c.y), c.pixel) << c.x << "," << c.y;
    Tool(x, "xdotool mousemove " + std::to_string(c.x) + " " + std::to_string(c.y) +
                " mousedown 1 sleep 0.1 mouseup 1 sleep 0.1 mousemove 500 500");
    if (!c.message.empty()) {
      EXPECT_EQ(probe.Expect("down", 5000), c.message);
      EXPECT_EQ(probe.Expect("up", 5000), "up" + c.message.substr(4));
    } else {
      EXPECT_EQ(probe.Expect("down", 1500), "") << "a click on a cut pixel misses the window";
    }
  }
  // A double click on the window (class with CS_DBLCLKS).
  Tool(x, "xdotool mousemove 200 175 click --repeat 2 --delay 100 1");
  EXPECT_EQ(probe.Expect("down", 5000), "down 100 75");
  EXPECT_EQ(probe.Expect("double", 5000), "double 100 75");
  // Moved from outside (as a window manager does): the layer follows.
  std::string id = Tool(x, "xdotool search --class UiProbe");
  ASSERT_FALSE(id.empty());
  Tool(x, "xdotool windowmove " + id.substr(0, id.find('\n')) + " 300 320");
  EXPECT_EQ(probe.Expect("move", 5000), "move 300 320");
}

TEST_F(DisplayTest, WhenTheDisplayGoesTheProcessEndsAtOnceWithoutStaticDestructors) {
  Child probe({kProbe}, ProbeEnvironment(x));
  ASSERT_NE(probe.Expect("ready"), "") << probe.Rest(100);
  x.Stop();
  int status = probe.Wait(10000);
  ASSERT_NE(status, -1) << "the program still runs without its display";
  ASSERT_TRUE(WIFEXITED(status)) << "ended by a signal (a crash dump would follow): " << status;
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(probe.Rest(500).find("static destructor ran"), std::string::npos);
}

}  // namespace
