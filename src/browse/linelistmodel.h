// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "songdb/titlelines.h"

#include <QAbstractListModel>

namespace browse {

// The lines of DataList1 or List1: one row per line, its text for display
// and its record's key (an int, 0 for a label) as Qt::UserRole.
class LineListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Replaces every line.
    void setLines(songdb::TitleLines lines);
    // Adds the lines after the last one.
    void appendLines(const songdb::TitleLines &more);
    // Takes lines that begin with the lines held (the same keys in the same
    // order): the rows there stay, with their selection; the others are
    // added. Lines that begin otherwise replace every line.
    void extendTo(songdb::TitleLines lines);
    void clear();

    const songdb::TitleLines &lines() const { return m_lines; }
    qint32 id(int row) const { return m_lines.id(row); }
    QString text(int row) const { return m_lines.text(row); }

private:
    songdb::TitleLines m_lines;
};

} // namespace browse
