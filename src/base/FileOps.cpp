#include "base/FileOps.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <mutex>
#include <system_error>
#include <thread>

#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace pw {

namespace {
constexpr std::size_t kBufferSize = 256 * 1024;

#ifdef _WIN32
int openForReading(const std::string& path) {
  return _open(path.c_str(), _O_RDONLY | _O_BINARY);
}
long readSome(int fd, char* data, std::size_t size) {
  return _read(fd, data, static_cast<unsigned>(size));
}
int openForWriting(const std::string& path) {
  return _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
}
long writeSome(int fd, const char* data, std::size_t size) {
  return _write(fd, data, static_cast<unsigned>(size));
}
bool syncFile(int fd) {
  return _commit(fd) == 0;
}
int closeFile(int fd) {
  return _close(fd);
}
#else
int openForReading(const std::string& path) {
  return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
}
long readSome(int fd, char* data, std::size_t size) {
  return ::read(fd, data, size);
}
int openForWriting(const std::string& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}
long writeSome(int fd, const char* data, std::size_t size) {
  return ::write(fd, data, size);
}
bool syncFile(int fd) {
  return ::fsync(fd) == 0;
}
int closeFile(int fd) {
  return ::close(fd);
}

// Replacing a file frees the old copy's pages and blocks inside the rename, for a long log much
// of the whole rewrite's time, and nothing of the new copy waits for it. So the replaced file
// is kept open across the rename and closed on a thread of its own. A new file waits for the
// release before it is made, so that the old copy's space is free again first.
class Releases {
 public:
  ~Releases() { wait(); }
  void closeLater(int fd) {
    const std::lock_guard lock(mutex_);
    join();
    try {
      worker_ = std::thread([fd] { ::close(fd); });
    } catch (const std::system_error&) {
      ::close(fd);  // no thread to spare: released now
    }
  }
  void wait() {
    const std::lock_guard lock(mutex_);
    join();
  }

 private:
  void join() {
    if (worker_.joinable())
      worker_.join();
  }
  std::mutex mutex_;
  std::thread worker_;
};

Releases& releases() {
  static Releases instance;
  return instance;
}
#endif
}  // namespace

DurableFile::~DurableFile() {
  if (fd_ >= 0)
    closeFile(fd_);
}

bool DurableFile::create(const std::string& path) {
  awaitReplacedFiles();
  fd_ = openForWriting(path);
  ok_ = fd_ >= 0;
  buffer_.clear();
  buffer_.reserve(kBufferSize);
  return ok_;
}

void DurableFile::takeAccessOf(const std::string& original) {
#ifndef _WIN32
  struct stat old = {};
  if (fd_ < 0 || ::stat(original.c_str(), &old) != 0)
    return;
  // Owner and group first: changing them may clear the set-id bits that the mode then restores.
  if (::fchown(fd_, old.st_uid, old.st_gid) != 0 && ::fchown(fd_, (uid_t)-1, old.st_gid) != 0) {
    // Not a member of the group: the file keeps this user's group.
  }
  ::fchmod(fd_, old.st_mode & 07777);
#else
  (void)original;  // the new file inherits the folder's access rules
#endif
}

void DurableFile::write(std::string_view bytes) {
  if (!ok_)
    return;
  if (buffer_.size() + bytes.size() > kBufferSize)
    flush();
  buffer_.append(bytes);
}

void DurableFile::copyFrom(const std::string& path, std::uint64_t length) {
  if (!ok_)
    return;
  flush();
  const int in = openForReading(path);
  if (in < 0) {
    ok_ = false;
    return;
  }
  std::uint64_t done = 0;
#ifdef __linux__
  // Both files' offsets move on with the copy, so the block copy below resumes where this one
  // stopped: at once where the file system cannot copy between these two files.
  while (done < length) {
    const ssize_t n = ::copy_file_range(in, nullptr, fd_, nullptr, length - done, 0);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      break;
    done += static_cast<std::uint64_t>(n);
  }
#endif
  while (ok_ && done < length) {
    buffer_.resize(static_cast<std::size_t>(std::min<std::uint64_t>(kBufferSize, length - done)));
    const long n = readSome(in, buffer_.data(), buffer_.size());
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      ok_ = false;  // the file ended early or cannot be read
      break;
    }
    buffer_.resize(static_cast<std::size_t>(n));
    done += static_cast<std::uint64_t>(n);
    flush();
  }
  buffer_.clear();
  closeFile(in);
}

