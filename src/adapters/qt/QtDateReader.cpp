#include "adapters/qt/QtDateReader.h"

#include <QDate>

#include "adapters/qt/QtText.h"

namespace pw {
namespace {

CivilDate Civil(const QDate& date) {
  return {date.year(), date.month(), date.day()};
}

}  // namespace

CivilDate QtDateReader::Today() {
  return Civil(QDate::currentDate());
}

std::optional<CivilDate> QtDateReader::ReadDate(const std::string& text) {
  const std::optional<QDate> date = format_.ParseDate(Q(text));
  if (!date)
    return std::nullopt;
  return Civil(*date);
}

}  // namespace pw
