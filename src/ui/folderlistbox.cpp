// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/folderlistbox.h"

#include "listmaker/folderscanner.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStyle>
#include <QStyledItemDelegate>

namespace listmaker {

namespace {

constexpr int PathRole = Qt::UserRole + 1;
constexpr int LevelRole = Qt::UserRole + 2;

// Indents each line by its depth, as a folder tree does.
class IndentDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem o(option);
        o.rect.setLeft(o.rect.left() + indent(index));
        QStyledItemDelegate::paint(painter, o, index);
    }
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.rwidth() += indent(index);
        return s;
    }

private:
    static int indent(const QModelIndex &index) { return 12 * index.data(LevelRole).toInt(); }
};

} // namespace

FolderListBox::FolderListBox(QWidget *parent)
    : QListWidget(parent)
{
    setItemDelegate(new IndentDelegate(this));
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { open(item->data(PathRole).toString()); });
}

bool FolderListBox::open(const QString &folder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir())
        return false;
    const QString path = QDir::cleanPath(info.absoluteFilePath());
    const FolderListing listing = listFolder(path);

    m_path = path;
    m_subfolders = listing.folders;
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);

    QStringList chain;
    for (QString p = path; !p.isEmpty();) {
        chain.prepend(p);
        if (p == QLatin1String("/"))
            break;
        const QString parent = QFileInfo(p).path();
        if (parent == p)
            break;
        p = parent;
    }
    int level = 0;
    for (const QString &p : chain) {
        auto *item = new QListWidgetItem(openIcon, p == QLatin1String("/") ? p : QFileInfo(p).fileName(), this);
        item->setData(PathRole, p);
        item->setData(LevelRole, level++);
    }
    setCurrentRow(count() - 1);
    for (const QString &name : listing.folders) {
        auto *item = new QListWidgetItem(closedIcon, name, this);
        item->setData(PathRole, joinPath(path, name));
        item->setData(LevelRole, level);
    }
    emit pathChanged();
    return true;
}

} // namespace listmaker
