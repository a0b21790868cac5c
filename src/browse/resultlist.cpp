// SPDX-License-Identifier: GPL-3.0-or-later
#include "browse/resultlist.h"

namespace browse {

const LabelKind &labelKind(ListMode mode)
{
    static const LabelKind disk{songdb::DiskID, QStringLiteral("Disk Labels Found ("),
                                QStringLiteral("You have clicked Disk label item.")};
    static const LabelKind occasion{songdb::OccasionID, QStringLiteral("Occasion Labels Found ("),
                                    QStringLiteral("You have clicked Occasion label item.")};
    static const LabelKind status{songdb::StatusID, QStringLiteral("Status Labels Found ("),
                                  QStringLiteral("You have clicked Status label item.")};
    static const LabelKind duplicates{songdb::TitleSID, QStringLiteral("Titles on several disks ("),
                                      QStringLiteral("You have clicked Title item.")};
    switch (mode) {
    case ListMode::OccasionLabels:
        return occasion;
    case ListMode::StatusLabels:
        return status;
    case ListMode::DuplicateTitles:
        return duplicates;
    case ListMode::DiskLabels:
    case ListMode::FoundResults:
        break;
    }
    return disk;
}

bool isLabelMode(ListMode mode)
{
    return mode != ListMode::FoundResults;
}

QString allRecordsHeading(qint32 records)
{
    return QStringLiteral("Showing all records (") + QString::number(records) + QStringLiteral("):");
}

QString matchedHeading(int lines)
{
    return QStringLiteral("Matched List (") + QString::number(lines) + QStringLiteral("):");
}

QString matchedSoFarHeading(int lines)
{
    return QStringLiteral("Matched List (at least ") + QString::number(lines) + QStringLiteral("):");
}

namespace {

// In groups of three digits: 3,400,000.
QString grouped(qint64 number)
{
    QString digits = QString::number(qAbs(number));
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return number < 0 ? QLatin1Char('-') + digits : digits;
}

QString progress(const QString &doing, qint64 done, qint64 whole)
{
    QString text = doing + grouped(done);
    if (whole >= 0)
        text += QStringLiteral(" of ") + grouped(whole);
    return text;
}

} // namespace

QString readingHeading(qint64 done, qint64 whole)
{
    return progress(QStringLiteral("Reading records: "), done, whole);
}

QString savingHeading(qint64 done, qint64 whole)
{
    return progress(QStringLiteral("Saving records: "), done, whole);
}

QString labelHeading(ListMode mode, int lines)
{
    return labelKind(mode).heading + QString::number(lines) + QStringLiteral("):");
}

songdb::TitleLines duplicateLines(const songdb::TitleLines &disksAndTitles)
{
    songdb::TitleLines lines;
    lines.reserve(disksAndTitles.size(), qsizetype(disksAndTitles.size()) * 40);
    QByteArray line;
    for (int i = 0; i < disksAndTitles.size(); ++i) {
        const QByteArrayView title = disksAndTitles.utf8(i);
        line.clear();
        line.append(title.data(), title.size());
        line += "  (";
        line += QByteArray::number(disksAndTitles.id(i));
        line += " disks)";
        lines.appendUtf8(0, line.constData(), line.size());
    }
    return lines;
}

} // namespace browse
