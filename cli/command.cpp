#include "command.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <thread>
#include <utility>

namespace velmoro::cli {

namespace {

bool IsTerminal(int fd) { return ::isatty(fd) == 1; }

bool SameTerminal(int fd1, int fd2) {
  struct stat status1 {};
  struct stat status2 {};
  return IsTerminal(fd1) && IsTerminal(fd2) && ::fstat(fd1, &status1) == 0 &&
         ::fstat(fd2, &status2) == 0 && status1.st_rdev == status2.st_rdev;
}

RecordForm FormOf(const CommandLine& line) {
  if (line.json) return RecordForm::Json;
  return line.mode == Mode::Lines ? RecordForm::Tsv : RecordForm::Rows;
}

unsigned JobsOf(const CommandLine& line) {
  if (line.jobs > 0) return line.jobs;
  return std::max(1U, std::thread::hardware_concurrency());
}

bool ProgressShown(Progress progress) {
  if (progress == Progress::Never) return false;
  return progress == Progress::Always || IsTerminal(STDERR_FILENO);
}

}  // namespace

Command ResolveCommand(CommandLine line) {
  Command command;
  command.mode = line.mode;
  command.form = FormOf(line);
  command.explain = line.explain;
  command.texts = std::move(line.texts);
  command.batch_path = std::move(line.batch_path);
  command.lines_paths = std::move(line.lines_paths);
  command.jobs = JobsOf(line);
  command.progress_shown = ProgressShown(line.progress);
  command.summary_shown = line.stats || IsTerminal(STDOUT_FILENO);
  command.progress_shares_output = SameTerminal(STDERR_FILENO, STDOUT_FILENO);
  command.text = std::move(line.text);
  return command;
}

}  // namespace velmoro::cli
