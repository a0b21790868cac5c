// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// Every statement the program sends to the song database. They run alike on
// SQLite and PostgreSQL. Lists are ordered by key or by value (SQLite returns
// rows in that order anyway, a PostgreSQL server returns them in any order
// unless asked); the title lists are put in key order by their reader.
// No text from a user, a file, a tag or the database becomes part of them:
// a value takes the place of a '?' (see ParameterForm), and only the keys,
// numbers and column names the program formats itself are appended.
namespace songdb::sql {

inline const QString CountRecords = QStringLiteral("Select count(*) from table1");
// The same as a line: the count and an empty text.
inline const QString CountRecordsLine = QStringLiteral("Select count(*), '' from table1");
// The first record, read alone: some drivers fetch a whole result when the
// statement runs, which costs a second on a large table.
inline const QString FirstRecord = QStringLiteral("Select * from table1 order by ID limit 1");
// The record at a position in table order: followed by the number of rows
// before it, in decimal, and RecordAtPositionEnd. The keys alone are counted
// off (on SQLite from the narrow index of the keys), then one record is read.
inline const QString RecordAtPosition =
    QStringLiteral("Select * from table1 where ID = (Select ID from table1 order by ID limit 1 offset ");
inline const QString RecordAtPositionEnd = QStringLiteral(")");
// Followed directly by the key's digits.
inline const QString RecordByKey = QStringLiteral("Select * from table1 where ID =");
// The values of a label column, a line each: 1 for the group of records
// without a value (0 for the others) and the value.
inline const QString DiskIdGroups = QStringLiteral(
    "Select case when DiskID is null then 1 else 0 end, DiskID from table1 group by DiskID order by DiskID");
inline const QString OccasionGroups = QStringLiteral("Select case when OccasionID is null then 1 else 0 end, "
                                                     "OccasionID from table1 group by OccasionID order by OccasionID");
inline const QString StatusGroups = QStringLiteral(
    "Select case when StatusID is null then 1 else 0 end, StatusID from table1 group by StatusID order by StatusID");
// The title lists are put in key order as they are read: a server sorts a
// million rows more slowly than the reader, and the rows mostly come in
// key order anyway.
inline const QString AllTitles = QStringLiteral("Select ID, TitleSID from table1");
// Followed by the program's own spelling of a column name and FindPattern;
// the value of the '?' is '%' + text + '%'.
// The found lines keep only key and title: a record is read by its key when shown.
inline const QString FindPrefix = QStringLiteral("Select ID, TitleSID from table1 where ");
inline const QString FindPattern = QStringLiteral(" Like ?");
// Finding through a column's trigram index on SQLite. First the keys of the
// candidates, the records that hold every trigram of the text:
// SearchCandidates + the index's table + SearchCandidatesWhere + the table
// again + SearchCandidatesMatch + the most keys wanted, the value of the
// '?' an FTS5 query of the trigrams. Then the records among them that
// match: FindPrefix + FindKeysIn + keys joined by ", " + FindKeysEnd +
// column + FindPattern, the value of the '?' as above.
inline const QString SearchCandidates = QStringLiteral("Select rowid, '' from ");
inline const QString SearchCandidatesWhere = QStringLiteral(" where ");
inline const QString SearchCandidatesMatch = QStringLiteral(" match ? limit ");
inline const QString FindKeysIn = QStringLiteral("ID in (");
inline const QString FindKeysEnd = QStringLiteral(") and ");
// What tells whether a catalogue has search indexes: on SQLite its tables
// and triggers, on PostgreSQL the definitions of table1's indexes.
inline const QString SqliteSchemaObjects =
    QStringLiteral("Select type, name, sql from sqlite_master where type in ('table', 'trigger')");
inline const QString PostgresIndexDefinitions =
    QStringLiteral("Select pg_get_indexdef(indexrelid) from pg_index where indrelid = 'table1'::regclass");
// Titles that stand on two or more disks, letter case ignored, in the order
// of their lower-case form: the number of disks and one spelling of the
// title per line (the least by the engine's ordering of texts). Titles
// whose records all lie on one disk are set aside first from the index of
// lower-case titles, so that disks are counted only for the others.
inline const QString DuplicateTitles = QStringLiteral(
    "Select count(distinct DiskID), min(TitleSID) from table1 where lower(TitleSID) in "
    "(Select lower(TitleSID) from table1 where lower(TitleSID) <> '' group by lower(TitleSID) "
    "having min(DiskID) <> max(DiskID)) "
    "group by lower(TitleSID) order by lower(TitleSID)");

// Whole records in key order, in pieces of a list: the records whose keys
// lie between two keys (RecordsFrom + first + RecordsTo + last +
// RecordsInOrder), or those of some keys (RecordsOf + keys joined by ", " +
// RecordsOfEnd + RecordsInOrder). The keys are numbers the program formats.
inline const QString RecordsFrom = QStringLiteral(
    "Select ID, DiskID, PathSID, TitleSID, ExtensionID, FileSizID, FileDatTimID, ArtistID, TotFiles, OccasionID, "
    "StatusID from table1 where ID between ");
inline const QString RecordsTo = QStringLiteral(" and ");
inline const QString RecordsOf = QStringLiteral(
    "Select ID, DiskID, PathSID, TitleSID, ExtensionID, FileSizID, FileDatTimID, ArtistID, TotFiles, OccasionID, "
    "StatusID from table1 where ID in (");
inline const QString RecordsOfEnd = QStringLiteral(")");
inline const QString RecordsInOrder = QStringLiteral(" order by ID");

// Followed by one AppendRow per record, joined by ", ": many rows go in one
// statement, which saves a round trip per row on a server.
inline const QString AppendRecords = QStringLiteral(
    "Insert into table1 (DiskID, PathSID, TitleSID, ExtensionID, FileSizID, FileDatTimID, ArtistID, TotFiles) values ");
inline const QString AppendRow = QStringLiteral("(?, ?, ?, ?, ?, ?, ?, ?)");
inline const QString UpdateRecord = QStringLiteral(
    "Update table1 set TitleSID = ?, OccasionID = ?, ArtistID = ?, StatusID = ? where ID = ?");
inline const QString DeleteDisk = QStringLiteral("Delete from table1 where DiskID = ?");
inline const QString DeleteAll = QStringLiteral("Delete from table1");

// Bringing a disk up to date. The keys of a disk's records, each with an
// empty text (read from the index of DiskID), whose records are then read
// by key; keys in the texts below are numbers the program formats.
inline const QString DiskKeys = QStringLiteral("Select ID, '' from table1 where DiskID = ?");
// DeleteKeysIn + keys joined by ", " + KeysInEnd.
inline const QString DeleteKeysIn = QStringLiteral("Delete from table1 where ID in (");
inline const QString KeysInEnd = QStringLiteral(")");
// A value per record, many records in one statement: SetByKey, then per
// column its name, CaseOfKey and per record WhenKey + key + ThenValue, then
// CaseEnd (columns joined by ", "), then WhereKeysIn + keys + KeysInEnd.
inline const QString SetByKey = QStringLiteral("Update table1 set ");
inline const QString CaseOfKey = QStringLiteral(" = case ID");
inline const QString WhenKey = QStringLiteral(" when ");
inline const QString ThenValue = QStringLiteral(" then ?");
inline const QString CaseEnd = QStringLiteral(" end");
inline const QString WhereKeysIn = QStringLiteral(" where ID in (");
// The new count, written only where it differs: an unchanged count rewrites no row.
inline const QString UpdateTotFiles = QStringLiteral(
    "Update table1 set TotFiles = ? where DiskID = ? and (TotFiles is null or TotFiles <> ?)");

// The keys of a statement's "ID in (...)" list: count keys from first on,
// joined by ", ".
inline QString keyList(const qint32 *first, qsizetype count)
{
    QString list;
    list.reserve(count * 10);
    for (qsizetype i = 0; i < count; ++i) {
        if (i > 0)
            list += QLatin1String(", ");
        list += QString::number(first[i]);
    }
    return list;
}

} // namespace songdb::sql
