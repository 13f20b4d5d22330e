// The three writers run as processes against every kind of output target, against a folder writer
// who swaps the temporary file for a link, and against signals mid-run: what each shows, its
// status, where its bytes land, and that no temporary file is ever left behind.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <optional>
#include <thread>
#include <tuple>
#include <vector>

#include "cizu_converter/messages.h"
#include "input_table_converter/messages.h"
#include "phrase_tool/messages.h"
#include "platform/file_permissions.h"
#include "big5dict/bytes.h"
#include "platform/replaced_file.h"
#include "platform/build_date.h"
#include "platform/report.h"
#include "test_support/case_name.h"
#include "test_support/process.h"
#include "test_support/scratch.h"
#include "test_support/unprivileged.h"

namespace {

namespace fs = std::filesystem;
using test_support::ProcessOptions;
using test_support::ProcessResult;
using test_support::RunningProcess;
using test_support::ScratchDir;
using test_support::write_file;

constexpr int kTimeLimitSeconds = 20;  // a run that should end at once, bounded should it hang
constexpr int kPipeBytes = 1 << 20;    // a FIFO that holds a whole dictionary before it is read
const std::string kOldOutput = "an earlier output";

// One writer, run as its own tests run it.
struct Program {
  const char* name;
  const char* path;
  std::string target;      // the output it writes in its folder
  std::string input_name;  // its input; empty for LEXMOOR, which reads none here
  std::string input;
  std::string bulky_input;  // one whose messages pass every buffer before the output is complete
  std::vector<std::string> (*args)(const std::string& target);
  int written_status;
  // What the run shows and its status when the output fails the check with `error`.
  ProcessResult (*refused)(const std::string& target, int error);
};

void PrintTo(const Program& p, std::ostream* os) { *os << p.name; }

ProcessResult refused_with_report(std::string banner, const std::string& target, int error) {
  return {std::move(banner), platform::open_failure_report(target, error), 1, 0};
}

const std::vector<Program>& programs() {
  static const std::vector<Program> list = {
      {"TOMBRAL", TOMBRAL_PATH, "out.dic", "in.b5", "abc \xA4\xA4\xA4\xE5 \xA6\x72\n",
       test_support::repeat("abc \xA4\xA4\xA4\xE5 \xA6\x72\n", 5000),
       [](const std::string& target) { return std::vector<std::string>{"in.b5", target}; }, 0,
       [](const std::string& target, int error) {
         namespace msg = cizu_converter::msg;
         return refused_with_report(platform::format(msg::kBanner, platform::build_date()) + msg::kNotice,
                                    target, error);
       }},
      {"KESTRAWN", KESTRAWN_PATH, "out.DBG", "in.B5", "\xA4\x40\xA4\x41 A 4\na \xA4\x40\n",
       "\xA4\x40\xA4\x41 A 4\n" + test_support::repeat("a \xA4\x40\n", 5000),
       [](const std::string& target) { return std::vector<std::string>{"in.B5", target}; }, 0,
       [](const std::string& target, int error) {
         namespace msg = input_table_converter::msg;
         return refused_with_report(platform::format(msg::kTitle, platform::build_date()) + msg::kNoticeLine,
                                    target, error);
       }},
      {"LEXMOOR", LEXMOOR_PATH, "LEXMOOR.DBG", "", "", "", [](const std::string&) { return std::vector<std::string>{"#"}; },
       1,
       [](const std::string&, int) {
         namespace msg = phrase_tool::msg;
         return ProcessResult{msg::kCantOpenDictionary,
                              platform::format(msg::kBanner, platform::build_date()) + msg::kNotice, 1, 0};
       }},
  };
  return list;
}

ProcessOptions in_folder(const ScratchDir& dir) {
  ProcessOptions options;
  options.cwd = dir.path();
  options.time_limit_seconds = kTimeLimitSeconds;
  return options;
}

void write_inputs(const ScratchDir& dir, const Program& p) {
  if (!p.input_name.empty()) dir.write(p.input_name, p.input);
}

// The test's own working folder for a while: a target path of 4090 bytes fits the system's limit
// only relative to its scratch folder.
class InFolder {
 public:
  explicit InFolder(const ScratchDir& dir) : previous_(::open(".", O_RDONLY | O_DIRECTORY)) {
    EXPECT_EQ(::chdir(dir.path().c_str()), 0);
  }
  ~InFolder() {
    EXPECT_EQ(::fchdir(previous_), 0);
    ::close(previous_);
  }
  InFolder(const InFolder&) = delete;
  InFolder& operator=(const InFolder&) = delete;

