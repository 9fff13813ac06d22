#pragma once

// Runs the velmoro-cli program itself, as a user or a script would, in a
// folder of its own that holds its input files and captured streams.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velmoro::test_support {

struct CliRun {
  std::string out;
  std::string err;
  int status = -1;  // the exit status; -1 when the program did not exit
};

// Where the program's standard streams go, beside the usual files.
struct CliStreams {
  bool input_from_pipe = false;  // standard input a pipe, not a file
  std::string output_path{};    // standard output to this path instead
  bool output_closed = false;   // standard output closed
};

class CliRunner {
 public:
  // program: the path of velmoro-cli. Makes a new temporary folder.
  explicit CliRunner(std::string program);
  ~CliRunner();
  CliRunner(const CliRunner&) = delete;
  CliRunner& operator=(const CliRunner&) = delete;

  // Writes bytes to the file name in the folder and returns its path.
  [[nodiscard]] std::string WriteFile(const std::string& name, std::string_view bytes) const;

  // The folder, for paths that tests make up themselves.
  [[nodiscard]] const std::filesystem::path& folder() const { return folder_; }

  // Runs the program with args, feeding input to its standard input.
  [[nodiscard]] CliRun Run(std::vector<std::string> args, std::string_view input = {},
                           const CliStreams& streams = {}) const;

 private:
  std::string program_;
  std::filesystem::path folder_;
};

}  // namespace velmoro::test_support
