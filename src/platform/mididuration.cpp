// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/mididuration.h"

#include <algorithm>
#include <map>
#include <vector>

namespace platform {

namespace {

class Reader
{
public:
    Reader(const char *data, qsizetype size)
        : m_p(reinterpret_cast<const unsigned char *>(data))
        , m_end(m_p + size)
    {
    }

    bool atEnd() const { return m_p >= m_end; }
    qsizetype left() const { return m_end - m_p; }

    bool byte(unsigned &out)
    {
        if (m_p >= m_end)
            return false;
        out = *m_p++;
        return true;
    }
    bool peek(unsigned &out) const
    {
        if (m_p >= m_end)
            return false;
        out = *m_p;
        return true;
    }
    bool be(int bytes, quint32 &out)
    {
        out = 0;
        for (int i = 0; i < bytes; ++i) {
            unsigned b = 0;
            if (!byte(b))
                return false;
            out = (out << 8) | b;
        }
        return true;
    }
    // A variable-length quantity: at most four bytes of seven bits.
    bool vlq(quint32 &out)
    {
        out = 0;
        for (int i = 0; i < 4; ++i) {
            unsigned b = 0;
            if (!byte(b))
                return false;
            out = (out << 7) | (b & 0x7f);
            if (!(b & 0x80))
                return true;
        }
        return false;
    }
    bool skip(quint32 n)
    {
        if (qsizetype(n) > left())
            return false;
        m_p += n;
        return true;
    }
    const unsigned char *pos() const { return m_p; }

private:
    const unsigned char *m_p;
    const unsigned char *m_end;
};

struct Track
{
    quint64 endTick = 0;
    std::map<quint64, quint32> tempos; // tick -> microseconds per quarter note
};

// Reads one track chunk's events; a track cut short keeps what was read.
Track readTrack(Reader r)
{
    Track t;
    quint64 tick = 0;
    unsigned status = 0;
    while (!r.atEnd()) {
        quint32 delta = 0;
        if (!r.vlq(delta))
            break;
        tick += delta;
        unsigned b = 0;
        if (!r.peek(b))
            break;
        if (b & 0x80) {
            r.byte(b);
            status = b;
        } else if (status == 0 || status >= 0xf0) {
            break; // running status without a status to run on
        }
        t.endTick = tick;
        if (status == 0xff) {
            unsigned type = 0;
            quint32 length = 0;
            if (!r.byte(type) || !r.vlq(length))
                break;
            if (type == 0x51 && length == 3) {
                quint32 tempo = 0;
                if (!r.be(3, tempo))
                    break;
                if (tempo > 0)
                    t.tempos[tick] = tempo;
                continue;
            }
            if (!r.skip(length))
                break;
            if (type == 0x2f)
                break; // end of track
            status = 0;
            continue;
        }
        if (status == 0xf0 || status == 0xf7) {
            quint32 length = 0;
            if (!r.vlq(length) || !r.skip(length))
                break;
            status = 0;
            continue;
        }
        const unsigned kind = status & 0xf0;
        const quint32 dataBytes = (kind == 0xc0 || kind == 0xd0) ? 1 : 2;
        if (!r.skip(dataBytes))
            break;
    }
    return t;
}

// Seconds from tick 0 to the given tick under a tempo map.
double secondsAt(quint64 endTick, const std::map<quint64, quint32> &tempos, double ticksPerQuarter)
{
    double seconds = 0;
    quint64 tick = 0;
    quint32 tempo = 500000; // 120 beats a minute until told otherwise
    for (const auto &[at, next] : tempos) {
        if (at >= endTick)
            break;
        seconds += double(at - tick) * tempo / 1.0e6 / ticksPerQuarter;
        tick = at;
        tempo = next;
    }
    seconds += double(endTick - tick) * tempo / 1.0e6 / ticksPerQuarter;
    return seconds;
}

QByteArray standardFile(const QByteArray &bytes)
{
    if (bytes.startsWith("MThd"))
        return bytes;
    // RIFF "RMID": the standard file is the "data" chunk.
    if (bytes.size() >= 20 && bytes.startsWith("RIFF") && bytes.mid(8, 4) == "RMID") {
        qsizetype at = 12;
        while (at + 8 <= bytes.size()) {
            const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData() + at + 4);
            const quint32 size = quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
            if (bytes.mid(at, 4) == "data")
                return bytes.mid(at + 8, size);
            at += 8 + qsizetype(size) + (size & 1);
        }
    }
    return {};
}

} // namespace

bool looksLikeMidi(const QByteArray &head)
{
    return head.startsWith("MThd") || (head.startsWith("RIFF") && head.mid(8, 4) == "RMID");
}

std::optional<double> midiDurationSeconds(const QByteArray &bytes)
{
    const QByteArray smf = standardFile(bytes);
    Reader r(smf.constData(), smf.size());
    quint32 magic = 0;
    quint32 headerLength = 0;
    quint32 format = 0;
    quint32 trackCount = 0;
    quint32 division = 0;
    if (!r.be(4, magic) || magic != 0x4d546864 || !r.be(4, headerLength) || headerLength < 6 || !r.be(2, format)
        || !r.be(2, trackCount) || !r.be(2, division) || !r.skip(headerLength - 6) || division == 0)
        return std::nullopt;

    std::vector<Track> tracks;
    while (tracks.size() < trackCount && r.left() >= 8) {
        quint32 id = 0;
        quint32 length = 0;
        r.be(4, id);
        r.be(4, length);
        const qsizetype available = std::min<qsizetype>(length, r.left());
        if (id == 0x4d54726b) // "MTrk"
            tracks.push_back(readTrack(Reader(reinterpret_cast<const char *>(r.pos()), available)));
        r.skip(quint32(available));
    }
    if (tracks.empty())
        return std::nullopt;

    if (division & 0x8000) {
        // Time code: frames a second times ticks a frame, no tempo involved.
        const int frames = -int(qint8(division >> 8));
        const double fps = frames == 29 ? 29.97 : double(frames);
        const double ticksPerSecond = fps * double(division & 0xff);
        if (ticksPerSecond <= 0)
            return std::nullopt;
        quint64 end = 0;
        double sequence = 0;
        for (const Track &t : tracks) {
            end = std::max(end, t.endTick);
            sequence += double(t.endTick) / ticksPerSecond;
        }
        return format == 2 ? sequence : double(end) / ticksPerSecond;
    }

    const double ticksPerQuarter = double(division);
    if (format == 2) {
        // Independent sequences, played one after another, each with its own tempo.
        double seconds = 0;
        for (const Track &t : tracks)
            seconds += secondsAt(t.endTick, t.tempos, ticksPerQuarter);
        return seconds;
    }
    std::map<quint64, quint32> tempos;
    quint64 end = 0;
    for (const Track &t : tracks) {
        end = std::max(end, t.endTick);
        for (const auto &[tick, tempo] : t.tempos)
            tempos[tick] = tempo;
    }
    return secondsAt(end, tempos, ticksPerQuarter);
}

} // namespace platform