 private:
  int previous_;
};

void make_folders_on_the_way(const ScratchDir& dir, const std::string& target) {
  const fs::path folders = fs::path(target).parent_path();
  if (folders.empty()) return;
  InFolder in(dir);
  fs::create_directories(folders);
}

std::string read_relative(const ScratchDir& dir, const std::string& target) {
  InFolder in(dir);
  return test_support::read_file(target);
}

// The run into a plain new file of the same name: what every other kind of target must match.
struct Reference {
  ProcessResult result;
  std::string bytes;
};

Reference reference_run(const Program& p, const std::string& target) {
  ScratchDir dir;
  write_inputs(dir, p);
  // A target deep in folders needs its folders in the reference run too.
  make_folders_on_the_way(dir, target);
  Reference r{test_support::run_process(p.path, p.args(target), in_folder(dir)), ""};
  r.bytes = read_relative(dir, target);
  return r;
}

bool holds_temporary_file(const ScratchDir& dir) {
  for (const std::string& name : dir.entries()) {
    if (name.rfind(platform::kTemporaryPrefix, 0) == 0) return true;
  }
  return false;
}

// Waits, for at most the time limit, until the held program has created its temporary file.
bool temporary_file_appears(const ScratchDir& dir) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kTimeLimitSeconds);
  while (!holds_temporary_file(dir)) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

void expect_same_run(const ProcessResult& r, const ProcessResult& expected) {
  EXPECT_EQ(r.signal, 0);
  EXPECT_EQ(r.status, expected.status);
  EXPECT_EQ(r.out, expected.out);
  EXPECT_EQ(r.err, expected.err);
}

// ---------------------------------------------------------------------------------------------
// Kinds of target.

constexpr char kDeviceLanded[] = "(still the character device)";

struct Placed {
  std::string skip_reason;
  int reader = -1;  // a FIFO's reading end, held by the test
};

enum class TargetName {
  kPlain,
  kLongName,  // a target name of 250 bytes
  kLongPath,  // a target path of 4090 bytes, folders of 200 bytes on its way; LEXMOOR's name is fixed
};

struct TargetKind {
  const char* name;
  TargetName target_name;
  void (*place)(const ScratchDir& dir, const std::string& target, Placed& placed);
  int refusal;  // 0: the run writes; otherwise the error number the check fails with
  // Where the bytes of a run that writes landed.
  std::string (*landed)(const ScratchDir& dir, const std::string& target, const Placed& placed);
};

std::string read_target(const ScratchDir& dir, const std::string& target, const Placed&) {
  return read_relative(dir, target);
}

void place_character_device(const ScratchDir& dir, const std::string& target, Placed& placed) {
  if (::geteuid() != 0) {
    // Only root makes a device, and only root could hurt /dev/null itself; anyone else may aim at it.
    fs::create_symlink("/dev/null", dir / target);
    return;
  }
  std::string copy = (dir / target).string();
  int fd = -1;
  if (::mknod(copy.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) != 0 || (fd = ::open(copy.c_str(), O_WRONLY)) < 0) {
    placed.skip_reason = "a copy of /dev/null cannot be made or opened here: " + platform::error_text(errno);
    return;
  }
  ::close(fd);
}

std::string device_landed(const ScratchDir& dir, const std::string& target, const Placed&) {
  return fs::is_character_file(dir / target) ? kDeviceLanded : "replaced by a regular file";
}

void place_fifo_with_reader(const ScratchDir& dir, const std::string& target, Placed& placed) {
  ASSERT_EQ(::mkfifo((dir / target).c_str(), 0644), 0);
  placed.reader = ::open((dir / target).c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(placed.reader, 0);
  ASSERT_GE(::fcntl(placed.reader, F_SETPIPE_SZ, kPipeBytes), kPipeBytes);
}

std::string fifo_landed(const ScratchDir&, const std::string&, const Placed& placed) {
  std::string bytes;
  char chunk[65536];
  ssize_t n;
  while ((n = ::read(placed.reader, chunk, sizeof chunk)) > 0) bytes.append(chunk, static_cast<std::size_t>(n));
  return bytes;
}

void place_fifo(const ScratchDir& dir, const std::string& target, Placed&) {
  ASSERT_EQ(::mkfifo((dir / target).c_str(), 0644), 0);
}

void place_dangling_link(const ScratchDir& dir, const std::string& target, Placed&) {
  fs::create_symlink("real", dir / target);
}

std::string dangling_link_landed(const ScratchDir& dir, const std::string& target, const Placed&) {
  return fs::is_symlink(dir / target) ? dir.read("real") : "the link was replaced";
}

void place_link_into_missing_folder(const ScratchDir& dir, const std::string& target, Placed&) {
  fs::create_symlink("missing/real", dir / target);
}

void place_link_loop(const ScratchDir& dir, const std::string& target, Placed&) {
  fs::create_symlink(target, dir / target);
}

void place_socket(const ScratchDir& dir, const std::string& target, Placed&) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::string path = (dir / target).string();
  ASSERT_LT(path.size(), sizeof address.sun_path);
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::close(fd);
}

