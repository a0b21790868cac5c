// SPDX-License-Identifier: GPL-3.0-or-later
#include "listmaker/currentlist.h"

#include "platform/textfile.h"

#include <QFile>

#include <cerrno>

namespace listmaker {

CurrentList::CurrentList()
    : Paths(Capacity)
    , Titles(Capacity)
    , Sizes(Capacity)
    , DateTimes(Capacity)
{
}

namespace currentlistfile {

QString oneLine(const QString &value)
{
    if (!value.contains(QLatin1Char('\n')) && !value.contains(QLatin1Char('\r')))
        return value;
    QString out = value;
    out.replace(QLatin1Char('\n'), QChar(0x2424));
    out.replace(QLatin1Char('\r'), QChar(0x240D));
    return out;
}

namespace {

void appendLine(QByteArray &bytes, const QString &value)
{
    bytes += oneLine(value).toUtf8();
    bytes += "\r\n";
}

} // namespace

QByteArray encode(const CurrentList &list, int count)
{
    QByteArray bytes;
    bytes.reserve(count * 160);
    const QByteArray disk = oneLine(list.DiskLabel).toUtf8();
    const QByteArray extension = oneLine(list.ExtensionText).toUtf8();
    const QByteArray artist = oneLine(list.ArtistText).toUtf8();
    const QByteArray total = oneLine(list.TotalFilesText).toUtf8();
    for (int i = 0; i < count; ++i) {
        bytes += disk;
        bytes += "\r\n";
        appendLine(bytes, list.Paths.at(i));
        appendLine(bytes, list.Titles.at(i));
        bytes += extension;
        bytes += "\r\n";
        appendLine(bytes, list.Sizes.at(i));
        appendLine(bytes, list.DateTimes.at(i));
        bytes += artist;
        bytes += "\r\n";
        bytes += total;
        bytes += "\r\n";
    }
    return bytes;
}

WriteResult write(const QString &path, const CurrentList &list)
{
    WriteResult result;
    const int count = qMax(0, list.FileCount);
    result.limitExceeded = count > CurrentList::Capacity;
    QByteArray bytes = encode(list, qMin(count, CurrentList::Capacity));
    if (result.limitExceeded) {
        // The writer stops at the first record the store cannot hold, after its first line.
        appendLine(bytes, list.DiskLabel);
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        result.failure = {platform::err::PathFileAccess, file.errorString()};
        return result;
    }
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        result.failure
            = {errno == ENOSPC ? platform::err::DiskFull : platform::err::PathFileAccess, file.errorString()};
    }
    return result;
}

ReadResult read(const QString &path, CurrentList *list)
{
    QStringList lines;
    if (const platform::Failure failure = platform::readTextLines(path, &lines); failure.isSet()) {
        ReadResult result;
        result.failure = failure;
        return result;
    }
    return fromLines(lines, list);
}

ReadResult fromLines(const QStringList &lines, CurrentList *list)
{
    ReadResult result;
    const int whole = int(lines.size() / 8);
    const int stored = qMin(whole, CurrentList::Capacity);
    for (int n = 0; n < stored; ++n) {
        const QString *r = lines.constData() + qsizetype(n) * 8;
        list->DiskLabel = r[0];
        list->Paths[n] = r[1];
        list->Titles[n] = r[2];
        list->ExtensionText = r[3];
        list->Sizes[n] = r[4];
        list->DateTimes[n] = r[5];
        list->ArtistText = r[6];
        list->TotalFilesText = r[7];
    }
    result.records = stored;
    result.truncated = lines.size() % 8 != 0 || whole > CurrentList::Capacity;
    if (result.truncated && lines.size() > qsizetype(stored) * 8) {
        // The partial record's leading per-list line is read before the end is met.
        list->DiskLabel = lines.at(qsizetype(stored) * 8);
    }
    return result;
}

} // namespace currentlistfile

} // namespace listmaker
