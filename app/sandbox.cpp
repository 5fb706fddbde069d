#include "app/sandbox.h"

#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/landlock.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <iterator>

namespace quiravel::app {
namespace {

void forbidDumps() {
  const rlimit none{0, 0};
  setrlimit(RLIMIT_CORE, &none);
  prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
}

// --- Landlock -------------------------------------------------------------------------------

// Debian 12's kernel headers describe Landlock ABI 1 and 2. What ABI 3 and 4 add is written out
// here, with the kernel's values, and used only when the running kernel reports that ABI.
constexpr std::uint64_t kAccessFsTruncate = 1ULL << 14;    // ABI 3
constexpr std::uint64_t kAccessNetBindTcp = 1ULL << 0;     // ABI 4
constexpr std::uint64_t kAccessNetConnectTcp = 1ULL << 1;  // ABI 4

// struct landlock_ruleset_attr as ABI 4 extends it. A kernel of ABI 1 to 3 is handed the first
// member alone (the size says how much there is); `scoped`, which ABI 6 appends, is left out:
// the display and the accessibility bus are reached through Unix sockets.
struct RulesetAttr {
  std::uint64_t handledAccessFs;
  std::uint64_t handledAccessNet;
};

// Every right that creates, writes, truncates, renames or removes. Execute and read are not
// handled, so they stay as they were: fonts, icons and plugins are read as they are needed.
constexpr std::uint64_t kWritesAbi1 =
    LANDLOCK_ACCESS_FS_WRITE_FILE | LANDLOCK_ACCESS_FS_REMOVE_DIR | LANDLOCK_ACCESS_FS_REMOVE_FILE |
    LANDLOCK_ACCESS_FS_MAKE_CHAR | LANDLOCK_ACCESS_FS_MAKE_DIR | LANDLOCK_ACCESS_FS_MAKE_REG |
    LANDLOCK_ACCESS_FS_MAKE_SOCK | LANDLOCK_ACCESS_FS_MAKE_FIFO | LANDLOCK_ACCESS_FS_MAKE_BLOCK |
    LANDLOCK_ACCESS_FS_MAKE_SYM;

// A ruleset that handles those rights and grants none of them, so the kernel refuses each one
// everywhere.
void forbidWrites() {
  const long abi =
      syscall(SYS_landlock_create_ruleset, nullptr, 0, LANDLOCK_CREATE_RULESET_VERSION);
  if (abi < 1) {
    return;
  }
  RulesetAttr attr{kWritesAbi1, 0};
  std::size_t size = sizeof attr.handledAccessFs;
  if (abi >= 2) {
    attr.handledAccessFs |= LANDLOCK_ACCESS_FS_REFER;
  }
  if (abi >= 3) {
    attr.handledAccessFs |= kAccessFsTruncate;
  }
  if (abi >= 4) {
    attr.handledAccessNet = kAccessNetBindTcp | kAccessNetConnectTcp;
    size = sizeof attr;
  }
  const long ruleset = syscall(SYS_landlock_create_ruleset, &attr, size, 0);
  if (ruleset < 0) {
    return;
  }
  syscall(SYS_landlock_restrict_self, ruleset, 0);
  close(static_cast<int>(ruleset));
}

// --- seccomp --------------------------------------------------------------------------------

// The filter is written for the architectures whose socket() is a system call of its own: where
// sockets are also made through socketcall() (i386, 32-bit ARM's old ABI, s390x, PowerPC), the
// family lies in memory that a filter cannot read, and there is no filter.
#if defined(__x86_64__)
#define QUIRAVEL_SECCOMP_ARCH AUDIT_ARCH_X86_64
#elif defined(__aarch64__)
#define QUIRAVEL_SECCOMP_ARCH AUDIT_ARCH_AARCH64
#elif defined(__riscv) && __riscv_xlen == 64
#define QUIRAVEL_SECCOMP_ARCH AUDIT_ARCH_RISCV64
#endif

#ifdef QUIRAVEL_SECCOMP_ARCH

constexpr sock_filter load(std::uint32_t offset) {
  return BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offset);
}
constexpr sock_filter jumpIfEqual(std::uint32_t value, std::uint8_t ifTrue, std::uint8_t ifFalse) {
  return BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, value, ifTrue, ifFalse);
}
constexpr sock_filter refuse(int error) {
  return BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | static_cast<std::uint32_t>(error));
}
constexpr sock_filter allow() {
  return BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW);
}

// The family, socket()'s and socketpair()'s first argument, is an int: the low half of the
// 64-bit argument.
constexpr std::uint32_t kFamily =
    offsetof(seccomp_data, args[0]) + (__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? 0 : 4);

// Refusals are errors, never a kill: a library that tries gets an answer it already handles.
// A system call of another ABI than the program's own (on x86_64: the i386 entry and x32
// numbers; the program makes none) is refused as unknown, whatever it is.
void forbidSockets() {
  const sock_filter filter[] = {
    load(offsetof(seccomp_data, arch)),
    jumpIfEqual(QUIRAVEL_SECCOMP_ARCH, 1, 0),
    refuse(ENOSYS),
    load(offsetof(seccomp_data, nr)),
#if defined(__x86_64__)
    BPF_JUMP(BPF_JMP | BPF_JGE | BPF_K, __X32_SYSCALL_BIT, 0, 1),
    refuse(ENOSYS),
#endif
    // io_uring makes sockets and opens files without the system calls checked here.
    jumpIfEqual(__NR_io_uring_setup, 0, 1),
    refuse(ENOSYS),
    // Another process's descriptors, a socket among them.
    jumpIfEqual(__NR_pidfd_getfd, 0, 1),
    refuse(EPERM),
    jumpIfEqual(__NR_socket, 1, 0),
    jumpIfEqual(__NR_socketpair, 0, 3),
    load(kFamily),
    jumpIfEqual(AF_UNIX, 1, 0),
    refuse(EAFNOSUPPORT),
    allow(),
  };
  const sock_fprog program{static_cast<unsigned short>(std::size(filter)),
                           const_cast<sock_filter*>(filter)};
  prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program, 0, 0);
}

#else

void forbidSockets() {}

#endif

}  // namespace

void enterSandbox() {
  forbidDumps();
  // Landlock and seccomp both need it from a process without CAP_SYS_ADMIN; it also keeps
  // anything the program might start from gaining privileges.
  if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0) {
    return;
  }
  forbidWrites();
  forbidSockets();
}

}  // namespace quiravel::app
