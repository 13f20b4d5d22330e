// iconv over whole texts: the output grows until the text and the flush fit, and a failure puts
// the output and the converter back as they were.
#include "platform/iconv_conversion.h"

#include <iconv.h>

#include <cerrno>

namespace platform {

namespace {

const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);
constexpr std::size_t kFailed = static_cast<std::size_t>(-1);

iconv_t handle(void* descriptor) { return static_cast<iconv_t>(descriptor); }

}  // namespace

IconvConversion::IconvConversion(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {}

IconvConversion::~IconvConversion() {
  if (available()) iconv_close(handle(descriptor_));
}

bool IconvConversion::available() const { return handle(descriptor_) != kNoDescriptor; }

bool IconvConversion::convert(std::string_view in, std::string& out) {
  std::size_t failed_at = 0;
  return convert(in, out, failed_at);
}

bool IconvConversion::convert(std::string_view in, std::string& out, std::size_t& failed_at) {
  failed_at = 0;
  if (!available()) return false;
  const std::size_t kept = out.size();
  // iconv's signature takes the input as char**; it only reads it.
  char* from = const_cast<char*>(in.data());
  std::size_t from_left = in.size();
  // Between Big5 and UTF-8 a text at most doubles; a larger need grows the room below.
  std::size_t room = 2 * in.size() + 16;
  for (;;) {
    const std::size_t used = out.size();
    out.resize(used + room);
    char* to = out.data() + used;
    std::size_t to_left = room;
    std::size_t done = from_left > 0 ? iconv(handle(descriptor_), &from, &from_left, &to, &to_left) : 0;
    if (done != kFailed) done = iconv(handle(descriptor_), nullptr, nullptr, &to, &to_left);
    const int error = errno;
    out.resize(out.size() - to_left);
    if (done != kFailed) return true;
    if (error != E2BIG) {
      failed_at = in.size() - from_left;
      iconv(handle(descriptor_), nullptr, nullptr, nullptr, nullptr);
      out.resize(kept);
      return false;
    }
    room *= 2;
  }
}

}  // namespace platform
