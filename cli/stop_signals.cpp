#include "stop_signals.h"

#include <pthread.h>

#include <atomic>

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
  Catch(SIGINT, oldInterrupt_);
  Catch(SIGTERM, oldTerminate_);
}

StopSignals::~StopSignals() {
  sigaction(SIGINT, &oldInterrupt_, nullptr);
  sigaction(SIGTERM, &oldTerminate_, nullptr);
}

int StopSignal() { return stopSignal.load(); }

StopSignalsBlocked::StopSignalsBlocked() {
  const sigset_t set = StopSet();
  pthread_sigmask(SIG_BLOCK, &set, &old_);
}

StopSignalsBlocked::~StopSignalsBlocked() { pthread_sigmask(SIG_SETMASK, &old_, nullptr); }

}  // namespace velmoro::cli
