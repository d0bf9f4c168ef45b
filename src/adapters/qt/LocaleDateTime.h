#pragma once
// The one formatter of dates and times: the user's short date form with a four-digit year, and
// the time with hours, minutes and seconds in the locale's order, no zone. New records, new rows
// of the Details list and the date and time editors all use it, and it parses their texts back.

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>
#include <optional>

namespace pw {

class LocaleDateTime {
 public:
  explicit LocaleDateTime(const QLocale& locale = QLocale::system());

  QString dateFormat() const { return dateFormat_; }
  QString timeFormat() const { return timeFormat_; }
  QString formatDate(const QDate& date) const;
  QString formatTime(const QTime& time) const;
  // Lenient: the locale's forms first, then common numeric forms (d.M.yyyy, ISO, ...).
  std::optional<QDate> parseDate(const QString& text) const;
  std::optional<QTime> parseTime(const QString& text) const;

 private:
  QLocale locale_;
  QString dateFormat_;
  QString timeFormat_;
};

}  // namespace pw
