// SPDX-License-Identifier: GPL-3.0-or-later
#include "browse/linelistmodel.h"

namespace browse {

int LineListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_lines.size();
}

QVariant LineListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_lines.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_lines.text(index.row());
    case Qt::UserRole:
        return int(m_lines.id(index.row()));
    default:
        return {};
    }
}

Qt::ItemFlags LineListModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
}

void LineListModel::setLines(songdb::TitleLines lines)
{
    beginResetModel();
    m_lines = std::move(lines);
    endResetModel();
}

void LineListModel::appendLines(const songdb::TitleLines &more)
{
    if (more.isEmpty())
        return;
    beginInsertRows(QModelIndex(), m_lines.size(), m_lines.size() + more.size() - 1);
    for (int i = 0; i < more.size(); ++i) {
        const QByteArrayView text = more.utf8(i);
        m_lines.appendUtf8(more.id(i), text.data(), text.size());
    }
    endInsertRows();
}

void LineListModel::extendTo(songdb::TitleLines lines)
{
    const int held = m_lines.size();
    bool begins = lines.size() >= held;
    for (int i = 0; begins && i < held; ++i)
        begins = lines.id(i) == m_lines.id(i) && lines.utf8(i) == m_lines.utf8(i);
    if (!begins) {
        setLines(std::move(lines));
        return;
    }
    if (lines.size() == held)
        return;
    beginInsertRows(QModelIndex(), held, lines.size() - 1);
    m_lines = std::move(lines);
    endInsertRows();
}

void LineListModel::clear()
{
    beginResetModel();
    m_lines.clear();
    endResetModel();
}

} // namespace browse