void place_nothing(const ScratchDir&, const std::string&, Placed&) {}

void place_folders_on_the_way(const ScratchDir& dir, const std::string& target, Placed&) {
  make_folders_on_the_way(dir, target);
}

std::string target_named(const TargetKind& kind, const std::string& target) {
  const std::string extension = target.substr(target.size() - 4);
  switch (kind.target_name) {
    case TargetName::kPlain: return target;
    case TargetName::kLongName: return std::string(250 - 4, 'n') + extension;
    case TargetName::kLongPath: {
      std::string path;
      while (path.size() + 201 + 12 < 4090) path += std::string(200, 'f') + "/";
      return path + std::string(4090 - path.size() - extension.size(), 'n') + extension;
    }
  }
  return target;
}

const std::vector<TargetKind>& kinds() {
  static const std::vector<TargetKind> list = {
      {"CharacterDevice", TargetName::kPlain, place_character_device, 0, device_landed},
      {"FifoWithReader", TargetName::kPlain, place_fifo_with_reader, 0, fifo_landed},
      {"FifoWithoutReader", TargetName::kPlain, place_fifo, ENXIO, nullptr},
      {"DanglingLink", TargetName::kPlain, place_dangling_link, 0, dangling_link_landed},
      {"LinkIntoMissingFolder", TargetName::kPlain, place_link_into_missing_folder, ENOENT, nullptr},
      {"LinkLoop", TargetName::kPlain, place_link_loop, ELOOP, nullptr},
      {"Socket", TargetName::kPlain, place_socket, ENXIO, nullptr},
      {"NameOf250Bytes", TargetName::kLongName, place_nothing, 0, read_target},
      {"PathOf4090Bytes", TargetName::kLongPath, place_folders_on_the_way, 0, read_target},
  };
  return list;
}

struct TargetCase {
  const Program* program;
  const TargetKind* kind;
};

void PrintTo(const TargetCase& c, std::ostream* os) { *os << c.program->name << " " << c.kind->name; }

std::vector<TargetCase> target_cases() {
  std::vector<TargetCase> cases;
  for (const Program& p : programs()) {
    for (const TargetKind& k : kinds()) {
      if (k.target_name != TargetName::kPlain && p.input_name.empty()) continue;
      cases.push_back({&p, &k});
    }
  }
  return cases;
}

class OutputTarget : public ::testing::TestWithParam<TargetCase> {};

TEST_P(OutputTarget, IsWrittenThroughOrRefusedAtTheCheck) {
  const Program& p = *GetParam().program;
  const TargetKind& kind = *GetParam().kind;
  const std::string target = target_named(kind, p.target);
  ScratchDir dir;
  write_inputs(dir, p);
  Placed placed;
  kind.place(dir, target, placed);
  if (!placed.skip_reason.empty()) GTEST_SKIP() << placed.skip_reason;
  std::vector<std::string> before = dir.entries();

  ProcessResult r = test_support::run_process(p.path, p.args(target), in_folder(dir));
  if (kind.refusal != 0) {
    expect_same_run(r, p.refused(target, kind.refusal));
    EXPECT_EQ(dir.entries(), before);
  } else {
    Reference expected = reference_run(p, target);
    expect_same_run(r, expected.result);
    EXPECT_EQ(kind.landed(dir, target, placed), kind.landed == device_landed ? kDeviceLanded : expected.bytes);
  }
  EXPECT_FALSE(holds_temporary_file(dir));
  if (placed.reader >= 0) ::close(placed.reader);
}

INSTANTIATE_TEST_SUITE_P(Kinds, OutputTarget, ::testing::ValuesIn(target_cases()),
                         [](const ::testing::TestParamInfo<TargetCase>& param) {
                           return std::string(param.param.program->name) + "_" + param.param.kind->name;
                         });

// ---------------------------------------------------------------------------------------------
// Signals and standard output.

