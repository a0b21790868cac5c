// SPDX-License-Identifier: GPL-3.0-or-later
#include "songdb/titlelines.h"

#include <algorithm>
#include <numeric>

namespace songdb {

void TitleLines::append(qint32 id, QStringView text)
{
    // Titles are mostly ASCII: those are copied a character at a time.
    bool ascii = true;
    for (const QChar c : text) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (!ascii) {
        const QByteArray bytes = text.toUtf8();
        appendUtf8(id, bytes.constData(), bytes.size());
        return;
    }
    const std::size_t start = m_text.size();
    m_text.resize(start + std::size_t(text.size()));
    char *out = m_text.data() + start;
    for (const QChar c : text)
        *out++ = char(c.unicode());
    m_ids.push_back(id);
    m_ends.push_back(qsizetype(m_text.size()));
}

void TitleLines::appendUtf8(qint32 id, const char *text, qsizetype bytes)
{
    m_text.insert(m_text.end(), text, text + bytes);
    m_ids.push_back(id);
    m_ends.push_back(qsizetype(m_text.size()));
}

void TitleLines::reserve(int lines, qsizetype bytes)
{
    m_ids.reserve(std::size_t(lines));
    m_ends.reserve(std::size_t(lines));
    m_text.reserve(std::size_t(bytes));
}

void TitleLines::clear()
{
    // Give the memory back: a list of a million lines is tens of megabytes.
    std::vector<qint32>().swap(m_ids);
    std::vector<qsizetype>().swap(m_ends);
    std::vector<char>().swap(m_text);
}

void TitleLines::sortByKey()
{
    if (std::is_sorted(m_ids.begin(), m_ids.end()))
        return;
    std::vector<int> order(m_ids.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](int a, int b) { return m_ids[a] < m_ids[b]; });
    TitleLines sorted;
    sorted.reserve(size(), qsizetype(m_text.size()));
    for (const int line : order) {
        const QByteArrayView text = utf8(line);
        sorted.appendUtf8(m_ids[std::size_t(line)], text.data(), text.size());
    }
    *this = std::move(sorted);
}

} // namespace songdb
