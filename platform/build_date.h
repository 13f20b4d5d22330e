// The date each program's title line shows.
#pragma once

namespace platform {

// The compiler's build date in its own form, day padded with a space: "Dec  8 2026".
const char* build_date();

}  // namespace platform
