// SPDX-License-Identifier: GPL-3.0-or-later
#include "listmaker/tagtitles.h"

#include "listmaker/boundedtagstream.h"
#include "listmaker/vanishedmedium.h"

#include <QFile>
#include <QFileInfo>

#include <taglib/fileref.h>
#include <taglib/infotag.h>
#include <taglib/tag.h>
#include <taglib/wavfile.h>

namespace listmaker {

QString TagTitles::titleOf(const QString &path)
{
    // A pipe or a device would block the read or never end.
    if (!QFileInfo(path).isFile())
        return {};
    const QByteArray name = QFile::encodeName(path);
    // A hostile file (tags that claim huge sizes or nest without end) must not hold up the list.
    BoundedTagStream stream(name.constData());
    if (!stream.isOpen())
        return {};
    const TagLib::FileRef ref(&stream, false);
    if (ref.isNull() || !ref.tag() || stream.exhausted())
        return {};
    TagLib::String text = ref.tag()->title();
    // A WAV file's own tag is its ID3v2 tag; the INFO chunk is asked apart.
    if (text.isEmpty()) {
        if (const auto *wav = dynamic_cast<const TagLib::RIFF::WAV::File *>(ref.file()); wav && wav->hasInfoTag())
            text = wav->InfoTag()->title();
    }
    QString title = QString::fromUtf8(text.toCString(true));
    // A line break in a title would split the line of a report.
    for (QChar &c : title) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            c = QLatin1Char(' ');
    }
    return title.trimmed();
}

TagTitles::Outcome TagTitles::apply(const QStringList &lines, const QStringList &files,
                                    const std::function<bool(int done)> &progress)
{
    Outcome out;
    out.lines = lines;
    for (qsizetype i = 0; i < out.lines.size(); ++i) {
        const QString title = i < files.size() && !files.at(i).isEmpty() ? titleOf(files.at(i)) : QString();
        if (title.isEmpty() && i < files.size() && !files.at(i).isEmpty()) {
            // No title may mean no file: when its folder went away, no title of the list is kept.
            const QString gone = vanishedFolder(QFileInfo(files.at(i)).path());
            if (!gone.isEmpty()) {
                out.lines = lines;
                out.changed = 0;
                out.vanishedFolder = gone;
                return out;
            }
        }
        if (!title.isEmpty() && title != out.lines.at(i)) {
            out.lines[i] = title;
            ++out.changed;
        }
        if (progress && !progress(int(i + 1)))
            break;
    }
    return out;
}

QString TagTitles::summary(int changed, int total)
{
    return QStringLiteral("Titles from tags: ") + QString::number(changed) + QStringLiteral(" of ")
        + QString::number(total);
}

} // namespace listmaker
