// Loaded into the program by privacy.py (LD_PRELOAD). On SIGUSR1, in the running program, it
// tries what the kernel must refuse and prints "probe: <what>: allowed | <errno name>" for each
// try, then "probe: done: ". Its TCP socket is made as it loads, before the program's main.
#include <fcntl.h>
#include <linux/io_uring.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const std::string home = std::getenv("HOME"), made = home + "/made-by-the-probe",
                  existing = home + "/existing",
                  tmp = "/tmp/quiravel-probe-" + std::to_string(getpid());
const int tcp = socket(AF_INET, SOCK_STREAM, 0);
const sockaddr_in local{
    AF_INET, htons(std::atoi(std::getenv("QUIRAVEL_PROBE_PORT"))), {htonl(INADDR_LOOPBACK)}, {}};

// No allocation here: the handler may run wherever the program was (idle, as a rule).
void tried(const char* what, long result) {
  dprintf(STDERR_FILENO, "probe: %s: %s\n", what, result < 0 ? strerrorname_np(errno) : "allowed");
}

void created(const char* what, const std::string& path) {
  tried(what, open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600));
  unlink(path.c_str());
}

void probe(int) {
  io_uring_params ring{};
  tried("AF_INET TCP socket", socket(AF_INET, SOCK_STREAM, 0));
  tried("AF_INET6 UDP socket", socket(AF_INET6, SOCK_DGRAM, 0));
  tried("AF_UNIX socket", socket(AF_UNIX, SOCK_STREAM, 0));
  tried("io_uring", syscall(SYS_io_uring_setup, 1, &ring));
  tried("TCP connect to 127.0.0.1",
        connect(tcp, reinterpret_cast<const sockaddr*>(&local), sizeof local));
  created("file created in /tmp", tmp);
  created("file created in HOME", made);
  tried("existing file opened for writing", open(existing.c_str(), O_WRONLY));
  dprintf(STDERR_FILENO, "probe: done: \n");
}

[[maybe_unused]] const auto installed = signal(SIGUSR1, probe);

}  // namespace
