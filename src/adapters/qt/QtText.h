#pragma once
// The logic's texts are UTF-8 std::strings, Qt's are QStrings: the two conversions between them.

#include <QString>
#include <string>

namespace pw {

inline QString Q(const std::string& s) {
  return QString::fromUtf8(s.data(), qsizetype(s.size()));
}
inline std::string S(const QString& s) {
  return s.toUtf8().toStdString();
}

}  // namespace pw
