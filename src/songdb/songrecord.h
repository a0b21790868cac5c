// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <array>

namespace songdb {

// The columns of table1, in their order. Every column but ID holds text.
enum Column {
    ID,
    DiskID,
    PathSID,
    TitleSID,
    ExtensionID,
    FileSizID,
    FileDatTimID,
    ArtistID,
    TotFiles,
    OccasionID,
    StatusID,
    ColumnCount
};

inline const std::array<QString, ColumnCount> ColumnNames = {
    QStringLiteral("ID"),          QStringLiteral("DiskID"),     QStringLiteral("PathSID"),
    QStringLiteral("TitleSID"),    QStringLiteral("ExtensionID"), QStringLiteral("FileSizID"),
    QStringLiteral("FileDatTimID"), QStringLiteral("ArtistID"),   QStringLiteral("TotFiles"),
    QStringLiteral("OccasionID"),  QStringLiteral("StatusID"),
};

// The column of that name, matched without regard to case; -1 when none.
int columnIndex(const QString &name);

// One row of table1 as text; a column without a value reads as empty text.
struct SongRecord
{
    std::array<QString, ColumnCount> values;

    const QString &operator[](Column c) const { return values[c]; }
    QString &operator[](Column c) { return values[c]; }
};

// What the display shows for an empty occasion or status.
inline const QString DefaultOccasion = QStringLiteral("Un-categorized");
inline const QString DefaultStatus = QStringLiteral("OK");

} // namespace songdb
