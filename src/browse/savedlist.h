// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/failure.h"
#include "songdb/titlelines.h"

#include <QString>

#include <functional>

namespace browse {

// Told, now and then, how many lines of a list have been written.
using SaveProgress = std::function<void(int linesDone)>;

// A result list saved as text: one line per list line, CR LF after each.
class SavedList
{
public:
    static inline const QString Filter = QStringLiteral("Will save as Text File (*.txt)|*.txt");

    // The Results folder of the application folder.
    static QString folder(const QString &appFolder);
    // Creates the Results folder when it is missing.
    static platform::Failure prepareFolder(const QString &appFolder);
    // Replaces the file with the lines' texts, written as they are read; a
    // file that cannot be written is a failure.
    static platform::Failure write(
        const QString &path, const songdb::TitleLines &lines, const SaveProgress &progress = {});
};

} // namespace browse
