// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <vector>

namespace songdb {

// The lines of a record list, held compactly for lists of millions of
// lines: the key of each line's record and its text, the texts one after
// another in a single UTF-8 buffer. A line that stands for no record (a
// label) carries the key 0.
class TitleLines
{
public:
    int size() const { return int(m_ids.size()); }
    bool isEmpty() const { return m_ids.empty(); }

    qint32 id(int line) const { return m_ids[std::size_t(line)]; }
    QByteArrayView utf8(int line) const
    {
        const std::size_t i = std::size_t(line);
        const qsizetype begin = i == 0 ? 0 : m_ends[i - 1];
        return QByteArrayView(m_text.data() + begin, m_ends[i] - begin);
    }
    QString text(int line) const { return QString::fromUtf8(utf8(line)); }

    void append(qint32 id, QStringView text);
    void appendUtf8(qint32 id, const char *text, qsizetype bytes);
    // Room for that many lines with texts of that many bytes in all.
    void reserve(int lines, qsizetype bytes);
    void clear();
    // Puts the lines in the order of their keys (lines with equal keys keep
    // theirs); lines already in that order are left as they are.
    void sortByKey();

private:
    std::vector<qint32> m_ids;
    std::vector<qsizetype> m_ends; // where each line's text ends in m_text
    std::vector<char> m_text;
};

} // namespace songdb
