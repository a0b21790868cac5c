// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "listmaker/currentlist.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace listmaker {

// A folder and a name joined as one path; the root folder "/" keeps its
// single slash ("/a.mp3", not "//a.mp3").
QString joinPath(const QString &folder, const QString &name);

// What the folder browser and the file list show of one folder: names that
// do not begin with a dot, in case-insensitive alphabetical order.
struct FolderListing
{
    bool readable = false;
    // Regular files and links to regular files.
    QStringList files;
    // Subfolders, links to folders included (the user may browse into them).
    QStringList folders;
};

FolderListing listFolder(const QString &folder);

// Case-insensitive alphabetical order, ties broken by exact text so that the
// order never depends on the order the file system returns names in.
bool nameLess(const QString &a, const QString &b);

// Walks a folder tree depth first, pre-order: the files of a folder, then
// each subfolder completely, in case-insensitive alphabetical order.
// Hidden files and folders are skipped, links to folders are never
// followed (so a link loop cannot trap the walk), a folder that cannot be
// entered is skipped, and names that are not valid UTF-8 are still read.
// A folder that goes away under the walk (its medium removed, its share
// dropped) ends it.
class FolderScanner
{
public:
    struct FileFacts
    {
        bool known = false; // size and date could be read
        qint64 size = 0;
        qint64 modifiedSecs = 0; // seconds since the epoch
    };

    class Visitor
    {
    public:
        virtual ~Visitor() = default;
        // The walk is about to read this folder.
        virtual void enterFolder(const QString &folder) { Q_UNUSED(folder) }
        // Whether the next file's size and date are wanted (reading them costs a stat).
        virtual bool wantsFacts() const { return true; }
        virtual void file(const QString &folder, const QString &name, const FileFacts &facts) = 0;
    };

    // Returns the number of subfolders met at any depth (the start folder is
    // not counted; a subfolder that cannot be entered still counts). When a
    // folder went away under the walk, *vanished names it (see
    // vanishedFolder) and the walk stopped there.
    static int walk(const QString &startFolder, Visitor &visitor, QString *vanished = nullptr);
};

struct ScanOutcome
{
    qint32 fileCount = 0;   // every file found, also those the store cannot hold
    int foldersScanned = 0; // subfolders met
    QString vanishedFolder; // the folder that went away under the walk; the list is then half made
};

// Fills the store from a walk of the folder: records 0 to 10000 get the
// folder, name, size and date (an unreadable size or date stays empty);
// FileCount counts every file. onFolder is told each folder as it is read.
ScanOutcome ScanFolders(const QString &startFolder, CurrentList &list,
                        const std::function<void(const QString &)> &onFolder = {});

} // namespace listmaker
