// Writes an output beside its target and renames it over the target when complete.
#include "platform/replaced_file.h"

#include <cerrno>
#include <filesystem>
#include <random>

namespace platform {

namespace fs = std::filesystem;

namespace {

constexpr int kNameAttempts = 100;

std::string random_suffix() {
  static std::mt19937_64 generator{std::random_device{}()};
  constexpr char kDigits[] = "0123456789abcdef";
  std::string suffix;
  std::uint64_t bits = generator();
  for (int i = 0; i < 12; ++i, bits >>= 4) suffix.push_back(kDigits[bits & 0xF]);
  return suffix;
}

}  // namespace

ReplacedFile::~ReplacedFile() { discard(); }

void ReplacedFile::discard() {
  file_.reset();
  if (!temporary_.empty()) {
    std::remove(temporary_.c_str());
    temporary_.clear();
  }
}

bool ReplacedFile::fail(int error) {
  error_ = error != 0 ? error : EIO;
  discard();
  return false;
}

int ReplacedFile::open(const std::string& target) {
  discard();
  error_ = 0;
  std::error_code ec;
  fs::path path(target);
  if (fs::is_symlink(path, ec)) {
    fs::path resolved = fs::weakly_canonical(path, ec);
    if (!ec) path = resolved;
  }
  target_ = path.string();

  fs::file_status status = fs::status(path, ec);
  bool exists = fs::exists(status);
  if (fs::is_directory(status)) return error_ = EISDIR;
  if (exists) {
    // An existing target that could not be opened for writing is refused now, as opening it would.
    // Appending asks for write permission alone and neither creates nor empties the file.
    errno = 0;
    std::FILE* probe = std::fopen(target_.c_str(), "ab");
    if (probe == nullptr) return error_ = (errno != 0 ? errno : EACCES);
    std::fclose(probe);
  }

  fs::path folder = path.parent_path();
  std::string stem(1, '.');
  stem.append(path.filename().string()).append(".tmp-");
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    fs::path candidate = folder / (stem + random_suffix());
    errno = 0;
    std::FILE* f = std::fopen(candidate.c_str(), "wbx");
    if (f != nullptr) {
      file_.reset(f);
      temporary_ = candidate.string();
      break;
    }
    if (errno != EEXIST) return error_ = (errno != 0 ? errno : EIO);
  }
  if (!file_) return error_ = EEXIST;

  if (exists) {
    // The replacement keeps the permissions of the file it replaces.
    fs::permissions(temporary_, fs::status(path, ec).permissions(), fs::perm_options::replace, ec);
    if (ec) {
      int error = ec.value();
      discard();
      return error_ = error;
    }
  }
  return 0;
}

bool ReplacedFile::write(const void* data, std::size_t n) {
  if (!file_) return fail(error_ != 0 ? error_ : EBADF);
  if (n == 0) return true;
  errno = 0;
  if (std::fwrite(data, 1, n, file_.get()) != n) return fail(errno);
  return true;
}

bool ReplacedFile::seek_to_start() {
  if (!file_) return fail(error_ != 0 ? error_ : EBADF);
  errno = 0;
  if (std::fseek(file_.get(), 0, SEEK_SET) != 0) return fail(errno);
  return true;
}

bool ReplacedFile::commit() {
  if (!file_) return fail(error_ != 0 ? error_ : EBADF);
  errno = 0;
  if (std::fflush(file_.get()) != 0) return fail(errno);
  errno = 0;
  int closed = std::fclose(file_.release());
  if (closed != 0) return fail(errno);
  errno = 0;
  if (std::rename(temporary_.c_str(), target_.c_str()) != 0) return fail(errno);
  temporary_.clear();
  return true;
}

}  // namespace platform
