// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/audioduration.h"

#include "platform/mididuration.h"

#include <QFile>

#include <taglib/audioproperties.h>
#include <taglib/fileref.h>

namespace platform {

namespace {

// A MIDI file larger than this is no song: leave it alone.
constexpr qint64 MaxMidiBytes = 16 * 1024 * 1024;

QByteArray head(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.read(12);
}

} // namespace

bool isMidiFile(const QString &path)
{
    return looksLikeMidi(head(path));
}

std::optional<double> audioDurationSeconds(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    if (looksLikeMidi(f.read(12))) {
        if (f.size() > MaxMidiBytes)
            return std::nullopt;
        f.seek(0);
        return midiDurationSeconds(f.readAll());
    }
    f.close();

    const QByteArray name = QFile::encodeName(path);
    TagLib::FileRef ref(name.constData(), true, TagLib::AudioProperties::Accurate);
    if (ref.isNull() || !ref.audioProperties())
        return std::nullopt;
    const int ms = ref.audioProperties()->lengthInMilliseconds();
    if (ms <= 0)
        return std::nullopt;
    return ms / 1000.0;
}

} // namespace platform
