#include "log/LineReader.h"

#include <cstring>

namespace pw {

namespace {
constexpr std::size_t kBlockSize = 256 * 1024;
}

LineReader::LineReader(std::string_view text) : data_(text.data()), end_(text.size()) {}

LineReader::~LineReader() {
  close();
}

bool LineReader::open(const std::string& path) {
  close();
  file_ = std::fopen(path.c_str(), "rb");
  if (file_ == nullptr)
    return false;
  buffer_.resize(kBlockSize);
  data_ = buffer_.data();
  begin_ = scanned_ = end_ = 0;
  atEnd_ = false;
  failed_ = false;
  fill();
  // Opening a folder succeeds on some systems; its first read fails.
  if (failed_) {
    close();
    return false;
  }
  return true;
}

void LineReader::close() {
  if (file_ != nullptr)
    std::fclose(file_);
  file_ = nullptr;
  atEnd_ = true;
}

void LineReader::fill() {
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    scanned_ -= begin_;
    begin_ = 0;
  }
  if (end_ == buffer_.size())
    buffer_.resize(buffer_.size() * 2);
  data_ = buffer_.data();
  const std::size_t n = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
  end_ += n;
  if (n == 0) {
    atEnd_ = true;
    failed_ = std::ferror(file_) != 0;
  }
}

std::string_view LineReader::bufferedLines() {
  for (;;) {
    for (std::size_t last = end_; last > begin_; --last)
      if (data_[last - 1] == '\n')
        return std::string_view(data_ + begin_, last - begin_);
    scanned_ = end_;
    if (atEnd_)
      return {};
    fill();
  }
}

void LineReader::consume(std::size_t n) {
  begin_ += n;
  if (scanned_ < begin_)
    scanned_ = begin_;
}

bool LineReader::next(std::string_view& line) {
  for (;;) {
    const void* nl =
        scanned_ < end_ ? std::memchr(data_ + scanned_, '\n', end_ - scanned_) : nullptr;
    if (nl != nullptr) {
      const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(nl) - data_);
      std::size_t len = at - begin_;
      if (len > 0 && data_[at - 1] == '\r')
        --len;
      line = std::string_view(data_ + begin_, len);
      begin_ = scanned_ = at + 1;
      return true;
    }
    scanned_ = end_;
    if (atEnd_) {
      if (begin_ == end_)
        return false;
      line = std::string_view(data_ + begin_, end_ - begin_);
      begin_ = end_;
      return true;
    }
    fill();
  }
}

}  // namespace pw