// Every signal whose default action ends a program, but SIGKILL, which no program can catch, and
// SIGPIPE and SIGXFSZ, which the programs ignore.
struct EndingSignal {
  const char* name;
  int number;
};
const std::vector<EndingSignal>& ending_signals() {
  static const std::vector<EndingSignal> list = {
      {"SIGHUP", SIGHUP}, {"SIGINT", SIGINT}, {"SIGQUIT", SIGQUIT}, {"SIGILL", SIGILL}, {"SIGTRAP", SIGTRAP},
      {"SIGABRT", SIGABRT}, {"SIGBUS", SIGBUS}, {"SIGFPE", SIGFPE}, {"SIGUSR1", SIGUSR1}, {"SIGSEGV", SIGSEGV},
      {"SIGUSR2", SIGUSR2}, {"SIGALRM", SIGALRM}, {"SIGTERM", SIGTERM}, {"SIGSTKFLT", SIGSTKFLT},
      {"SIGXCPU", SIGXCPU}, {"SIGVTALRM", SIGVTALRM}, {"SIGPROF", SIGPROF}, {"SIGIO", SIGIO},
      {"SIGPWR", SIGPWR}, {"SIGSYS", SIGSYS}, {"SIGRTMIN", SIGRTMIN}, {"SIGRTMAX", SIGRTMAX},
  };
  return list;
}

struct SignalCase {
  const Program* program;
  const EndingSignal* signal;
};

void PrintTo(const SignalCase& c, std::ostream* os) { *os << c.program->name << " " << c.signal->name; }

std::vector<SignalCase> signal_cases() {
  std::vector<SignalCase> cases;
  for (const Program& p : programs()) {
    for (const EndingSignal& s : ending_signals()) cases.push_back({&p, &s});
  }
  return cases;
}

// Holds the program mid-run with its temporary file open: TOMBRAL and KESTRAWN wait on an input
// FIFO that the test keeps open, LEXMOOR on a standard output nobody reads yet.
class HeldRun {
 public:
  HeldRun(const Program& p, const ScratchDir& dir, const std::string& target) {
    if (!p.input_name.empty()) {
      EXPECT_EQ(::mkfifo((dir / p.input_name).c_str(), 0644), 0);
      input_ = ::open((dir / p.input_name).c_str(), O_RDWR);  // never waits for the program's end
      EXPECT_GE(input_, 0);
      std::string first_line = p.input.substr(0, p.input.find('\n') + 1);
      EXPECT_EQ(::write(input_, first_line.data(), first_line.size()), static_cast<ssize_t>(first_line.size()));
    }
    running_.emplace(p.path, p.args(target), in_folder(dir));
  }
  ~HeldRun() {
    if (input_ >= 0) ::close(input_);
  }
  HeldRun(const HeldRun&) = delete;
  HeldRun& operator=(const HeldRun&) = delete;

  ProcessResult end_by(int signal_number) {
    running_->send_signal(signal_number);
    return running_->wait();
  }

 private:
  int input_ = -1;
  std::optional<RunningProcess> running_;
};

// Under AddressSanitizer a fault signal goes on to the sanitizer's own handler, which reports it and
// exits instead of dying of it.
bool died_of(const ProcessResult& r, int signal_number) {
#ifdef BIG5_SANITIZED
  if (signal_number == SIGSEGV || signal_number == SIGBUS || signal_number == SIGFPE) return r.signal != 0 || r.status != 0;
#endif
  return r.signal == signal_number;
}

class OutputSignal : public ::testing::TestWithParam<SignalCase> {};

TEST_P(OutputSignal, RemovesTheTemporaryFileAndDiesOfTheSignal) {
  const Program& p = *GetParam().program;
  ScratchDir dir;
  dir.write(p.target, kOldOutput);
  HeldRun held(p, dir, p.target);
  ASSERT_TRUE(temporary_file_appears(dir));
  ProcessResult r = held.end_by(GetParam().signal->number);
  EXPECT_TRUE(died_of(r, GetParam().signal->number)) << "status " << r.status << ", signal " << r.signal;
  EXPECT_FALSE(holds_temporary_file(dir));
  EXPECT_EQ(dir.read(p.target), kOldOutput);
}

INSTANTIATE_TEST_SUITE_P(Signals, OutputSignal, ::testing::ValuesIn(signal_cases()),
                         [](const ::testing::TestParamInfo<SignalCase>& param) {
                           return std::string(param.param.program->name) + "_" + param.param.signal->name;
                         });

class OutputProgram : public ::testing::TestWithParam<Program> {};

