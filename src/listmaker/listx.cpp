// SPDX-License-Identifier: GPL-3.0-or-later
#include "listmaker/listx.h"

#include <QLocale>

#include <cmath>

namespace listmaker::listx {

QStringList FillListX(const QStringList &sequential)
{
    QStringList names;
    const int n = int(qMin<qsizetype>(sequential.size(), MaxNames));
    names.reserve(n);
    for (int i = 0; i < n; ++i) {
        const QString &name = sequential.at(i);
        names << (name.size() < 4 ? QString() : name.left(name.size() - 4));
    }
    return names;
}

Limit parseLimit(const QString &text)
{
    Limit limit;
    bool ok = false;
    const double number = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(number))
        return limit;
    // Whole numbers round half to even, as a 16-bit conversion does.
    const double whole = std::nearbyint(number);
    if (whole < -32768.0 || whole > 32767.0) {
        limit.failure = {Overflow, QStringLiteral("Overflow")};
        return limit;
    }
    limit.value = int(whole);
    return limit;
}

Names Concatanate(const QStringList &sequential, int limit, bool diskIds)
{
    Names result;
    result.names.reserve(qMin<qsizetype>(sequential.size(), MaxNames));
    for (qsizetype i = 0; i < sequential.size(); ++i) {
        if (i >= MaxNames) {
            result.names.clear();
            result.failure = {platform::err::SubscriptOutOfRange, QStringLiteral("Subscript out of range")};
            return result;
        }
        const QString &name = sequential.at(i);
        if (diskIds) {
            result.names << name.left(limit);
            continue;
        }
        if (name.size() < 4) {
            result.names.clear();
            result.failure = {platform::err::InvalidArgument, QStringLiteral("Invalid procedure call or argument")};
            return result;
        }
        result.names << name.left(name.size() - 4).left(limit);
    }
    return result;
}

} // namespace listmaker::listx
