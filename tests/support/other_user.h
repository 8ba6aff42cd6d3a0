// A child process of a test that gives up root's rights, to meet the limits
// an ordinary user meets: the tests run as root in CI, who may write any
// folder and give any file away.
#pragma once

#include <grp.h>
#include <sys/types.h>
#include <unistd.h>

namespace qv::test {

// Debian's "nobody" and "nogroup".
inline constexpr uid_t kOtherUid = 65534;
inline constexpr gid_t kOtherGid = 65534;

inline bool RunningAsRoot() { return ::geteuid() == 0; }

// Drops root's rights for good, its supplementary groups too. Only for a
// child process; false when it could not.
inline bool BecomeOtherUser() {
  return ::setgroups(0, nullptr) == 0 && ::setresgid(kOtherGid, kOtherGid, kOtherGid) == 0 &&
         ::setresuid(kOtherUid, kOtherUid, kOtherUid) == 0;
}

}  // namespace qv::test
