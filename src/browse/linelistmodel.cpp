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

void LineListModel::clear()
{
    beginResetModel();
    m_lines.clear();
    endResetModel();
}

} // namespace browse
