#include "stop_signals.h"

#include <poll.h>
#include <pthread.h>

#include <atomic>
#include <cerrno>

namespace velmoro::cli {

namespace {

std::atomic<int> stopSignal{0};
static_assert(std::atomic<int>::is_always_lock_free, "read and written from a signal handler");

void AskToStop(int signal) { stopSignal.store(signal); }

void Catch(int signal, struct sigaction& old) {
  struct sigaction action {};
  action.sa_handler = AskToStop;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a read or write that waits returns, and the run sees the
  // stop. SA_RESETHAND: a second signal ends the program.
  action.sa_flags = static_cast<int>(SA_RESETHAND);
  sigaction(signal, &action, &old);
}

sigset_t StopSet() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  return set;
}

}  // namespace

StopSignals::StopSignals() {
  Catch(SIGINT, old_interrupt_);
  Catch(SIGTERM, old_terminate_);
}

StopSignals::~StopSignals() {
  sigaction(SIGINT, &old_interrupt_, nullptr);
  sigaction(SIGTERM, &old_terminate_, nullptr);
}

int StopSignal() { return stopSignal.load(); }

// The stop signals are held back from the look at the stop until ppoll lets
// them in as it starts to wait, so that none can come between the two and
// leave the wait without an end.
bool AwaitInput(int fd) {
  const sigset_t stops = StopSet();
  sigset_t open;
  pthread_sigmask(SIG_BLOCK, &stops, &open);
  pollfd input{fd, POLLIN, 0};
  while (StopSignal() == 0 && ::ppoll(&input, 1, nullptr, &open) < 0 && errno == EINTR) {
  }
  pthread_sigmask(SIG_SETMASK, &open, nullptr);
  return StopSignal() == 0;
}

StopSignalsBlocked::StopSignalsBlocked() {
  const sigset_t set = StopSet();
  pthread_sigmask(SIG_BLOCK, &set, &old_);
}

StopSignalsBlocked::~StopSignalsBlocked() { pthread_sigmask(SIG_SETMASK, &old_, nullptr); }

}  // namespace velmoro::cli
