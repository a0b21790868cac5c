// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "listmaker/currentlist.h"
#include "listmaker/folderscanner.h"

#include <QString>
#include <QVector>

#include <functional>

namespace listmaker {

// One record of a catalogued disk, as far as bringing the disk up to date
// needs it: its key and the fields a walk of the disk can tell.
struct StoredFile
{
    qint32 id = 0;
    QString folder; // PathSID
    QString title; // TitleSID, the file name unless the user edited it
    QString size; // FileSizID
    QString dateTime; // FileDatTimID
    QString artist; // ArtistID
};

// A disk of the catalogue: its Disk ID as stored and its records in key order.
struct CataloguedDisk
{
    QString diskId;
    QVector<StoredFile> files;
};

// A fresh walk of a disk's folder held against the disk's records.
//
// A file and a record are the same file when their folder below the walked
// folder and the file name equal the record's folder below the folder the
// disk was catalogued from and its title. A record whose title was edited is
// matched to a file of the same folder with the same size and date text.
// The folder the disk was catalogued from is found from the records: of the
// folders above the records' folders (the folders themselves included), the
// one under which the most records match a file; so a medium that is now
// mounted elsewhere still matches.
struct DiskComparison
{
    struct Match
    {
        int record = 0; // index into the records
        int file = 0; // index into the walk
        bool changed = false; // size or date differ
        bool moved = false; // the file's folder is not the stored PathSID
    };

    QString storedRoot; // the folder the disk was catalogued from; empty when it has no records
    QVector<Match> matches; // in the order of the records
    QVector<int> newFiles; // files without a record, in walk order
    QVector<int> goneRecords; // records without a file, in their order
    int changedCount = 0;

    int unchangedCount() const { return int(matches.size()) - changedCount; }
    // Nothing new, gone or changed: a folder that only moved with the mount point counts as up to date.
    bool upToDate() const { return newFiles.isEmpty() && goneRecords.isEmpty() && changedCount == 0; }
};

// The walk holds walk.storedCount() files, as ScanFolders made them from
// walkedFolder. A file whose size and date could not be read is never
// changed: its record keeps the values it has.
DiskComparison compareDisk(const QString &walkedFolder, const CurrentList &walk, const QVector<StoredFile> &records);

// The folder of a catalogued disk walked afresh and, when the walk is whole,
// held against the disk's records.
struct DiskWalk
{
    bool readable = false; // the folder could be read at all
    CurrentList list;      // the files as the walk found them
    ScanOutcome scanned;
    DiskComparison comparison; // empty unless the walk is whole

    // A folder that cannot be read, or a walk that a vanished folder cut
    // short, is no empty disk: its records must not be taken for gone. Nor
    // may a disk of more files than the store holds be compared.
    bool whole() const
    {
        return readable && scanned.vanishedFolder.isEmpty() && scanned.fileCount <= CurrentList::Capacity;
    }
};

// Walks the folder into walk (as fresh) and compares it with the records
// when the walk is whole. onFolder is told each folder as it is read.
void walkDisk(const QString &folder, const QVector<StoredFile> &records, DiskWalk &walk,
    const std::function<void(const QString &)> &onFolder = {});

// What bringing a disk up to date writes, in one transaction.
struct DiskUpdate
{
    QString diskId; // as stored
    QString totalFilesText; // the new TotFiles of every record of the disk
    // The new files, as an append stores a list: the Disk ID as stored, the
    // artist, "NA" and the new count in every record.
    CurrentList added;
    QVector<qint32> removed; // keys, ascending

    struct FileFacts
    {
        qint32 id = 0;
        QString size;
        QString dateTime;
    };
    QVector<FileFacts> changed;

    struct Folder
    {
        qint32 id = 0;
        QString folder;
    };
    QVector<Folder> moved; // matched records whose folder is now another
};

// The artist of the new files is artistText, or when it is empty the artist
// that most of the disk's records carry (of equally many, the one met first).
DiskUpdate planDiskUpdate(
    const CataloguedDisk &disk, const CurrentList &walk, const DiskComparison &comparison, const QString &artistText);

// The artist most of the records carry; of equally many, the one met first.
QString commonArtist(const QVector<StoredFile> &records);

// The stored Disk ID that a typed one names: the one equal to it, or else
// the only one equal to it apart from letter case; empty when none does.
QString storedDiskId(const QStringList &storedIds, const QString &typed);

// The messages of the command.
namespace diskupdatetext {
QString noDisk(const QString &diskId);
QString upToDate(const QString &diskId);
QString question(const QString &diskId, const DiskComparison &comparison);
QString done(const QString &diskId, const DiskUpdate &update);
} // namespace diskupdatetext

} // namespace listmaker
