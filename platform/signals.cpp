// Signal dispositions and the removal of temporary files from a signal handler. The handler only
// calls unlink, signal and raise on paths stored beforehand, which are async-signal-safe.
#include "platform/signals.h"

#include <limits.h>
#include <unistd.h>

#include <cstring>

namespace platform {

namespace {

// A program holds at most one output open at a time; a few slots leave room.
constexpr int kSlots = 4;

struct Slot {
  volatile std::sig_atomic_t used = 0;
  char path[PATH_MAX] = {};
};
Slot slots[kSlots];

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void remove_and_die(int signal_number) {
  for (Slot& slot : slots) {
    if (slot.used != 0) ::unlink(slot.path);
  }
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);  // delivered once the handler returns and the signal is unblocked
}

sigset_t ending_signals() {
  sigset_t set;
  sigemptyset(&set);
  for (int s : kEndingSignals) sigaddset(&set, s);
  return set;
}

}  // namespace

void set_up_signals() {
  std::signal(SIGXFSZ, SIG_IGN);
  std::signal(SIGPIPE, SIG_IGN);
  for (int s : kEndingSignals) {
    struct sigaction previous {};
    ::sigaction(s, nullptr, &previous);
    if (previous.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = remove_and_die;
    action.sa_mask = ending_signals();  // one removal at a time
    ::sigaction(s, &action, nullptr);
  }
}

HeldSignals::HeldSignals() {
  sigset_t held = ending_signals();
  ::sigprocmask(SIG_BLOCK, &held, &previous_);
}

HeldSignals::~HeldSignals() { ::sigprocmask(SIG_SETMASK, &previous_, nullptr); }

int remove_on_signal(const char* path) {
  std::size_t length = std::strlen(path);
  if (length >= PATH_MAX) return -1;
  for (int i = 0; i < kSlots; ++i) {
    if (slots[i].used != 0) continue;
    std::memcpy(slots[i].path, path, length + 1);
    slots[i].used = 1;
    return i;
  }
  return -1;
}

void keep_on_signal(int slot) {
  if (slot >= 0 && slot < kSlots) slots[slot].used = 0;
}

}  // namespace platform
