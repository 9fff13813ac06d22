#pragma once

// Starts a program for a test, as a shell would: with the arguments given,
// the test's environment and the default handling of SIGPIPE, which a test
// program may ignore.

#include <spawn.h>
#include <sys/types.h>

#include <string>
#include <vector>

namespace velmoro::test_support {

// The started program's id, or -1 when it could not be started; actions say
// where its standard streams go.
[[nodiscard]] pid_t SpawnProgram(const std::string& program, std::vector<std::string> args,
                                 const posix_spawn_file_actions_t& actions);

}  // namespace velmoro::test_support
