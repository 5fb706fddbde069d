// The kernel's rules that hold the program to keeping nothing, whatever any code in it does:
// no core dump and no reader of its memory, no socket but local ones, no file written.
#pragma once

namespace quiravel::app {

// Sets the rules for the rest of the run, each one the kernel offers:
//   - core limit 0 and not dumpable: a crash leaves no core file and no crash handler's copy,
//     and no other process of the same user reads the memory through ptrace or /proc;
//   - no_new_privs, then a seccomp filter: socket() and socketpair() refused for every family
//     but AF_UNIX (the display and the buses), io_uring refused;
//   - Landlock (Linux 5.13 on): no file created, written, truncated, renamed or removed
//     anywhere, reading left as it is; from its ABI 4 on, TCP bind and connect refused too.
// What the kernel lacks is left out and the program runs on: nothing fails and nothing is
// printed. Call it first in main, while the process has its one thread (seccomp and Landlock
// bind the calling thread and the threads it makes afterwards).
void enterSandbox();

}  // namespace quiravel::app
