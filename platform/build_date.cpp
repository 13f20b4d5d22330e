// Compiled with every build, so the date is the build's own.
#include "platform/build_date.h"

namespace platform {

const char* build_date() { return __DATE__; }

}  // namespace platform