// The temporary file is removed through its folder's descriptor, wherever the folder went
// meanwhile. LEXMOOR writes into its working folder only, which goes along with it.
TEST_P(OutputProgram, FolderMovedMidRunKeepsNoTemporaryFile) {
  const Program& p = GetParam();
  if (p.input_name.empty()) GTEST_SKIP() << "LEXMOOR's output is always in its working folder";
  ScratchDir dir;
  ScratchDir out;
  const fs::path moved = out / "moved";
  fs::create_directory(out / "sub");
  write_file(out / "sub" / p.target, kOldOutput);
  HeldRun held(p, dir, (out / "sub" / p.target).string());
  auto temporary_in = [&](const fs::path& folder) {
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (entry.path().filename().string().rfind(platform::kTemporaryPrefix, 0) == 0) return true;
    }
    return false;
  };
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kTimeLimitSeconds);
  while (!temporary_in(out / "sub") && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_TRUE(temporary_in(out / "sub"));
  fs::rename(out / "sub", moved);
  ProcessResult r = held.end_by(SIGTERM);
  EXPECT_EQ(r.signal, SIGTERM);
  EXPECT_FALSE(temporary_in(moved));
  EXPECT_EQ(test_support::read_file(moved / p.target), kOldOutput);
}

// Closed standard descriptors are taken by /dev/null before any file is opened, so no file takes
// their place and the output holds the dictionary alone, as in a run with all three open. The
// input is long enough that the messages are flushed while the output is still being written.
TEST_P(OutputProgram, ClosedStandardDescriptorsLeaveTheOutputWhole) {
  const Program& p = GetParam();
  std::string expected_bytes;
  int expected_status = -1;
  for (const std::vector<int>& closed :
       std::vector<std::vector<int>>{{}, {0}, {1}, {2}, {0, 1}, {0, 2}, {1, 2}, {0, 1, 2}}) {
    ScratchDir dir;
    if (!p.input_name.empty()) dir.write(p.input_name, p.bulky_input);
    ProcessOptions options = in_folder(dir);
    options.closed_descriptors = closed;
    ProcessResult r = test_support::run_process(p.path, p.args(p.target), options);
    if (closed.empty()) {
      expected_bytes = dir.read(p.target);
      expected_status = r.status;
      ASSERT_EQ(expected_status, p.written_status) << r.out << r.err;
      continue;
    }
    const std::string which = ::testing::PrintToString(closed);
    EXPECT_EQ(r.status, expected_status) << which;
    EXPECT_EQ(dir.read(p.target), expected_bytes) << which;
    EXPECT_FALSE(holds_temporary_file(dir)) << which;
  }
}

// An output that is standard output itself (a link to /dev/stdout, standard output a pipe) takes the
// dictionary alone; the messages go to standard error. A character device as both (/dev/null)
// takes them all as they come.
TEST_P(OutputProgram, StandardOutputAsTheOutputGetsTheDictionaryAlone) {
  const Program& p = GetParam();
  const Reference expected = reference_run(p, p.target);
  ScratchDir dir;
  write_inputs(dir, p);
  fs::create_symlink("/dev/stdout", dir / p.target);
  ProcessResult r = test_support::run_process(p.path, p.args(p.target), in_folder(dir));
  EXPECT_EQ(r.status, expected.result.status);
  EXPECT_EQ(r.out, expected.bytes);
  EXPECT_EQ(r.err, expected.result.err + expected.result.out);
  EXPECT_FALSE(holds_temporary_file(dir));

  fs::remove(dir / p.target);
  fs::create_symlink("/dev/null", dir / p.target);
  ProcessOptions options = in_folder(dir);
  options.stdout_path = "/dev/null";
  r = test_support::run_process(p.path, p.args(p.target), options);
  EXPECT_EQ(r.status, expected.result.status);
  EXPECT_EQ(r.err, expected.result.err);
}

