#pragma once
// The few file-system calls that make a rewrite of the data file safe: a new file that is on the
// disk before it counts as written, and a rename that replaces the old file in one step.

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace pw {

// A file created (or truncated) for writing through a large buffer. finish() writes out the
// buffer, syncs the file to the disk and closes it; a file dropped without finish() is closed
// as it stands.
class DurableFile {
 public:
  DurableFile() = default;
  ~DurableFile();
  DurableFile(const DurableFile&) = delete;
  DurableFile& operator=(const DurableFile&) = delete;

  bool create(const std::string& path);
  // Gives the new file the mode, owner and group of the file it is to replace, as far as this
  // user may: a data file shared by a group stays shared, a private one stays private.
  void takeAccessOf(const std::string& original);
  // Buffered; a failed write is remembered and reported by finish().
  void write(std::string_view bytes);
  // Appends the first `length` bytes of the file at `path`, copied by the file system itself
  // where it offers that (the bytes then never pass through this process), otherwise in large
  // blocks. A failure, or a file shorter than that, is remembered as a failed write.
  void copyFrom(const std::string& path, std::uint64_t length);
  bool finish();
  // Closes the file as it stands, so that it can be removed (Windows removes no open file).
  void discard();

 private:
  void flush();
  int fd_ = -1;
  bool ok_ = true;
  std::string buffer_;
};

// Renames `from` onto `to`, replacing `to` in one step so that `to` never goes missing, then
// syncs the folder so the new name survives a power cut. On failure both files stay as they were.
// The replaced file's space is freed in the background, after this has returned.
bool replaceFile(const std::string& from, const std::string& to);
// Waits until the files replaced so far are freed.
void awaitReplacedFiles();

// An exclusive lock that the writers of one file take in every process, held on a lock file
// beside it. The lock file is removed again on release, so no stale file is left behind.
class FileLock {
 public:
  FileLock() = default;
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // Waits up to `wait` for another holder to finish; false when it did not within that time or
  // the lock file cannot be made.
  bool acquire(const std::string& lockPath, std::chrono::milliseconds wait);
  void release();
  // After a failed Acquire: no other holder was in the way, the lock file itself could not be
  // made (a folder this user cannot write to).
  bool cannotCreate() const { return cannotCreate_; }

 private:
#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int fd_ = -1;
#endif
  std::string path_;
  bool cannotCreate_ = false;
};

}  // namespace pw
