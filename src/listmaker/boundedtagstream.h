// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>

#include <taglib/tfilestream.h>

namespace listmaker {

// A file as TagLib reads it for its tags, with a bound on the work: once
// the bytes read, the number of reads or the time spent since the first
// bytes came (a medium may be slow to wake) pass their budget,
// the file reads as if it had ended. A file whose tags claim huge sizes or
// nest without end then costs bounded memory and time, and simply gives no
// title. The budget lies far above what the tags of a real song need.
class BoundedTagStream final : public TagLib::FileStream
{
public:
    // A box nested in a box is one read more: the reads bound the depth too.
    struct Budget
    {
        unsigned long bytes;
        long reads;
        qint64 milliseconds;
    };
    static constexpr Budget PerFile {64ul << 20, 8192, 2000};

    explicit BoundedTagStream(TagLib::FileName file, const Budget &budget = PerFile);

    TagLib::ByteVector readBlock(unsigned long length) override;

    // Whether the budget ran out: what TagLib made of the file is then in doubt.
    bool exhausted() const { return m_exhausted; }

private:
    Budget m_budget;
    QElapsedTimer m_timer;
    unsigned long m_bytes = 0;
    long m_reads = 0;
    bool m_exhausted = false;
};

} // namespace listmaker
