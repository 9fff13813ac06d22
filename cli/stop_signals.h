#pragma once

// A clean stop of a run over many pairs on SIGINT or SIGTERM: the signal
// only asks for the stop, and the run ends at the end of a record. A second
// signal of the same kind ends the program at once, as it would have.

#include <signal.h>

namespace velmoro::cli {

// While one lives, SIGINT and SIGTERM ask for a stop instead of ending the
// program, and interrupt a read or write that waits; its end puts back what
// they did before.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

 private:
  struct sigaction old_interrupt_ {};
  struct sigaction old_terminate_ {};
};

// The signal that asked for a stop, or 0 while none has.
[[nodiscard]] int StopSignal();

// Waits until fd has input to read, or its end, unless a stop is asked for
// first, before the wait or during it; false for a stop.
[[nodiscard]] bool AwaitInput(int fd);

// While one lives, the calling thread does not take SIGINT and SIGTERM, nor
// do threads it starts meanwhile: the thread that reads and writes takes
// them, so that its waits are the ones they interrupt.
class StopSignalsBlocked {
 public:
  StopSignalsBlocked();
  ~StopSignalsBlocked();
  StopSignalsBlocked(const StopSignalsBlocked&) = delete;
  StopSignalsBlocked& operator=(const StopSignalsBlocked&) = delete;

 private:
  sigset_t old_{};
};

}  // namespace velmoro::cli
