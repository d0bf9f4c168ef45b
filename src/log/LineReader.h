#pragma once
// Reads text lines the way the data file is read everywhere: a line is given without its "\n"
// and without a "\r" before it, and a last line without a line end is still a line. A file is
// read in large blocks, so memory stays flat however long the file grows; only a single line
// longer than a block makes the buffer grow.

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace pw {

class LineReader {
 public:
  // Lines of a text held in memory (no copy is made; the text must outlive the reader).
  explicit LineReader(std::string_view text);
  LineReader() = default;
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // False when the file cannot be opened or read at all.
  bool open(const std::string& path);
  void close();
  // The next line; the view stays valid until the next call. False at the end.
  bool next(std::string_view& line);
  // For copying in bulk: the unread text up to and including the last "\n" read so far, reading
  // more when no whole line is buffered; empty at the end. consume(n) passes over n bytes of it.
  std::string_view bufferedLines();
  void consume(std::size_t n);
  // True when a read failed after opening: the lines given so far are not the whole file.
  bool failed() const { return failed_; }

 private:
  void fill();

  std::FILE* file_ = nullptr;
  std::vector<char> buffer_;
  const char* data_ = nullptr;
  std::size_t begin_ = 0;    // start of the unread text
  std::size_t scanned_ = 0;  // text before this offset holds no "\n"
  std::size_t end_ = 0;
  bool atEnd_ = true;
  bool failed_ = false;
};

}  // namespace pw
