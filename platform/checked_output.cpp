// A write(2)-backed stream buffer that remembers why its first write failed.
#include "platform/checked_output.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace platform {

CheckedOutputBuffer::CheckedOutputBuffer(int fd) : fd_(fd), line_buffered_(::isatty(fd) == 1) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

CheckedOutputBuffer::~CheckedOutputBuffer() { drain(); }

// Writes out what the buffer holds; after a failure the bytes are dropped, as nothing can take them.
bool CheckedOutputBuffer::drain() {
  const char* next = pbase();
  std::size_t left = static_cast<std::size_t>(pptr() - pbase());
  while (left > 0 && error_ == 0) {
    ssize_t written = ::write(fd_, next, left);
    if (written <= 0) {
      if (written < 0 && errno == EINTR) continue;
      error_ = written < 0 && errno != 0 ? errno : EIO;
      break;
    }
    next += written;
    left -= static_cast<std::size_t>(written);
  }
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return error_ == 0;
}

CheckedOutputBuffer::int_type CheckedOutputBuffer::overflow(int_type c) {
  if (pptr() == epptr() && !drain()) return traits_type::eof();
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    if (line_buffered_ && traits_type::to_char_type(c) == '\n') drain();
  }
  return error_ == 0 ? traits_type::not_eof(c) : traits_type::eof();
}

std::streamsize CheckedOutputBuffer::xsputn(const char* s, std::streamsize n) {
  std::streamsize done = 0;
  while (done < n && error_ == 0) {
    if (pptr() == epptr() && !drain()) break;
    std::streamsize take = std::min<std::streamsize>(epptr() - pptr(), n - done);
    std::memcpy(pptr(), s + done, static_cast<std::size_t>(take));
    pbump(static_cast<int>(take));
    done += take;
  }
  if (line_buffered_ && error_ == 0 && std::memchr(s, '\n', static_cast<std::size_t>(n)) != nullptr) drain();
  return error_ == 0 ? n : 0;
}

int CheckedOutputBuffer::sync() { return drain() ? 0 : -1; }

int output_error(const std::ostream& out) {
  if (!out.fail()) return 0;
  const auto* checked = dynamic_cast<const CheckedOutputBuffer*>(out.rdbuf());
  return checked != nullptr && checked->error() != 0 ? checked->error() : EIO;
}

}  // namespace platform