// Until the commit the temporary file that replaces a file opens for no one: a descriptor opened on
// it then would outlive every later change of its owner, access list and mode.
TEST_P(OutputProgram, TemporaryFileOpensForNoOneWhileHeld) {
  const Program& p = GetParam();
  ScratchDir dir;
  dir.write(p.target, kOldOutput);
  fs::permissions(dir / p.target, fs::perms(0666), fs::perm_options::replace);
  HeldRun held(p, dir, p.target);
  ASSERT_TRUE(temporary_file_appears(dir));
  for (const std::string& name : dir.entries()) {
    if (name.rfind(platform::kTemporaryPrefix, 0) != 0) continue;
    struct stat st {};
    ASSERT_EQ(::stat((dir / name).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0u) << std::oct << (st.st_mode & 07777);
  }
  EXPECT_EQ(held.end_by(SIGTERM).signal, SIGTERM);
}

// A closed standard input is no empty input: a table named /dev/stdin fails to read, and the old
// output stays.
TEST_P(OutputProgram, ClosedStandardInputReadsAsAnError) {
  const Program& p = GetParam();
  ScratchDir dir;
  dir.write(p.target, kOldOutput);
  fs::create_symlink("/dev/stdin", dir / (p.input_name.empty() ? "source" : p.input_name));
  ProcessOptions options = in_folder(dir);
  options.closed_descriptors = {0};
  const std::vector<std::string> args = p.input_name.empty() ? std::vector<std::string>{"$source"} : p.args(p.target);
  ProcessResult r = test_support::run_process(p.path, args, options);
  const std::string name = p.input_name.empty() ? "source" : p.input_name;
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find(platform::read_error_report(name, EISDIR)), std::string::npos) << r.out;
  EXPECT_EQ(dir.read(p.target), kOldOutput);
  EXPECT_FALSE(holds_temporary_file(dir));
}

// A file's access list comes back with it: the owning group still gets nothing and the named user
// keeps what the list gave.
TEST_P(OutputProgram, KeepsTheAccessList) {
  const Program& p = GetParam();
  ScratchDir dir;
  write_inputs(dir, p);
  dir.write(p.target, kOldOutput);
  // Owner rw-, the user nobody rw-, the owning group ---, mask rw-, others ---: mode 0660.
  std::string list;
  big5dict::append_u32(list, 2);
  for (auto [tag, permissions, id] : {std::tuple{0x01, 6, ~0u}, {0x02, 6, 65534u}, {0x04, 0, ~0u}, {0x10, 6, ~0u},
                                      {0x20, 0, ~0u}}) {
    big5dict::append_u16(list, static_cast<std::uint16_t>(tag));
    big5dict::append_u16(list, static_cast<std::uint16_t>(permissions));
    big5dict::append_u32(list, id);
  }
  const std::string path = (dir / p.target).string();
  if (::setxattr(path.c_str(), platform::kAccessListAttribute, list.data(), list.size(), 0) != 0) {
    GTEST_SKIP() << "this file system keeps no access lists here: " << platform::error_text(errno);
  }
  ProcessResult r = test_support::run_process(p.path, p.args(p.target), in_folder(dir));
  EXPECT_EQ(r.status, p.written_status) << r.out << r.err;
  EXPECT_NE(dir.read(p.target), kOldOutput);
  std::string after(4096, '\0');
  ssize_t n = ::getxattr(path.c_str(), platform::kAccessListAttribute, after.data(), after.size());
  ASSERT_GE(n, 0) << platform::error_text(errno);
  EXPECT_EQ(test_support::hex(after.substr(0, static_cast<std::size_t>(n))), test_support::hex(list));
  EXPECT_EQ(fs::status(path).permissions(), fs::perms(0660));
}

// A user who may write the folder points the output's link at another file right after the program
// checked it. The name no longer leads to the file whose owner and mode were taken: the run fails at
// the check and both files stay exactly as they were.
TEST_P(OutputProgram, LinkChangedUnderTheCheckFailsCleanly) {
#ifdef BIG5_SANITIZED
  GTEST_SKIP() << "the flipping library is preloaded in the release build only";
#else
  const Program& p = GetParam();
  struct Flip {
    const char* from;  // what the link names at the start
    const char* to;    // what it names once the program opened it
  };
  for (Flip flip : {Flip{"own", "victim"}, Flip{"missing", "victim"}, Flip{"victim", "missing"},
                    Flip{"own", "elsewhere/missing"}}) {
    ScratchDir dir;
    write_inputs(dir, p);
    dir.write("own", "the folder writer's own file");
    dir.write("victim", "the victim's bytes");
    fs::create_directory(dir / "elsewhere");
    fs::permissions(dir / "own", fs::perms(0666), fs::perm_options::replace);
    fs::permissions(dir / "victim", fs::perms(0600), fs::perm_options::replace);
    if (::geteuid() == 0) {
      ASSERT_EQ(::chown((dir / "own").c_str(), test_support::kNobody, test_support::kNobody), 0);
    }
    fs::create_symlink(flip.from, dir / p.target);
    struct stat own_before {}, victim_before {};
    ASSERT_EQ(::stat((dir / "own").c_str(), &own_before), 0);
    ASSERT_EQ(::stat((dir / "victim").c_str(), &victim_before), 0);

    ProcessOptions options = in_folder(dir);
    options.environment = {{"LD_PRELOAD", LINK_SWAP_SHIM}, {"FLIP_LINK", p.target}, {"FLIP_TO", flip.to}};
    ProcessResult r = test_support::run_process(p.path, p.args(p.target), options);
    const std::string which = std::string(flip.from) + " to " + flip.to;
    expect_same_run(r, p.refused(p.target, platform::kTargetChanged));
    for (auto [name, before, bytes] : {std::tuple{"own", own_before, "the folder writer's own file"},
                                       {"victim", victim_before, "the victim's bytes"}}) {
      struct stat after {};
      ASSERT_EQ(::stat((dir / name).c_str(), &after), 0) << which;
      EXPECT_TRUE(after.st_ino == before.st_ino && after.st_mode == before.st_mode && after.st_uid == before.st_uid)
          << which << ": " << name;
      EXPECT_EQ(dir.read(name), bytes) << which;
    }
    EXPECT_FALSE(dir.exists("missing")) << which;
    EXPECT_TRUE(fs::is_empty(dir / "elsewhere")) << which;
    EXPECT_FALSE(holds_temporary_file(dir)) << which;
  }
#endif
}

