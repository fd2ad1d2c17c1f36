#include "common/DateTimeManager.h"

#include <QLocale>

void CDateTimeManager::SetCurrentDate()
{
    m_Date = QDate::currentDate();
}

void CDateTimeManager::SetCurrentTime()
{
    const QTime now = QTime::currentTime();
    m_Time = QTime(now.hour(), now.minute(), now.second());
}

bool CDateTimeManager::SetDate(qint16 day, qint16 month, qint16 year)
{
    if (year < 1901 || year > 2099 || month < 1 || month > 12 || day < 1 || day > 31)
        return false;
    if ((month == 4 || month == 6 || month == 9 || month == 11) && day > 30)
        return false;
    if (month == 2 && day > (year % 4 == 0 ? 29 : 28))
        return false;
    m_Date = QDate(year, month, day);
    return true;
}

bool CDateTimeManager::SetTime(qint16 hour, qint16 minute, qint16 second)
{
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return false;
    m_Time = QTime(hour, minute, second);
    return true;
}

void CDateTimeManager::SetShortDate(const QDate &date)
{
    if (date.isValid())
        SetDate(qint16(date.day()), qint16(date.month()), qint16(date.year()));
}

QString CDateTimeManager::ShortDateText() const
{
    return QLocale().toString(m_Date, QLocale::ShortFormat);
}

void CDateTimeManager::SetLongTime(const QTime &time)
{
    if (time.isValid())
        SetTime(qint16(time.hour()), qint16(time.minute()), qint16(time.second()));
}

QString CDateTimeManager::LongTimeText() const
{
    // A time of day has no zone: the zone letters of the locale's long format go, quoted
    // text stays.
    const QString longFormat = QLocale().timeFormat(QLocale::LongFormat);
    QString format;
    bool quoted = false;
    for (const QChar c : longFormat) {
        quoted = c == QLatin1Char('\'') ? !quoted : quoted;
        if (quoted || c != QLatin1Char('t'))
            format += c;
    }
    return QLocale().toString(m_Time, format.trimmed());
}
