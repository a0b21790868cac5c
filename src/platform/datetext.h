// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

namespace platform {

// Date and time texts in the user's regional forms: the short date and the
// long time without a time zone. The forms are read once, so a run writes
// one form throughout.
QString shortDateText(const QDate &date);
QString longTimeText(const QTime &time);
// Short date, a blank and the long time; the date alone at exactly midnight.
QString generalDateText(const QDateTime &dateTime);

} // namespace platform
