// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Small media files written by the tests themselves.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/infotag.h>
#include <taglib/mpegfile.h>
#include <taglib/wavfile.h>

namespace mediafiles {

inline void le(QByteArray &b, quint32 v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        b += char((v >> (8 * i)) & 0xff);
}

inline void be(QByteArray &b, quint32 v, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        b += char((v >> (8 * i)) & 0xff);
}

// 8-bit mono PCM of the given length in seconds, silent.
inline QByteArray wav(double seconds, quint32 rate = 8000)
{
    const quint32 samples = quint32(seconds * rate);
    QByteArray b("RIFF");
    le(b, 36 + samples, 4);
    b += "WAVEfmt ";
    le(b, 16, 4);
    le(b, 1, 2);    // PCM
    le(b, 1, 2);    // mono
    le(b, rate, 4); // samples a second
    le(b, rate, 4); // bytes a second
    le(b, 1, 2);    // block
    le(b, 8, 2);    // bits
    b += "data";
    le(b, samples, 4);
    b += QByteArray(int(samples), char(0x80));
    return b;
}

inline QByteArray chunk(const char *id, const QByteArray &body)
{
    QByteArray b(id);
    be(b, quint32(body.size()), 4);
    return b + body;
}

// A format-1 file at 480 ticks a quarter: the tempo track holds 120 beats a
// minute for 960 ticks (1 s), then 60 beats a minute until tick 1920 (2 s
// more); the second track plays one note with running status. 3 s in all.
inline QByteArray midi()
{
    QByteArray header;
    be(header, 1, 2);
    be(header, 2, 2);
    be(header, 480, 2);
    const QByteArray tempoTrack = QByteArray::fromHex("00ff510307a120"     // tempo 500000 at 0
                                                      "8740ff51030f4240"   // tempo 1000000 at 960
                                                      "8740ff2f00");        // end at 1920
    const QByteArray noteTrack = QByteArray::fromHex("00903c64"   // note on
                                                     "8360" "3c00" // running status: note off at 480
                                                     "00ff2f00");
    return chunk("MThd", header) + chunk("MTrk", tempoTrack) + chunk("MTrk", noteTrack);
}

inline bool write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// MPEG-1 layer III frames of 128 kbit/s at 44.1 kHz, silent data.
inline QByteArray mp3(int frames = 10)
{
    QByteArray frame = QByteArray::fromHex("fffb9064");
    frame += QByteArray(417 - frame.size(), char(0));
    return frame.repeated(frames);
}

inline TagLib::String tagText(const QString &text)
{
    return TagLib::String(text.toUtf8().constData(), TagLib::String::UTF8);
}

// An MP3 file with an ID3v2 title, an ID3v1 title, both or none (a null
// text writes no tag of that kind).
inline bool taggedMp3(const QString &path, const QString &id3v2Title, const QString &id3v1Title = QString())
{
    if (!write(path, mp3()))
        return false;
    TagLib::MPEG::File f(QFile::encodeName(path).constData(), false);
    int tags = TagLib::MPEG::File::NoTags;
    if (!id3v2Title.isNull()) {
        f.ID3v2Tag(true)->setTitle(tagText(id3v2Title));
        tags |= TagLib::MPEG::File::ID3v2;
    }
    if (!id3v1Title.isNull()) {
        f.ID3v1Tag(true)->setTitle(tagText(id3v1Title));
        tags |= TagLib::MPEG::File::ID3v1;
    }
    return tags == TagLib::MPEG::File::NoTags
        || f.save(tags, TagLib::File::StripOthers, TagLib::ID3v2::v4, TagLib::File::DoNotDuplicate);
}

// A WAV file with its title in a RIFF INFO chunk.
inline bool wavWithInfoTitle(const QString &path, const QString &title)
{
    if (!write(path, wav(0.1)))
        return false;
    TagLib::RIFF::WAV::File f(QFile::encodeName(path).constData(), false);
    f.InfoTag()->setTitle(tagText(title));
    return f.save(TagLib::RIFF::WAV::File::Info);
}

} // namespace mediafiles
