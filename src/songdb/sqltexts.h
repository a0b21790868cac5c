#pragma once

#include <QString>

// Every statement the program sends to the song database.
namespace songdb::sql {

inline const QString CountRecords = QStringLiteral("Select count(*) from table1");
inline const QString AllRecords = QStringLiteral("Select * from table1");
// Rows in table order, for showing a record by its position (note the blank).
inline const QString RecordsByPosition = QStringLiteral("Select * from table1 ");
// Followed directly by the key's digits.
inline const QString RecordByKey = QStringLiteral("Select * from table1 where ID =");
inline const QString DiskIdGroups = QStringLiteral("Select DiskID from table1 group by DiskID");
inline const QString OccasionGroups = QStringLiteral("Select OccasionID from table1 group by OccasionID");
inline const QString StatusGroups = QStringLiteral("Select StatusID from table1 group by StatusID");
inline const QString AllTitles = QStringLiteral("Select ID, TitleSID from table1");
// Followed by a column name and FindPattern; the text is bound as '%' + text + '%'.
inline const QString FindPrefix = QStringLiteral("Select * from table1 where ");
inline const QString FindPattern = QStringLiteral(" Like ?");

inline const QString AppendRecord = QStringLiteral(
    "Insert into table1 (DiskID, PathSID, TitleSID, ExtensionID, FileSizID, FileDatTimID, ArtistID, TotFiles) "
    "values (?, ?, ?, ?, ?, ?, ?, ?)");
inline const QString UpdateRecord = QStringLiteral(
    "Update table1 set TitleSID = ?, OccasionID = ?, ArtistID = ?, StatusID = ? where ID = ?");
inline const QString DeleteDisk = QStringLiteral("Delete from table1 where DiskID = ?");
inline const QString DeleteAll = QStringLiteral("Delete from table1");

} // namespace songdb::sql
