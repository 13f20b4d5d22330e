// How the programs meet signals: a file-size limit or a closed pipe shows up as a failed write that
// the program reports, and every signal that would end the program first removes the temporary file
// of an unfinished output, then ends the program by that same signal, so the shell sees it. Only
// SIGKILL, which no program can catch, can leave a temporary file behind.
#pragma once

#include <csignal>

namespace platform {

// Every main calls this first (after the standard descriptors). A signal that the program was
// started to ignore (as `nohup` or a background job does) stays ignored.
void set_up_signals();

// While alive, every signal that would end the program waits, so that a temporary file and its
// registration for removal change together and a signal never finds one without the other.
class HeldSignals {
 public:
  HeldSignals();
  ~HeldSignals();
  HeldSignals(const HeldSignals&) = delete;
  HeldSignals& operator=(const HeldSignals&) = delete;

 private:
  sigset_t previous_;
};

// Registers the entry `name` of the folder open as `folder` for removal if a signal ends the program:
// removed through the folder's descriptor, it is found even after the folder was moved. Returns the
// registration, or -1 when every slot is taken or the name is too long (neither happens for the
// names the programs create).
int remove_on_signal(int folder, const char* name);
// Withdraws a registration; -1 is ignored.
void keep_on_signal(int slot);

}  // namespace platform
