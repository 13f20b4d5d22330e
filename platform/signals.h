// How the programs meet signals: a file-size limit or a closed pipe shows up as a failed write that
// the program reports, and an interrupt, a termination or a hangup first removes the temporary file
// of an unfinished output, then ends the program by that same signal, so the shell sees it.
#pragma once

#include <csignal>

namespace platform {

// Every main calls this first. A signal among these three that the program was started to ignore (as
// `nohup` or a background job does) stays ignored.
void set_up_signals();

// While alive, SIGINT, SIGTERM and SIGHUP wait, so that a temporary file and its registration for
// removal change together and a signal never finds one without the other.
class HeldSignals {
 public:
  HeldSignals();
  ~HeldSignals();
  HeldSignals(const HeldSignals&) = delete;
  HeldSignals& operator=(const HeldSignals&) = delete;

 private:
  sigset_t previous_;
};

// Registers a file for removal if a signal ends the program; returns its slot, or -1 when every slot
// is taken or the path is too long (neither happens for the paths the programs create).
int remove_on_signal(const char* path);
// Withdraws a registration; -1 is ignored.
void keep_on_signal(int slot);

}  // namespace platform
