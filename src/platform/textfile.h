// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/failure.h"

#include <QByteArrayView>
#include <QFile>
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
// The lines of a text file's bytes, split as readTextLines splits them.
QStringList splitTextLines(QByteArrayView bytes);

// Writes a text file a line at a time, for files too long to build in memory
// first: UTF-8, CR LF after every line, replacing the file. The failures are
// those of writeTextLines, and on failure the file is removed.
class TextLineWriter
{
public:
    explicit TextLineWriter(const QString &path);
    ~TextLineWriter();
    TextLineWriter(const TextLineWriter &) = delete;
    TextLineWriter &operator=(const TextLineWriter &) = delete;

    Failure open();
    void addLine(QByteArrayView utf8);
    void addLine(QStringView text) { addLine(QByteArrayView(text.toUtf8())); }
    // Writes what is left; the first failure since open(), if any.
    Failure finish();

private:
    bool flushBuffer();

    QString m_path;
    QFile m_file;
    QByteArray m_buffer;
    Failure m_failure;
};

} // namespace platform
