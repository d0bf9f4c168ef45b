#pragma once
// The few file-system calls that make a rewrite of the data file safe: a new file that is on the
// disk before it counts as written, and a rename that replaces the old file in one step.

#include <string>
#include <string_view>

namespace pw {

// A file created (or truncated) for writing through a large buffer. Finish() writes out the
// buffer, syncs the file to the disk and closes it; a file dropped without Finish() is closed
// as it stands.
class DurableFile {
 public:
  DurableFile() = default;
  ~DurableFile();
  DurableFile(const DurableFile&) = delete;
  DurableFile& operator=(const DurableFile&) = delete;

  bool Create(const std::string& path);
  // Buffered; a failed write is remembered and reported by Finish().
  void Write(std::string_view bytes);
  bool Finish();

 private:
  void Flush();
  int fd_ = -1;
  bool ok_ = true;
  std::string buffer_;
};

// Renames `from` onto `to`, replacing `to` in one step so that `to` never goes missing, then
// syncs the folder so the new name survives a power cut. On failure both files stay as they were.
bool ReplaceFile(const std::string& from, const std::string& to);

}  // namespace pw