void DurableFile::flush() {
  const char* p = buffer_.data();
  std::size_t left = buffer_.size();
  while (ok_ && left > 0) {
    const long n = writeSome(fd_, p, left);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      ok_ = false;
      break;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  buffer_.clear();
}

bool DurableFile::finish() {
  if (fd_ < 0)
    return false;
  flush();
  if (ok_ && !syncFile(fd_))
    ok_ = false;
  if (closeFile(fd_) != 0)
    ok_ = false;
  fd_ = -1;
  return ok_;
}

void DurableFile::discard() {
  if (fd_ >= 0)
    closeFile(fd_);
  fd_ = -1;
  buffer_.clear();
}

bool replaceFile(const std::string& from, const std::string& to) {
#ifdef _WIN32
  return MoveFileExA(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
  // Not blocking: whatever stands at `to` (a pipe, say) is only held, never read.
  const int replaced = ::open(to.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (::rename(from.c_str(), to.c_str()) != 0) {
    if (replaced >= 0)
      ::close(replaced);
    return false;
  }
  // The rename is done; a folder that cannot be synced only weakens durability, not the result.
  const std::size_t slash = to.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "."
                             : slash == 0               ? "/"
                                                        : to.substr(0, slash);
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  if (replaced >= 0)
    releases().closeLater(replaced);
  return true;
#endif
}

void awaitReplacedFiles() {
#ifndef _WIN32
  releases().wait();
#endif
}

namespace {
// Holders keep the lock for one rewrite, a few milliseconds; a short poll keeps waiters quick.
constexpr auto kLockPoll = std::chrono::milliseconds(5);
}  // namespace

FileLock::~FileLock() {
  release();
}

#ifdef _WIN32
bool FileLock::acquire(const std::string& lockPath, std::chrono::milliseconds wait) {
  release();
  cannotCreate_ = false;
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    // Deleted on close, and shared for deletion so that the next holder can open it meanwhile.
    HANDLE h = CreateFileA(lockPath.c_str(), GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      OVERLAPPED at = {};
      if (LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
        handle_ = h;
        path_ = lockPath;
        return true;
      }
      CloseHandle(h);
    } else if (GetFileAttributesA(lockPath.c_str()) == INVALID_FILE_ATTRIBUTES &&
               (GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_PATH_NOT_FOUND)) {
      // Not there and not made: no holder is in the way (a deleted one still pending its last
      // close answers "access denied" instead).
      cannotCreate_ = true;
      return false;
    }
    if (std::chrono::steady_clock::now() >= deadline)
      return false;
    std::this_thread::sleep_for(kLockPoll);
  }
}

void FileLock::release() {
  if (handle_ != nullptr)
    CloseHandle(static_cast<HANDLE>(handle_));
  handle_ = nullptr;
}
#else
bool FileLock::acquire(const std::string& lockPath, std::chrono::milliseconds wait) {
  release();
  cannotCreate_ = false;
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    // Read-only is enough for flock, and lets a member of the file's group lock a lock file that
    // another user created.
    const int fd = ::open(lockPath.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
      cannotCreate_ = true;
      return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      // The previous holder may have removed the file between our open and our lock: then the
      // lock is on a file nobody else will find, and the next open starts over.
      struct stat held = {}, named = {};
      if (::fstat(fd, &held) == 0 && ::stat(lockPath.c_str(), &named) == 0 &&
          held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
        fd_ = fd;
        path_ = lockPath;
        return true;
      }
      ::close(fd);
      continue;
    }
    ::close(fd);
    if (std::chrono::steady_clock::now() >= deadline)
      return false;
    std::this_thread::sleep_for(kLockPoll);
  }
}

void FileLock::release() {
  if (fd_ < 0)
    return;
  // Removed while still locked, so a waiter that opened the old file notices and reopens.
  ::unlink(path_.c_str());
  ::close(fd_);
  fd_ = -1;
}
#endif

}  // namespace pw
