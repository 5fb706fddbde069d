// A program with the faults that the memory check is there to find, one per run, so that the
// check is seen to find them: "leak" loses a block it allocated, "overrun" reads past the end
// of a block, "none" does neither.
#include <cstring>

namespace {

int* volatile kept = nullptr;
volatile int seen = 0;

[[gnu::noinline]] int* allocate(int count) {
  return new int[static_cast<unsigned>(count)]();
}

[[gnu::noinline]] void loseABlock() {
  kept = allocate(4);
  kept = nullptr;
}

[[gnu::noinline]] void readPastTheEnd(int count) {
  int* block = allocate(count);
  int* volatile end = block + count;
  seen = *end;
  delete[] block;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2)
    return 2;
  if (std::strcmp(argv[1], "leak") == 0)
    loseABlock();
  else if (std::strcmp(argv[1], "overrun") == 0)
    readPastTheEnd(argc + 2);
  else if (std::strcmp(argv[1], "none") != 0)
    return 2;
  return 0;
}
