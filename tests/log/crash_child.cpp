// Appends records in a loop until it is killed, for the crash-safety test. Record i has i best
// pages; after each append that returned success the child writes "i\n" to standard output.
// Usage: log_crash_child FOLDER FIRST_INDEX

#include <cstdio>
#include <cstdlib>
#include <string>

#include "log/DataFile.h"

namespace {
class NoMessages : public pw::IMessages {
 public:
  void showError(const std::string&) override { std::_Exit(3); }
  bool askYesNo(const std::string&) override { return false; }
};
}  // namespace

int main(int, char** argv) {
  NoMessages messages;
  pw::DataFile file(pw::DataFilePaths::inFolder(argv[1]), messages);
  for (long i = std::atol(argv[2]); file.appendPrintRecord(
           "6.12.2026", "10:20:30", static_cast<int>(i), 0, 0, "child", "record");
       ++i) {
    std::printf("%ld\n", i);
    std::fflush(stdout);
  }
  return 3;
}
