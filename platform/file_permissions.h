// Who may read and write the file that an output replaces: its owner, group and mode, its access
// list and the other attributes that say who may read it. They are taken from the replaced file's
// descriptor and given to the new file through its own, never through a path.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platform {

// The extended attribute that holds a file's POSIX access list.
constexpr char kAccessListAttribute[] = "system.posix_acl_access";

struct KeptPermissions {
  uid_t owner = 0;
  gid_t group = 0;
  mode_t mode = 0;  // permission and set-id bits
  std::optional<std::string> access_list;
  // Further lists and security labels, carried as they are where the system takes them back.
  std::vector<std::pair<std::string, std::string>> other_attributes;
};

// Takes what the file open as `fd` holds; `mode` and the ids are those fstat gave for it.
KeptPermissions take_permissions(int fd, uid_t owner, gid_t group, mode_t mode);


// Gives the new file the kept owner and group where the process may (only root gives a file away;
// anyone may keep a group of theirs). A set-id bit stays in `kept.mode` only when both were kept.
// Returns 0 or an error number.
int give_owner(int fd, KeptPermissions& kept);

// A new file in a folder with a default access list gets one; the file it replaces had none.
void drop_inherited_access_list(int fd);

// After the last write, as writing clears set-id bits: the access list and the other attributes,
// then the mode. Where the list cannot be set, the group bits are narrowed to its group entry,
// never widened. Returns 0 or an error number.
int give_permissions(int fd, const KeptPermissions& kept);

// The mode a file that replaces another is created with: none at all. Until the file has its
// owner, access list and mode, the folder's default access list or its set-group-ID group could
// otherwise let someone open it, and a descriptor opened then outlives every later change.
constexpr mode_t kReplacementCreationMode = 0;

// The group bits an access list allows the owning group (its group entry), as mode bits; none for
// a list that cannot be read.
mode_t access_list_group_bits(const std::string& list);

}  // namespace platform
