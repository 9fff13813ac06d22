#include "spawned_program.h"

#include <unistd.h>

#include <csignal>

namespace velmoro::test_support {

pid_t SpawnProgram(const std::string& program, std::vector<std::string> args,
                   const posix_spawn_file_actions_t& actions) {
  std::string path = program;
  std::vector<char*> argv{path.data()};
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  pid_t pid = -1;
  if (posix_spawn(&pid, path.c_str(), &actions, &attributes, argv.data(), environ) != 0) {
    pid = -1;
  }
  posix_spawnattr_destroy(&attributes);
  return pid;
}

}  // namespace velmoro::test_support
