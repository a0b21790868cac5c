// SPDX-License-Identifier: GPL-3.0-or-later
#include "songdb/recordnumberrule.h"

#include <Qt>

namespace songdb {

RecordNumberRule::Verdict RecordNumberRule::check(const QString &text, qint32 recordCount, qint32 *position)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty())
        return Verdict::Ignore;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return Verdict::Ignore;
    }
    bool ok = false;
    const qlonglong n = digits.toLongLong(&ok);
    // More digits than any count can have is out of range, not garbage.
    if (!ok || n < 1 || n > recordCount)
        return Verdict::OutOfRange;
    if (position)
        *position = qint32(n);
    return Verdict::Show;
}

QString RecordNumberRule::rangeMessage(qint32 recordCount)
{
    return QStringLiteral("Record Number should lie between 1 and ") + QString::number(recordCount);
}

bool RecordNumberRule::acceptsKey(int key, const QString &text)
{
    if (key == Qt::Key_Backspace)
        return true;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return false;
    if (text.size() != 1)
        return true;
    const QChar c = text.at(0);
    if (c.unicode() < 0x20 || c.unicode() == 0x7f)
        return true; // control characters come from shortcuts such as Ctrl+V
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace songdb
