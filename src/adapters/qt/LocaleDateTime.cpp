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

namespace {

// The first of the formats that reads the trimmed text, through the locale (its month and day
// names) or else as written.
template <class T, class Read>
std::optional<T> firstThatReads(const QString& text, const QStringList& formats, Read read) {
  const QString t = text.trimmed();
  if (t.isEmpty())
    return std::nullopt;
  for (const QString& f : formats)
    if (const T value = read(t, f); value.isValid())
      return value;
  return std::nullopt;
}

}  // namespace

std::optional<QDate> LocaleDateTime::parseDate(const QString& text) const {
  const QStringList formats = {dateFormat_,
                               locale_.dateFormat(QLocale::ShortFormat),
                               QStringLiteral("d.M.yyyy"),
                               QStringLiteral("d. M. yyyy"),
                               QStringLiteral("d.M.yy"),
                               QStringLiteral("M/d/yyyy"),
                               QStringLiteral("M/d/yy"),
                               QStringLiteral("yyyy-MM-dd"),
                               QStringLiteral("d/M/yyyy")};
  return firstThatReads<QDate>(text, formats, [this](const QString& t, const QString& f) {
    const QDate d = locale_.toDate(t, f);
    return d.isValid() ? d : QDate::fromString(t, f);
  });
}

std::optional<QTime> LocaleDateTime::parseTime(const QString& text) const {
  const QStringList formats = {timeFormat_,
                               locale_.timeFormat(QLocale::ShortFormat),
                               QStringLiteral("H:mm:ss"),
                               QStringLiteral("H:mm"),
                               QStringLiteral("h:mm:ss AP"),
                               QStringLiteral("h:mm AP")};
  return firstThatReads<QTime>(text, formats, [this](const QString& t, const QString& f) {
    const QTime time = locale_.toTime(t, f);
    return time.isValid() ? time : QTime::fromString(t, f);
  });
}

}  // namespace pw
