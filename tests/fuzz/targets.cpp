// SPDX-License-Identifier: GPL-3.0-or-later
#include "targets.h"

#include "listmaker/currentlist.h"
#include "listmaker/durationtext.h"
#include "listmaker/tagtitles.h"
#include "platform/mididuration.h"
#include "platform/systemdrives.h"
#include "platform/textfile.h"
#include "shell/sessionlog.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

namespace {

void require(bool promise, const char *what)
{
    if (!promise) {
        std::fprintf(stderr, "broken promise: %s\n", what);
        std::abort();
    }
}

QByteArray bytesOf(const std::uint8_t *data, std::size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

} // namespace

int midi(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = bytesOf(data, size);
    const bool looks = platform::looksLikeMidi(bytes.left(12));
    const std::optional<double> seconds = platform::midiDurationSeconds(bytes);
    if (seconds) {
        require(looks, "a duration only for bytes that begin like MIDI");
        require(std::isfinite(*seconds) && *seconds >= 0, "a duration is a finite length");
        // What the window shows of it.
        require(listmaker::audioDurationText(*seconds).startsWith(QLatin1String("Audio duration: ")),
            "the duration's text");
    }
    return 0;
}

int currentList(const std::uint8_t *data, std::size_t size)
{
    const QStringList lines = platform::splitTextLines(QByteArrayView(data, qsizetype(size)));
    // The store is made once: records beyond those read are never looked at.
    static listmaker::CurrentList list;
    static listmaker::CurrentList second;
    const listmaker::currentlistfile::ReadResult read = listmaker::currentlistfile::fromLines(lines, &list);
    require(read.records >= 0 && read.records <= listmaker::CurrentList::Capacity, "records within the store");
    require(qsizetype(read.records) * 8 <= lines.size(), "only whole records");
    require(read.truncated == (lines.size() != qsizetype(read.records) * 8), "a partial record is told");
    // Written back, the records read again as they are, but for a lone CR
    // inside a value, which the file shows as a visible sign.
    using listmaker::currentlistfile::oneLine;
    list.FileCount = read.records;
    const QByteArray again = listmaker::currentlistfile::encode(list, read.records);
    const auto reread = listmaker::currentlistfile::fromLines(platform::splitTextLines(again), &second);
    require(reread.records == read.records && !reread.truncated, "a written list reads back whole");
    for (int i = 0; i < read.records; ++i)
        require(second.Titles.at(i) == oneLine(list.Titles.at(i)) && second.Paths.at(i) == oneLine(list.Paths.at(i)),
            "a written record reads back the same");
    return 0;
}

int sessionLog(const std::uint8_t *data, std::size_t size)
{
    const QStringList lines = platform::splitTextLines(QByteArrayView(data, qsizetype(size)));
    const shell::SessionHistory history = shell::SessionLog::historyOf(lines);
    require(history.entries.size() <= lines.size(), "at most one session a line");
    for (const shell::SessionEntry &entry : history.entries) {
        // A line the log writes for an entry read back parses to the same number.
        const QString line
            = shell::SessionLog::sessionLine(entry.number, entry.startText, entry.endText, entry.seconds);
        const auto again = shell::SessionLog::parseLine(line);
        require(again && again->number == entry.number, "a session's line reads back its number");
        entry.details();
    }
    shell::SessionLog::TotalTime(history.totalSeconds);
    return 0;
}

int mountTable(const std::uint8_t *data, std::size_t size)
{
    const QByteArray text = bytesOf(data, size);
    const QVector<platform::MountEntry> entries = platform::parseMountTable(text);
    const QVector<platform::Drive> drives = platform::drivesFrom(entries, entries, {}, QStringLiteral("/home/user"));
    require(!drives.isEmpty() && drives.first().path == QLatin1String("/"), "the root comes first");
    for (const platform::MountEntry &m : entries)
        platform::mountPointOf(entries, m.mountPoint);
    return 0;
}

int tagTitle(const std::uint8_t *data, std::size_t size)
{
    static const char *const endings[] = {"mp3", "ogg", "flac", "m4a", "wav", "ape", "wma", "opus", "mpc", "wv", "aiff",
        "spx", "tta", "mp4", "oga", "asf"};
    if (size == 0)
        return 0;
    static const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("song.") + QString::fromLatin1(endings[data[0] % 16]));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char *>(data) + 1, qint64(size) - 1);
    }
    const QString title = listmaker::TagTitles::titleOf(path);
    require(title == title.trimmed(), "a title is trimmed");
    for (const QChar c : title)
        require(c.unicode() >= 0x20 && c.unicode() != 0x7f, "a title holds no control characters");
    QFile::remove(path);
    return 0;
}

Target byName(const QString &name)
{
    if (name == QLatin1String("midi"))
        return &midi;
    if (name == QLatin1String("currentlist"))
        return &currentList;
    if (name == QLatin1String("sessionlog"))
        return &sessionLog;
    if (name == QLatin1String("mounttable"))
        return &mountTable;
    if (name == QLatin1String("tagtitle"))
        return &tagTitle;
    return nullptr;
}

} // namespace fuzz
