// Appends records in a loop until it is killed, for the crash-safety test. Record i has i best
// pages; after each append that returned success the child writes "i\n" to standard output. A
// failed append ends the loop, which the test sees as a child that stopped by itself.
// Usage: log_crash_child FOLDER FIRST_INDEX

#include <cstdio>
#include <cstdlib>

#include "log/DataFile.h"
#include "support/Fakes.h"

int main(int, char** argv) {
  pw::test::FakeMessages messages;
  pw::DataFile file(pw::DataFilePaths::inFolder(argv[1]), messages);
  for (long i = std::atol(argv[2]); file.appendPrintRecord(
           "6.12.2026", "10:20:30", static_cast<int>(i), 0, 0, "child", "record");
       ++i) {
    std::printf("%ld\n", i);
    std::fflush(stdout);
  }
  return 3;
}
