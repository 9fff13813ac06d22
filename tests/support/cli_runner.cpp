#include "cli_runner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <utility>

#include "spawned_program.h"

namespace velmoro::test_support {

namespace {

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::filesystem::path MakeFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "velmoro-cli-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
  return pattern;
}

}  // namespace

// Feeding a program that stopped reading must not end the test.
CliRunner::CliRunner(std::string program)
    : program_(std::move(program)), folder_(MakeFolder()) {
  std::signal(SIGPIPE, SIG_IGN);
}

CliRunner::~CliRunner() { std::filesystem::remove_all(folder_); }

std::string CliRunner::WriteFile(const std::string& name, std::string_view bytes) const {
  const std::filesystem::path path = folder_ / name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path.string();
}

CliRun CliRunner::Run(std::vector<std::string> args, std::string_view input,
                      const CliStreams& streams) const {
  const std::string in = WriteFile("stdin", input);
  const std::string out = streams.output_path.empty() ? (folder_ / "stdout").string()
                                                     : streams.output_path;
  const std::string err = (folder_ / "stderr").string();
  std::array<int, 2> pipe{-1, -1};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (streams.input_from_pipe && ::pipe(pipe.data()) == 0) {
    posix_spawn_file_actions_adddup2(&actions, pipe[0], STDIN_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipe[1]);
  } else {
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, in.c_str(), O_RDONLY, 0);
  }
  if (streams.output_closed) {
    posix_spawn_file_actions_addclose(&actions, STDOUT_FILENO);
  } else {
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
  }
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const pid_t pid = SpawnProgram(program_, std::move(args), actions);
  posix_spawn_file_actions_destroy(&actions);
  if (pipe[0] >= 0) {
    ::close(pipe[0]);
    // The program may stop reading early; what it leaves unread is its own.
    const ssize_t written = ::write(pipe[1], input.data(), input.size());
    static_cast<void>(written);
    ::close(pipe[1]);
  }
  CliRun run;
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid) return run;
  if (streams.output_path.empty()) run.out = ReadBytes(out);
  run.err = ReadBytes(err);
  if (WIFEXITED(status)) run.status = WEXITSTATUS(status);
  return run;
}

}  // namespace velmoro::test_support
