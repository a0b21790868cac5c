// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/failure.h"

#include <QString>
#include <QVector>

namespace listmaker {

// The files of the last scan of one medium: one store for the whole run,
// shared by the create-list window (which fills it) and the navigation
// window (which appends it to the database). Never reset as a whole.
struct CurrentList
{
    static constexpr int Capacity = 10001; // records 0 to 10000

    CurrentList();

    // Records that hold data: FileCount, at most Capacity.
    int storedCount() const { return FileCount < Capacity ? FileCount : Capacity; }

    qint32 FileCount = 0;
    QVector<QString> Paths;
    QVector<QString> Titles;
    QVector<QString> Sizes;
    QVector<QString> DateTimes;
    QString DiskLabel;
    QString ArtistText;
    QString ExtensionText;
    QString TotalFilesText;
};

// The current-list file "~tmplist.txt": eight lines per file, CR LF after each.
namespace currentlistfile {

inline const QString FileName = QStringLiteral("~tmplist.txt");

struct WriteResult
{
    platform::Failure failure; // the file could not be created or written
    bool limitExceeded = false; // more than Capacity files: records 0..10000 and one line more were written
};

// Writes records 0 to FileCount-1 in scan order.
WriteResult write(const QString &path, const CurrentList &list);

// The bytes write() puts in the file for records [0, count).
QByteArray encode(const CurrentList &list, int count);

struct ReadResult
{
    platform::Failure failure; // FileNotFound when there is no file
    int records = 0;           // whole records read
    bool truncated = false;    // the file ended inside a record, or held more than Capacity
};

// Reads the file into the store: the per-list values from every record (the
// last stays), paths, titles, sizes and dates at each record's index.
// FileCount is left alone.
ReadResult read(const QString &path, CurrentList *list);
// The same from the file's lines.
ReadResult fromLines(const QStringList &lines, CurrentList *list);

// A value as it can stand on one line of the file: a line break inside a
// name becomes a visible sign (U+2424 for LF, U+240D for CR).
QString oneLine(const QString &value);

} // namespace currentlistfile

} // namespace listmaker