// A name that is free at the check and then becomes another user's link in a sticky folder open to
// all is not followed, as the system would not follow it either: nothing is made where it leads.
TEST_P(OutputProgram, ProtectedLinkMadeUnderTheCheckIsNotFollowed) {
#ifdef BIG5_SANITIZED
  GTEST_SKIP() << "the flipping library is preloaded in the release build only";
#else
  if (::geteuid() != 0) GTEST_SKIP() << "a link of another user needs root";
  const Program& p = GetParam();
  ScratchDir dir;
  test_support::FolderModeRestorer restorer{dir};
  write_inputs(dir, p);
  ScratchDir elsewhere;
  fs::permissions(dir.path(), fs::perms(01777), fs::perm_options::replace);
  ProcessOptions options = in_folder(dir);
  options.environment = {{"LD_PRELOAD", LINK_SWAP_SHIM}, {"FLIP_LINK", p.target},
                         {"FLIP_TO", (elsewhere / "made").string()}, {"FLIP_OWNER", std::to_string(test_support::kNobody)}};
  ProcessResult r = test_support::run_process(p.path, p.args(p.target), options);
  expect_same_run(r, p.refused(p.target, EACCES));
  EXPECT_TRUE(fs::is_empty(elsewhere.path()));
  EXPECT_FALSE(holds_temporary_file(dir));
#endif
}

// What the check can know from the folder and the target: a folder that is append-only (the
// rename and the removal would both be refused) and a target that is a mount point (the rename
// would be). Both fail at the check, before anything is converted.
TEST_P(OutputProgram, FrozenFolderAndMountPointAreRefusedAtTheCheck) {
  if (::geteuid() != 0) GTEST_SKIP() << "making a folder append-only or mounting needs root";
  const Program& p = GetParam();
  {
    ScratchDir dir;
    write_inputs(dir, p);
    dir.write(p.target, kOldOutput);
    const int folder = ::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(folder, 0);
    int flags = 0;
    const bool frozen = ::ioctl(folder, FS_IOC_GETFLAGS, &flags) == 0 &&
                        (flags |= FS_APPEND_FL, ::ioctl(folder, FS_IOC_SETFLAGS, &flags) == 0);
    if (frozen) {
      ProcessResult r = test_support::run_process(p.path, p.args(p.target), in_folder(dir));
      flags &= ~FS_APPEND_FL;
      ASSERT_EQ(::ioctl(folder, FS_IOC_SETFLAGS, &flags), 0);
      expect_same_run(r, p.refused(p.target, EPERM));
      EXPECT_EQ(dir.read(p.target), kOldOutput);
      EXPECT_FALSE(holds_temporary_file(dir));
    }
    ::close(folder);
  }
  ScratchDir dir;
  write_inputs(dir, p);
  dir.write(p.target, kOldOutput);
  dir.write("mounted", "a file mounted over the target");
  if (::mount((dir / "mounted").c_str(), (dir / p.target).c_str(), nullptr, MS_BIND, nullptr) != 0) {
    GTEST_SKIP() << "no bind mount here: " << platform::error_text(errno);
  }
  ProcessResult r = test_support::run_process(p.path, p.args(p.target), in_folder(dir));
  ::umount((dir / p.target).c_str());
  expect_same_run(r, p.refused(p.target, EBUSY));
  EXPECT_EQ(dir.read(p.target), kOldOutput);
  EXPECT_FALSE(holds_temporary_file(dir));
}

