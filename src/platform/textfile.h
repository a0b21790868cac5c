#pragma once

#include "platform/failure.h"

#include <QStringList>

namespace platform {

// Writes the lines as UTF-8, CR LF after every line (the last included),
// replacing the file. On failure the file is removed and the reason returned:
// PathNotFound, PathFileAccess (no permission, a folder), DiskFull, or another number.
Failure writeTextLines(const QString &path, const QStringList &lines);

// Appends lines to a file, creating it when missing.
Failure appendTextLines(const QString &path, const QStringList &lines);

// Reads a whole text file into lines split at CR LF or LF (a last line
// without an ending counts). A missing file is FileNotFound.
Failure readTextLines(const QString &path, QStringList *lines);

} // namespace platform
