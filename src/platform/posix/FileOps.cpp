#include "platform/FileOps.h"

#include <fcntl.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace pw {

namespace {
constexpr std::size_t kBufferSize = 256 * 1024;

#ifdef _WIN32
int OpenForWriting(const std::string& path) {
  return _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
}
long WriteSome(int fd, const char* data, std::size_t size) {
  return _write(fd, data, static_cast<unsigned>(size));
}
bool SyncFile(int fd) {
  return _commit(fd) == 0;
}
int CloseFile(int fd) {
  return _close(fd);
}
#else
int OpenForWriting(const std::string& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}
long WriteSome(int fd, const char* data, std::size_t size) {
  return ::write(fd, data, size);
}
bool SyncFile(int fd) {
  return ::fsync(fd) == 0;
}
int CloseFile(int fd) {
  return ::close(fd);
}
#endif
}  // namespace

DurableFile::~DurableFile() {
  if (fd_ >= 0)
    CloseFile(fd_);
}

bool DurableFile::Create(const std::string& path) {
  fd_ = OpenForWriting(path);
  ok_ = fd_ >= 0;
  buffer_.clear();
  buffer_.reserve(kBufferSize);
  return ok_;
}

void DurableFile::Write(std::string_view bytes) {
  if (!ok_)
    return;
  if (buffer_.size() + bytes.size() > kBufferSize)
    Flush();
  buffer_.append(bytes);
}

void DurableFile::Flush() {
  const char* p = buffer_.data();
  std::size_t left = buffer_.size();
  while (ok_ && left > 0) {
    const long n = WriteSome(fd_, p, left);
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

bool DurableFile::Finish() {
  if (fd_ < 0)
    return false;
  Flush();
  if (ok_ && !SyncFile(fd_))
    ok_ = false;
  if (CloseFile(fd_) != 0)
    ok_ = false;
  fd_ = -1;
  return ok_;
}

bool ReplaceFile(const std::string& from, const std::string& to) {
#ifdef _WIN32
  return MoveFileExA(from.c_str(), to.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
  if (::rename(from.c_str(), to.c_str()) != 0)
    return false;
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
  return true;
#endif
}

}  // namespace pw
