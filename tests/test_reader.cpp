// The reader program as it is shipped, run as a process: ended by the signals a desktop
// or a terminal sends, it still ends through its own shutdown and keeps its settings.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "support/Fixtures.h"
#include "textstore/ImageBuilder.h"
#include "textstore/TextImage.h"

#ifndef QUORVEL_READER
#error "QUORVEL_READER must name the reader program"
#endif

namespace {

using namespace std::chrono_literals;

// Whether the process has its own handler for `signal` (the run's loop is up then).
bool Catches(pid_t pid, int signal) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("SigCgt:", 0) == 0) {
      const unsigned long long mask = std::stoull(line.substr(7), nullptr, 16);
      return (mask >> (signal - 1)) & 1u;
    }
  }
  return false;
}

// Waits for the process to end, at most `limit`; -1 when it had to be killed.
int WaitFor(pid_t pid, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (::waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(10ms);
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(ReaderProgram, EndedByASignalItExitsWithZeroAndKeepsItsSettings) {
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal);
    testsupport::TTempDirectory folder("quorvel-reader");
    folder.WriteFile("VESK.TXT", "$1#Psalm 1\n1 Blessed is the man\n");
    auto image = std::make_unique<TTextImage>();
    ASSERT_TRUE(BuildTextImage(*image, folder.PathOf("VESK.TXT"), folder.PathOf("VESK.BIN")).Succeeded);
    folder.WriteFile("quorvel.ini", "; mine\n[Other]\nx=1\n");

    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      if (::chdir(folder.Path().c_str()) != 0) ::_exit(126);
      ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
      ::execl(QUORVEL_READER, QUORVEL_READER, static_cast<char*>(nullptr));
      ::_exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!Catches(pid, signal) && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(10ms);
    }
    ASSERT_TRUE(Catches(pid, signal)) << "the reader did not start its run";
    ::kill(pid, signal);
    EXPECT_EQ(WaitFor(pid, 10s), 0);
    EXPECT_EQ(folder.ReadFile("quorvel.ini"),
              "; mine\n[Other]\nx=1\n[Quorvel]\nDataPath=" + folder.Path().string() + "\nLineSpace=1\n");
  }
}

}  // namespace
