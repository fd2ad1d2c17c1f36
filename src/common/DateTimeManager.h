#pragma once

#include <QDate>
#include <QString>
#include <QTime>

// One date and one time of day, each taken only after its parts are checked, and given back
// as values or as text in the user's short-date and long-time formats. Dates are built from
// the numbers themselves, so day and month can never swap.
//   SetDate(29, 2, 2004) -> true       SetDate(29, 2, 2001) -> false (the date stays)
//   SetTime(23, 59, 59)  -> true       SetTime(24, 0, 0)    -> false, SetTime(-1, 0, 0) -> false
class CDateTimeManager
{
public:
    void SetCurrentDate();
    void SetCurrentTime();

    // Years 1901 to 2099; every fourth year is a leap year, which is exact in that range.
    bool SetDate(qint16 day, qint16 month, qint16 year);
    bool SetTime(qint16 hour, qint16 minute, qint16 second);

    // No date until one is set.
    QDate ShortDate() const { return m_Date; }
    void SetShortDate(const QDate &date);
    QString ShortDateText() const;
    // Midnight until a time is set; to the second.
    QTime LongTime() const { return m_Time; }
    void SetLongTime(const QTime &time);
    QString LongTimeText() const;

private:
    QDate m_Date;
    QTime m_Time{0, 0, 0};
};
