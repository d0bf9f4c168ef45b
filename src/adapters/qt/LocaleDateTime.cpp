#include "adapters/qt/LocaleDateTime.h"

#include <QRegularExpression>
#include <QStringList>

namespace pw {
namespace {

// The locale's short date form with any two-digit year widened to four digits.
QString widenYear(QString format) {
  if (!format.contains(QLatin1String("yyyy")))
    format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
  return format;
}

// Hours, minutes and seconds in the locale's order: the long form without its zone.
QString timeWithoutZone(const QLocale& locale) {
  QString format = locale.timeFormat(QLocale::LongFormat);
  format.remove(QRegularExpression(QStringLiteral("\\s*t+\\s*")));
  format = format.trimmed();
  if (!format.contains(QLatin1Char('s')))
    format = locale.timeFormat(QLocale::ShortFormat) + QLatin1String(":ss");
  return format;
}

}  // namespace

LocaleDateTime::LocaleDateTime(const QLocale& locale)
    : locale_(locale),
      dateFormat_(widenYear(locale.dateFormat(QLocale::ShortFormat))),
      timeFormat_(timeWithoutZone(locale)) {}

QString LocaleDateTime::formatDate(const QDate& date) const {
  return locale_.toString(date, dateFormat_);
}

QString LocaleDateTime::formatTime(const QTime& time) const {
  return locale_.toString(time, timeFormat_);
}

std::optional<QDate> LocaleDateTime::parseDate(const QString& text) const {
  const QString t = text.trimmed();
  if (t.isEmpty())
    return std::nullopt;
  const QStringList formats = {dateFormat_,
                               locale_.dateFormat(QLocale::ShortFormat),
                               QStringLiteral("d.M.yyyy"),
                               QStringLiteral("d. M. yyyy"),
                               QStringLiteral("d.M.yy"),
                               QStringLiteral("M/d/yyyy"),
                               QStringLiteral("M/d/yy"),
                               QStringLiteral("yyyy-MM-dd"),
                               QStringLiteral("d/M/yyyy")};
  for (const QString& f : formats) {
    QDate d = locale_.toDate(t, f);
    if (!d.isValid())
      d = QDate::fromString(t, f);
    if (d.isValid())
      return d;
  }
  return std::nullopt;
}

std::optional<QTime> LocaleDateTime::parseTime(const QString& text) const {
  const QString t = text.trimmed();
  if (t.isEmpty())
    return std::nullopt;
  const QStringList formats = {timeFormat_,
                               locale_.timeFormat(QLocale::ShortFormat),
                               QStringLiteral("H:mm:ss"),
                               QStringLiteral("H:mm"),
                               QStringLiteral("h:mm:ss AP"),
                               QStringLiteral("h:mm AP")};
  for (const QString& f : formats) {
    QTime tm = locale_.toTime(t, f);
    if (!tm.isValid())
      tm = QTime::fromString(t, f);
    if (tm.isValid())
      return tm;
  }
  return std::nullopt;
}

}  // namespace pw
