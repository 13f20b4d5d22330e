// Standard output through a buffer that keeps the system's error number of its first failed write,
// for the programs whose product goes there: a full disk or a closed pipe is then reported with the
// system's own text instead of passing for success.
#pragma once

#include <array>
#include <ostream>
#include <streambuf>

namespace platform {

// The name the write-error report gives standard output.
constexpr char kStandardOutputName[] = "standard output";

// Writes to a file descriptor with write(2). Once a write fails, every later one fails too, so the
// stream over it stays failed and the first error is the one reported. On a terminal each line
// goes out as it ends, as it does through the C library's standard output.
class CheckedOutputBuffer : public std::streambuf {
 public:
  explicit CheckedOutputBuffer(int fd);
  ~CheckedOutputBuffer() override;
  CheckedOutputBuffer(const CheckedOutputBuffer&) = delete;
  CheckedOutputBuffer& operator=(const CheckedOutputBuffer&) = delete;

  // The system's error number of the first failed write, 0 while none failed.
  int error() const { return error_; }

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* s, std::streamsize n) override;
  int sync() override;

 private:
  bool drain();

  int fd_;
  bool line_buffered_;
  int error_ = 0;
  std::array<char, 65536> buffer_;
};

// Why writing to `out` failed: the system's error number kept by its checked buffer, EIO for any
// other stream that failed, 0 while `out` has not failed.
int output_error(const std::ostream& out);

}  // namespace platform
