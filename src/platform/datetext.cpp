// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/datetext.h"

#include <QLocale>

namespace platform {

namespace {

struct Forms
{
    QLocale locale;
    QString shortDate;
    QString longTime;
};

QString withoutTimeZone(QString format)
{
    // Drop every unquoted 't' run (the zone) and the blanks it leaves behind.
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        out += c;
    }
    return out.simplified();
}

const Forms &forms()
{
    static const Forms f = [] {
        Forms x;
        x.locale = QLocale::system();
        x.shortDate = x.locale.dateFormat(QLocale::ShortFormat);
        x.longTime = withoutTimeZone(x.locale.timeFormat(QLocale::LongFormat));
        return x;
    }();
    return f;
}

} // namespace

QString shortDateText(const QDate &date)
{
    return forms().locale.toString(date, forms().shortDate);
}

QString longTimeText(const QTime &time)
{
    return forms().locale.toString(time, forms().longTime);
}

QString generalDateText(const QDateTime &dateTime)
{
    const QTime t = dateTime.time();
    if (t.hour() == 0 && t.minute() == 0 && t.second() == 0)
        return shortDateText(dateTime.date());
    return shortDateText(dateTime.date()) + QLatin1Char(' ') + longTimeText(t);
}

} // namespace platform
