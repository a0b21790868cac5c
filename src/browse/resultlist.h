// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "songdb/songrecord.h"
#include "songdb/titlelines.h"

#include <QString>

namespace browse {

// What the result list List1 holds: found titles, the labels of one column,
// or the titles that stand on several disks (a list of labels of TitleSID).
enum class ListMode { FoundResults, DiskLabels, OccasionLabels, StatusLabels, DuplicateTitles };

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
// While finding as you type still reads: "Matched List (at least 1000):".
QString matchedSoFarHeading(int lines);
// How far a long read or save has come: "Reading records: 3,400,000 of
// 10,000,000", without " of ..." when the whole is not known beforehand.
QString readingHeading(qint64 done, qint64 whole = -1);
QString savingHeading(qint64 done, qint64 whole);
QString labelHeading(ListMode mode, int lines);

// The lines of the titles on several disks, from the number of disks and
// the title of each: "<title>  (<n> disks)", each carrying 0 like a label.
songdb::TitleLines duplicateLines(const songdb::TitleLines &disksAndTitles);

// Captions of Frame1: the list the shown record was picked from.
inline const QString AllRecordsCaption = QStringLiteral("Showing From All Records List");
inline const QString FoundResultsCaption = QStringLiteral("Showing From Found Results List");

} // namespace browse
