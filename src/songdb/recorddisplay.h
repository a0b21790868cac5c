// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "songdb/songrecord.h"

#include <QString>
#include <array>
#include <optional>

namespace songdb {

// The order in which the record boxes are filled from a row.
inline constexpr std::array<Column, ColumnCount> DisplayOrder = {
    ID, DiskID, PathSID, TitleSID, ExtensionID, FileDatTimID, TotFiles, FileSizID, ArtistID, OccasionID, StatusID};

// A record key as the boxes and list lines hold it: a whole 32-bit number
// (blanks around it allowed), or nothing.
std::optional<qint32> recordKey(const QString &text);

// What the occasion and status boxes show for the stored text.
QString shownOccasion(const QString &stored);
QString shownStatus(const QString &stored);

// A title shorter than this many characters may be edited.
constexpr int EditableTitleLimit = 16;
bool titleEditable(const QString &title);

} // namespace songdb
