// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace listmaker {

// Song titles from the files' own tags (ID3v1 and ID3v2, Vorbis comments,
// FLAC, MP4, APE, WAV INFO and ID3), offered as titles for editing.
class TagTitles
{
public:
    struct Outcome
    {
        QStringList lines; // the lines with the titles put in
        int changed = 0;   // lines whose text the titles changed
        // The folder of a file that went away under the reading (see
        // vanishedFolder): the reading stopped there and the lines are as given.
        QString vanishedFolder;
    };

    // The title of the file, trimmed, control characters read as blanks;
    // empty when the file has no title, is no regular file or cannot be read.
    static QString titleOf(const QString &path);

    // Puts each file's title in place of its line; a line whose file has no
    // title (or that has no file: an empty name) keeps its text. files[i] is
    // the file of lines[i]. progress(done) runs after every file; when it
    // answers false no further file is read, and the lines after the last
    // one read keep their text.
    static Outcome apply(const QStringList &lines, const QStringList &files,
                         const std::function<bool(int done)> &progress = {});

    // "Titles from tags: 3 of 17"
    static QString summary(int changed, int total);
};

} // namespace listmaker
