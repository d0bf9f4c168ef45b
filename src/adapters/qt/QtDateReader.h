#pragma once
// Today's date and the log's date texts read by the program's one lenient date parser.

#include <QLocale>

#include "adapters/qt/LocaleDateTime.h"
#include "app/Forecast.h"

namespace pw {

class QtDateReader : public IDateReader {
 public:
  explicit QtDateReader(const QLocale& locale = QLocale::system()) : format_(locale) {}
  CivilDate today() override;
  std::optional<CivilDate> readDate(const std::string& text) override;

 private:
  LocaleDateTime format_;
};

}  // namespace pw