// Progress lines that go nowhere change nothing: the product is the file.
TEST_P(OutputProgram, ClosedStandardOutputStillWritesTheDictionary) {
  const Program& p = GetParam();
  ScratchDir dir;
  write_inputs(dir, p);
  dir.write(p.target, kOldOutput);
  ProcessOptions options = in_folder(dir);
  options.stdout_closed = true;
  ProcessResult r = test_support::run_process(p.path, p.args(p.target), options);
  EXPECT_EQ(r.signal, 0);
  EXPECT_EQ(r.status, p.written_status);
  EXPECT_EQ(dir.read(p.target), reference_run(p, p.target).bytes);
  EXPECT_FALSE(holds_temporary_file(dir));
}

// A user who may write the folder swaps the fresh temporary file for a link to a file of someone
// else's; the writer changes only its own descriptor, so the victim keeps its mode, owner and bytes.
TEST_P(OutputProgram, SwappedTemporaryFileLeavesTheVictimAlone) {
#ifdef BIG5_SANITIZED
  GTEST_SKIP() << "the swapping library is preloaded in the release build only";
#else
  const Program& p = GetParam();
  ScratchDir dir;
  write_inputs(dir, p);
  dir.write(p.target, kOldOutput);
  fs::permissions(dir / p.target, fs::perms(0644), fs::perm_options::replace);
  dir.write("victim", "the victim's bytes");
  fs::permissions(dir / "victim", fs::perms(0600), fs::perm_options::replace);
  struct stat before {};
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown((dir / "victim").c_str(), test_support::kNobody, test_support::kNobody), 0);
  }
  ASSERT_EQ(::stat((dir / "victim").c_str(), &before), 0);

  ProcessOptions options = in_folder(dir);
  options.environment = {{"LD_PRELOAD", LINK_SWAP_SHIM}, {"SWAP_VICTIM", (dir / "victim").string()}};
  ProcessResult r = test_support::run_process(p.path, p.args(p.target), options);
  EXPECT_EQ(r.signal, 0);
  EXPECT_TRUE(fs::is_symlink(dir / p.target)) << "the swap took place and the link was renamed in";
  struct stat after {};
  ASSERT_EQ(::stat((dir / "victim").c_str(), &after), 0);
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(after.st_uid, before.st_uid);
  EXPECT_EQ(after.st_gid, before.st_gid);
  EXPECT_EQ(dir.read("victim"), "the victim's bytes");
#endif
}

// Owner and group are kept where the process may keep them, and set-id bits only with both.
TEST_P(OutputProgram, KeepsOwnerGroupAndSetIdBitsOnlyTogether) {
  if (::geteuid() != 0) GTEST_SKIP() << "giving a file to another user needs root";
  const Program& p = GetParam();
  struct Case {
    int run_as;  // -1: root
    uid_t owner;
    mode_t mode;
    uid_t owner_after;
    mode_t mode_after;
  };
  const uid_t nobody = test_support::kNobody;
  // The last one replaces its own file: the mode is set after the last write, which would clear
  // the set-id bits.
  for (Case c : {Case{-1, nobody, 04755, nobody, 04755}, Case{static_cast<int>(nobody), 0, 06777, nobody, 0777},
                 Case{static_cast<int>(nobody), nobody, 07777, nobody, 07777}}) {
    ScratchDir dir;
    test_support::FolderModeRestorer restorer{dir};
    write_inputs(dir, p);
    test_support::UnprivilegedUser user = test_support::unprivileged_user(dir, p.path);
    if (!user.skip_reason.empty()) GTEST_SKIP() << user.skip_reason;
    fs::permissions(dir.path(), fs::perms(0777), fs::perm_options::replace);
    dir.write(p.target, kOldOutput);
    ASSERT_EQ(::chown((dir / p.target).c_str(), c.owner, c.owner), 0);
    ASSERT_EQ(::chmod((dir / p.target).c_str(), c.mode), 0);
    ProcessOptions options = in_folder(dir);
    options.run_as_uid = c.run_as;
    ProcessResult r = test_support::run_process(user.program, p.args(p.target), options);
    EXPECT_EQ(r.status, p.written_status) << r.out << r.err;
    struct stat st {};
    ASSERT_EQ(::stat((dir / p.target).c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, c.owner_after);
    EXPECT_EQ(st.st_gid, c.owner_after);
    EXPECT_EQ(st.st_mode & 07777, c.mode_after) << std::oct << (st.st_mode & 07777);
    EXPECT_NE(dir.read(p.target), kOldOutput);
  }
}

INSTANTIATE_TEST_SUITE_P(Programs, OutputProgram, ::testing::ValuesIn(programs()), test_support::case_name<Program>);

}  // namespace
