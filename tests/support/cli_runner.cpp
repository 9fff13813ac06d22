#include "cli_runner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

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

CliRunner::CliRunner(std::string program)
    : program_(std::move(program)), folder_(MakeFolder()) {}

CliRunner::~CliRunner() { std::filesystem::remove_all(folder_); }

std::string CliRunner::WriteFile(const std::string& name, std::string_view bytes) const {
  const std::filesystem::path path = folder_ / name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path.string();
}

CliRun CliRunner::Run(std::vector<std::string> args, std::string_view input) const {
  const std::string in = WriteFile("stdin", input);
  const std::string out = (folder_ / "stdout").string();
  const std::string err = (folder_ / "stderr").string();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, in.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::string program = program_;
  std::vector<char*> argv{program.data()};
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  CliRun run;
  int status = 0;
  if (spawned != 0 || waitpid(pid, &status, 0) != pid) return run;
  run.out = ReadBytes(out);
  run.err = ReadBytes(err);
  if (WIFEXITED(status)) run.status = WEXITSTATUS(status);
  return run;
}

}  // namespace velmoro::test_support
