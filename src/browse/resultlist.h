#pragma once

#include "songdb/songrecord.h"

#include <QString>

namespace browse {

// What the result list List1 holds: found titles or the labels of one column.
enum class ListMode { FoundResults, DiskLabels, OccasionLabels, StatusLabels };

// A label list: the column it groups, its heading and the caption a click shows.
struct LabelKind
{
    songdb::Column column;
    QString heading;      // "Disk Labels Found ("
    QString clickCaption; // caption of Frame1 after a click on a label
};

// The label kind of a label mode (DiskLabels for FoundResults, which has none).
const LabelKind &labelKind(ListMode mode);
bool isLabelMode(ListMode mode);

QString allRecordsHeading(qint32 records);
QString matchedHeading(int lines);
QString labelHeading(ListMode mode, int lines);

// Captions of Frame1: the list the shown record was picked from.
inline const QString AllRecordsCaption = QStringLiteral("Showing From All Records List");
inline const QString FoundResultsCaption = QStringLiteral("Showing From Found Results List");

} // namespace browse
