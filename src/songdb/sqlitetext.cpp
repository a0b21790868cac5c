// SPDX-License-Identifier: GPL-3.0-or-later
#include "songdb/sqlitetext.h"

namespace songdb::sqlitetext {

QByteArray boundBytes(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size() * 3);
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (c == 0)
            break;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), text[++i].unicode());
        // UTF-8's own rule, applied to lone surrogates as well.
        if (c < 0x80) {
            bytes += char(c);
        } else if (c < 0x800) {
            bytes += char(0xC0 | (c >> 6));
            bytes += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            bytes += char(0xE0 | (c >> 12));
            bytes += char(0x80 | ((c >> 6) & 0x3F));
            bytes += char(0x80 | (c & 0x3F));
        } else {
            bytes += char(0xF0 | (c >> 18));
            bytes += char(0x80 | ((c >> 12) & 0x3F));
            bytes += char(0x80 | ((c >> 6) & 0x3F));
            bytes += char(0x80 | (c & 0x3F));
        }
    }
    return bytes;
}

QString expression(QStringView text)
{
    return QLatin1String("CAST(X'") + QString::fromLatin1(boundBytes(text).toHex().toUpper())
        + QLatin1String("' AS TEXT)");
}

QString withValue(const QString &statement, QStringView text)
{
    const qsizetype mark = statement.indexOf(QLatin1Char('?'));
    if (mark < 0 || statement.indexOf(QLatin1Char('?'), mark + 1) >= 0)
        return QString();
    return statement.left(mark) + expression(text) + statement.mid(mark + 1);
}

} // namespace songdb::sqlitetext
