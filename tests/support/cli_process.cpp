#include "cli_process.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <thread>
#include <utility>

#include "spawned_program.h"

namespace velmoro::test_support {

namespace {

// How long the destructor gives a program that is still running.
constexpr std::chrono::seconds kEndBound{10};

}  // namespace

CliProcess::CliProcess(const std::string& program, std::vector<std::string> args,
                       const std::string& errPath) {
  if (::pipe2(input_.data(), O_CLOEXEC) != 0 || ::pipe2(output_.data(), O_CLOEXEC) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input_[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, output_[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_ = SpawnProgram(program, std::move(args), actions);
  posix_spawn_file_actions_destroy(&actions);
  ::close(input_[0]);
  ::close(output_[1]);
}

CliProcess::~CliProcess() {
  CloseInput();
  ::close(output_[0]);
  if (pid_ > 0) Wait(kEndBound);
}

bool CliProcess::Write(std::string_view bytes) const {
  return ::write(input_[1], bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

void CliProcess::CloseInput() {
  if (input_[1] >= 0) ::close(input_[1]);
  input_[1] = -1;
}

std::string CliProcess::Read(std::chrono::milliseconds timeout, std::size_t most) const {
  std::string out;
  std::array<char, 4096> buffer{};
  pollfd ready{output_[0], POLLIN, 0};
  while (out.size() < most && ::poll(&ready, 1, static_cast<int>(timeout.count())) > 0) {
    const ssize_t count = ::read(output_[0], buffer.data(), buffer.size());
    if (count <= 0) break;
    out.append(buffer.data(), static_cast<std::size_t>(count));
  }
  return out;
}

void CliProcess::Signal(int signal) const {
  if (pid_ > 0) ::kill(pid_, signal);
}

bool CliProcess::AwaitSleep(std::chrono::milliseconds timeout) const {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  const std::string statPath = "/proc/" + std::to_string(pid_) + "/stat";
  while (std::chrono::steady_clock::now() < deadline) {
    // The state follows the command's name, which ends at the last ')'.
    std::ifstream file(statPath);
    const std::string stat{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const std::size_t nameEnd = stat.rfind(')');
    if (nameEnd != std::string::npos && stat.compare(nameEnd, 3, ") S") == 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

int CliProcess::Wait(std::chrono::milliseconds timeout) {
  if (pid_ <= 0) return -1;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  int status = 0;
  while (::waitpid(pid_, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() >= deadline) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &status, 0);
      pid_ = -1;
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  pid_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace velmoro::test_support
