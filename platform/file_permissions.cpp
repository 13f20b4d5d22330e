// Reading and giving owner, group, mode, access list and security labels through descriptors.
#include "platform/file_permissions.h"

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "big5dict/bytes.h"

namespace platform {

namespace {

constexpr mode_t kSetIdBits = S_ISUID | S_ISGID;
constexpr mode_t kGroupBits = S_IRWXG;
constexpr mode_t kPermissionBits = 0777;

// Lists other than the POSIX one, and the labels of the security modules that decide who may read.
constexpr const char* kOtherAttributes[] = {"system.nfs4_acl", "system.richacl", "security.selinux",
                                            "security.SMACK64"};

// A POSIX access list as the system stores it: a version word, then 8-byte entries.
//
// OFFSET | SIZE | MEANING
// -------+------+------------------------------------------------
// 0      | 4    | version, 2
// 4+8i   | 2    | entry i: tag (0x04 is the owning group's entry)
// 6+8i   | 2    | entry i: permissions, read 4, write 2, execute 1
// 8+8i   | 4    | entry i: the user or group id of a named entry
constexpr std::size_t kListHeaderBytes = 4;
constexpr std::size_t kListEntryBytes = 8;
constexpr std::uint32_t kListVersion = 2;
constexpr std::uint16_t kGroupEntryTag = 0x04;
constexpr unsigned kGroupShift = 3;  // the permissions as the group bits of a mode

std::optional<std::string> attribute(int fd, const char* name) {
  ssize_t size = ::fgetxattr(fd, name, nullptr, 0);
  if (size < 0) return std::nullopt;
  std::string value(static_cast<std::size_t>(size), '\0');
  size = ::fgetxattr(fd, name, value.data(), value.size());
  if (size < 0) return std::nullopt;  // changed in between: taken as absent, the narrower choice
  value.resize(static_cast<std::size_t>(size));
  return value;
}

}  // namespace

KeptPermissions take_permissions(int fd, uid_t owner, gid_t group, mode_t mode) {
  KeptPermissions kept;
  kept.owner = owner;
  kept.group = group;
  kept.mode = mode & (kPermissionBits | kSetIdBits | S_ISVTX);
  kept.access_list = attribute(fd, kAccessListAttribute);
  for (const char* name : kOtherAttributes) {
    if (std::optional<std::string> value = attribute(fd, name)) kept.other_attributes.emplace_back(name, *value);
  }
  return kept;
}

mode_t access_list_group_bits(const std::string& list) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(list.data());
  if (list.size() < kListHeaderBytes || big5dict::get_u32(bytes) != kListVersion) return 0;
  for (std::size_t at = kListHeaderBytes; at + kListEntryBytes <= list.size(); at += kListEntryBytes) {
    if (big5dict::get_u16(bytes + at) == kGroupEntryTag) return static_cast<mode_t>((big5dict::get_u16(bytes + at + 2) & 07) << kGroupShift);
  }
  return 0;
}

int give_owner(int fd, KeptPermissions& kept) {
  struct stat now {};
  if (::fstat(fd, &now) != 0) return errno;
  if (now.st_uid != kept.owner || now.st_gid != kept.group) {
    if (::fchown(fd, kept.owner, kept.group) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), kept.group);
    if (::fstat(fd, &now) != 0) return errno;
  }
  // A set-id bit on a file of another owner or group would hand out rights its owner never gave.
  if (now.st_uid != kept.owner || now.st_gid != kept.group) kept.mode &= ~kSetIdBits;
  return 0;
}

void drop_inherited_access_list(int fd) { (void)::fremovexattr(fd, kAccessListAttribute); }

int give_permissions(int fd, const KeptPermissions& kept) {
  mode_t mode = kept.mode;
  if (kept.access_list &&
      ::fsetxattr(fd, kAccessListAttribute, kept.access_list->data(), kept.access_list->size(), 0) != 0) {
    mode &= ~kGroupBits | access_list_group_bits(*kept.access_list);
  }
  // Labels are the security modules' to grant: where one is refused, the folder's default stands.
  for (const auto& [name, value] : kept.other_attributes) {
    (void)::fsetxattr(fd, name.c_str(), value.data(), value.size(), 0);
  }
  // Last, as setting the list also sets the mode's bits: the group bits then give the list's mask
  // back, as the replaced file had it.
  if (::fchmod(fd, mode) != 0) return errno;
  return 0;
}

}  // namespace platform
