// A scratch folder per test, removed afterwards, and whole-file reads and writes of raw bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <system_error>
#include <vector>

namespace test_support {

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  void write(const std::string& name, const std::string& bytes) const;
  std::string read(const std::string& name) const;
  bool exists(const std::string& name) const;
  // Every entry of the folder, hidden ones included, sorted by name.
  std::vector<std::string> entries() const;
  // Moves the folder, with what it holds, into `folder` (copied across file systems); from then on
  // the test reads and writes it there, and it is removed from there.
  void move_into(const std::filesystem::path& folder, std::error_code& ec);

 private:
  std::filesystem::path path_;
};

std::string read_file(const std::filesystem::path& path);
void write_file(const std::filesystem::path& path, const std::string& bytes);

// Raw bytes from numbers: bytes({0xA4, 0x40}).
std::string bytes(std::initializer_list<int> values);

// A text with NUL bytes inside, whole: raw("a\0b") is three bytes.
template <std::size_t N>
std::string raw(const char (&text)[N]) {
  return std::string(text, N - 1);
}

// `unit` `times` times over.
std::string repeat(const std::string& unit, int times);

// Bytes as upper-case hex pairs separated by spaces, for readable failure messages.
std::string hex(const std::string& bytes);

}  // namespace test_support
