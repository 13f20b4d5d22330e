// Signal dispositions and the removal of temporary files from a signal handler. The handler only
// calls unlinkat, sigaction and raise on names stored beforehand, which are async-signal-safe.
#include "platform/signals.h"

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <cstring>

namespace platform {

namespace {

// A program holds at most one output open at a time; a few slots leave room.
constexpr int kSlots = 4;

struct Slot {
  volatile std::sig_atomic_t used = 0;
  int folder = -1;
  char name[NAME_MAX + 1] = {};
};
Slot slots[kSlots];

// What each signal did before the handler took it over: the handler puts it back before the
// signal ends the program, so a sanitizer's report of a fault is still made.
struct sigaction previous_actions[NSIG];

// Signals whose default action does not end the program: stopping, continuing and the notices a
// program ignores. SIGKILL and SIGSTOP cannot be caught; SIGPIPE and SIGXFSZ are ignored instead,
// so that a closed pipe or a size limit is a failed write.
bool ends_the_program(int s) {
  switch (s) {
    case SIGKILL: case SIGSTOP: case SIGTSTP: case SIGTTIN: case SIGTTOU: case SIGCONT:
    case SIGCHLD: case SIGURG: case SIGWINCH: case SIGPIPE: case SIGXFSZ:
      return false;
    default:
      return true;
  }
}

sigset_t ending_signals() {
  sigset_t set;
  sigemptyset(&set);
  for (int s = 1; s < NSIG; ++s) {
    if (ends_the_program(s)) sigaddset(&set, s);
  }
  return set;
}

extern "C" void remove_and_die(int signal_number) {
  for (Slot& slot : slots) {
    if (slot.used != 0) ::unlinkat(slot.folder, slot.name, 0);
  }
  ::sigaction(signal_number, &previous_actions[signal_number], nullptr);
  ::raise(signal_number);  // delivered once the handler returns and the signal is unblocked
}

}  // namespace

void set_up_signals() {
  std::signal(SIGXFSZ, SIG_IGN);
  std::signal(SIGPIPE, SIG_IGN);
  for (int s = 1; s < NSIG; ++s) {
    if (!ends_the_program(s)) continue;
    struct sigaction previous {};
    // The C library keeps a few real-time signals for itself and refuses them: nothing to do there.
    if (::sigaction(s, nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN) continue;
    previous_actions[s] = previous;
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

int remove_on_signal(int folder, const char* name) {
  std::size_t length = std::strlen(name);
  if (length > NAME_MAX) return -1;
  for (int i = 0; i < kSlots; ++i) {
    if (slots[i].used != 0) continue;
    slots[i].folder = folder;
    std::memcpy(slots[i].name, name, length + 1);
    slots[i].used = 1;
    return i;
  }
  return -1;
}

void keep_on_signal(int slot) {
  if (slot >= 0 && slot < kSlots) slots[slot].used = 0;
}

}  // namespace platform
