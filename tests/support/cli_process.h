#pragma once

// A program started in the background, for tests that feed it slowly, read
// what it writes as it writes it, or signal it: its standard input and output
// are pipes the test holds, its standard error a file. Every wait is bounded,
// so that a program that hangs fails the test instead of holding it.

#include <sys/types.h>

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmoro::test_support {

class CliProcess {
 public:
  // Starts program with args, its standard error going to errPath.
  CliProcess(const std::string& program, std::vector<std::string> args, const std::string& errPath);
  // Closes its input, and ends it where it is still running.
  ~CliProcess();
  CliProcess(const CliProcess&) = delete;
  CliProcess& operator=(const CliProcess&) = delete;

  // Writes bytes to its standard input; false when they were not all taken.
  [[nodiscard]] bool Write(std::string_view bytes) const;
  void CloseInput();

  // What it writes within timeout, stopping at the end of its output or once
  // most bytes have come.
  [[nodiscard]] std::string Read(std::chrono::milliseconds timeout,
                                 std::size_t most = SIZE_MAX) const;

  void Signal(int signal) const;

  // Waits until its main thread sleeps, as in a read that waits for input;
  // false when it does not within timeout.
  [[nodiscard]] bool AwaitSleep(std::chrono::milliseconds timeout) const;

  // Its exit status, 128 and the signal that ended it, or -1 when it was
  // still running after timeout, which then ends it.
  int Wait(std::chrono::milliseconds timeout);

 private:
  std::array<int, 2> input_{-1, -1};
  std::array<int, 2> output_{-1, -1};
  pid_t pid_ = -1;
};

}  // namespace velmoro::test_support
