// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "songdb/songrecord.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <bitset>

// The trigram indexes that serve substring search ("Find and Display",
// finding as you type). The program never makes them; it finds out per
// connection which columns have one it can trust, and uses those.
//
// On SQLite a column's index is an FTS5 table with the trigram tokenizer
// over table1 (data/schema-sqlite.sql), kept in step by triggers. It is
// asked for candidates with a query made of the text's trigrams; LIKE then
// decides on each candidate, so the index only ever saves reading rows.
// On PostgreSQL a pg_trgm GIN index serves LIKE '%text%' by itself: the
// statement stays as it is.
namespace songdb::searchindex {

using Columns = std::bitset<ColumnCount>;

// The FTS5 table of a column's index on SQLite.
QString sqliteTable(Column column);

// A row of sqlite_master.
struct SchemaObject
{
    QString type;
    QString name;
    QString sql;
};

// The columns whose index on SQLite can be trusted: its table is an FTS5
// table of trigrams over table1 that folds letter case (LIKE matches ASCII
// letters in either case; an index that tells them apart would lose
// records), and every one of the three triggers that keep it in step
// writes into it. An index without its triggers may miss records, so it is
// not used.
Columns sqliteIndexes(const QList<SchemaObject> &objects);

// The columns of table1 that a pg_trgm GIN index covers, from the
// definitions of table1's indexes (as pg_get_indexdef gives them).
Columns postgresIndexes(const QStringList &definitions);

// The FTS5 query of the trigrams that every text the LIKE pattern matches
// holds: of each run of three or more characters between the wildcards %
// and _, each three characters in a row, as a quoted string ("abc" AND
// "bcd" ...). The pattern is read as the driver binds it (up to a NUL).
// Null when no run has three characters: the index cannot narrow such a
// search, which then reads the table.
QString trigramQuery(QStringView pattern);

} // namespace songdb::searchindex
