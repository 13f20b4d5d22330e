// The three writers run as processes against every kind of output target, against a folder writer
// who swaps the temporary file for a link, and against signals mid-run: what each shows, its
// status, where its bytes land, and that no temporary file is ever left behind.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "cizu_converter/messages.h"
#include "input_table_converter/messages.h"
#include "phrase_tool/messages.h"
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
       [](const std::string& target) { return std::vector<std::string>{"in.b5", target}; }, 0,
       [](const std::string& target, int error) {
         namespace msg = cizu_converter::msg;
         return refused_with_report(platform::format(msg::kBanner, platform::build_date()) + msg::kNotice,
                                    target, error);
       }},
      {"KESTRAWN", KESTRAWN_PATH, "out.DBG", "in.B5", "\xA4\x40\xA4\x41 A 4\na \xA4\x40\n",
       [](const std::string& target) { return std::vector<std::string>{"in.B5", target}; }, 0,
       [](const std::string& target, int error) {
         namespace msg = input_table_converter::msg;
         return refused_with_report(platform::format(msg::kTitle, platform::build_date()) + msg::kNoticeLine,
                                    target, error);
       }},
      {"LEXMOOR", LEXMOOR_PATH, "LEXMOOR.DBG", "", "", [](const std::string&) { return std::vector<std::string>{"#"}; },
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

// The run into a plain new file of the same name: what every other kind of target must match.
struct Reference {
  ProcessResult result;
  std::string bytes;
};

Reference reference_run(const Program& p, const std::string& target) {
  ScratchDir dir;
  write_inputs(dir, p);
  Reference r{test_support::run_process(p.path, p.args(target), in_folder(dir)), ""};
  r.bytes = dir.read(target);
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

struct TargetKind {
  const char* name;
  bool long_name;  // a target name of 250 bytes; LEXMOOR's names are fixed
  void (*place)(const ScratchDir& dir, const std::string& target, Placed& placed);
  int refusal;  // 0: the run writes; otherwise the error number the check fails with
  // Where the bytes of a run that writes landed.
  std::string (*landed)(const ScratchDir& dir, const std::string& target, const Placed& placed);
};

std::string read_target(const ScratchDir& dir, const std::string& target, const Placed&) { return dir.read(target); }

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

const std::vector<TargetKind>& kinds() {
  static const std::vector<TargetKind> list = {
      {"CharacterDevice", false, place_character_device, 0, device_landed},
      {"FifoWithReader", false, place_fifo_with_reader, 0, fifo_landed},
      {"FifoWithoutReader", false, place_fifo, ENXIO, nullptr},
      {"DanglingLink", false, place_dangling_link, 0, dangling_link_landed},
      {"LinkIntoMissingFolder", false, place_link_into_missing_folder, ENOENT, nullptr},
      {"LinkLoop", false, place_link_loop, ELOOP, nullptr},
      {"Socket", false, place_socket, ENXIO, nullptr},
      {"NameOf250Bytes", true, place_nothing, 0, read_target},
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
      if (k.long_name && p.input_name.empty()) continue;
      cases.push_back({&p, &k});
    }
  }
  return cases;
}

class OutputTarget : public ::testing::TestWithParam<TargetCase> {};

TEST_P(OutputTarget, IsWrittenThroughOrRefusedAtTheCheck) {
  const Program& p = *GetParam().program;
  const TargetKind& kind = *GetParam().kind;
  std::string target = p.target;
  if (kind.long_name) target = std::string(250 - 4, 'n') + target.substr(target.size() - 4);
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

struct SignalCase {
  const Program* program;
  int signal_number;
};

void PrintTo(const SignalCase& c, std::ostream* os) { *os << c.program->name << " " << c.signal_number; }

std::vector<SignalCase> signal_cases() {
  std::vector<SignalCase> cases;
  for (const Program& p : programs()) {
    for (int s : {SIGTERM, SIGINT, SIGHUP}) cases.push_back({&p, s});
  }
  return cases;
}

class OutputSignal : public ::testing::TestWithParam<SignalCase> {};

// The program is held mid-run with its temporary file open: TOMBRAL and KESTRAWN wait on an input
// FIFO that the test keeps open, LEXMOOR on a standard output nobody reads yet.
TEST_P(OutputSignal, RemovesTheTemporaryFileAndDiesOfTheSignal) {
  const Program& p = *GetParam().program;
  ScratchDir dir;
  dir.write(p.target, kOldOutput);
  int input = -1;
  if (!p.input_name.empty()) {
    ASSERT_EQ(::mkfifo((dir / p.input_name).c_str(), 0644), 0);
    input = ::open((dir / p.input_name).c_str(), O_RDWR);  // never waits for the program's end
    ASSERT_GE(input, 0);
    std::string first_line = p.input.substr(0, p.input.find('\n') + 1);
    ASSERT_EQ(::write(input, first_line.data(), first_line.size()), static_cast<ssize_t>(first_line.size()));
  }
  RunningProcess running(p.path, p.args(p.target), in_folder(dir));
  ASSERT_TRUE(temporary_file_appears(dir));
  running.send_signal(GetParam().signal_number);
  ProcessResult r = running.wait();
  if (input >= 0) ::close(input);
  EXPECT_EQ(r.signal, GetParam().signal_number);
  EXPECT_FALSE(holds_temporary_file(dir));
  EXPECT_EQ(dir.read(p.target), kOldOutput);
}

INSTANTIATE_TEST_SUITE_P(Signals, OutputSignal, ::testing::ValuesIn(signal_cases()),
                         [](const ::testing::TestParamInfo<SignalCase>& param) {
                           int s = param.param.signal_number;
                           return std::string(param.param.program->name) +
                                  (s == SIGTERM ? "_SIGTERM" : s == SIGINT ? "_SIGINT" : "_SIGHUP");
                         });

class OutputProgram : public ::testing::TestWithParam<Program> {};

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
  for (Case c : {Case{-1, nobody, 04755, nobody, 04755}, Case{static_cast<int>(nobody), 0, 06777, nobody, 0777}}) {
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
