// SPDX-License-Identifier: GPL-3.0-or-later
#include "listmaker/boundedtagstream.h"

#include <algorithm>

namespace listmaker {

BoundedTagStream::BoundedTagStream(TagLib::FileName file, const Budget &budget)
    : TagLib::FileStream(file, true)
    , m_budget(budget)
{
}

TagLib::ByteVector BoundedTagStream::readBlock(unsigned long length)
{
    if (!m_exhausted
        && (++m_reads > m_budget.reads || m_bytes >= m_budget.bytes
            || (m_timer.isValid() && m_timer.elapsed() > m_budget.milliseconds)))
        m_exhausted = true;
    if (m_exhausted || length == 0)
        return {};
    const TagLib::ByteVector data = TagLib::FileStream::readBlock(std::min(length, m_budget.bytes - m_bytes));
    m_bytes += data.size();
    // A disc spinning up or a sleeping disk or share is slow to give its
    // first bytes: the time counts from then on.
    if (!m_timer.isValid())
        m_timer.start();
    return data;
}

} // namespace listmaker
