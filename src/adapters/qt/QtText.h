#pragma once
// The logic's texts are UTF-8 std::strings, Qt's are QStrings: the two conversions between them,
// and the string table's texts and the ids' object names as Qt takes them.

#include <QString>
#include <string>

#include "res/Strings.h"

namespace pw {

inline QString Q(const std::string& s) {
  return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

inline std::string S(const QString& s) {
  return s.toUtf8().toStdString();
}

// The text of a string id.
inline QString loadQStr(int id) {
  return Q(loadStr(id));
}

// The object name of a control, window or menu command: its id in decimal digits.
inline QString idName(int id) {
  return QString::number(id);
}

}  // namespace pw
