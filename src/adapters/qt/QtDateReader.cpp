#include "adapters/qt/QtDateReader.h"

#include <QDate>

#include "adapters/qt/QtText.h"

namespace pw {
namespace {

CivilDate civil(const QDate& date) {
  return {date.year(), date.month(), date.day()};
}

}  // namespace

CivilDate QtDateReader::today() {
  return civil(QDate::currentDate());
}

std::optional<CivilDate> QtDateReader::readDate(const std::string& text) {
  const std::optional<QDate> date = format_.parseDate(Q(text));
  if (!date)
    return std::nullopt;
  return civil(*date);
}

}  // namespace pw
