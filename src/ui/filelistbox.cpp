// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/filelistbox.h"

#include "listmaker/folderscanner.h"

#include <QDir>
#include <QFileInfo>

namespace listmaker {

FileListBox::FileListBox(QWidget *parent)
    : QListWidget(parent)
{
    setUniformItemSizes(true);
}

void FileListBox::setPath(const QString &folder)
{
    m_path = folder.isEmpty() ? folder : QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    clear();
    addItems(listFolder(m_path).files);
    if (count() > 0)
        setCurrentRow(0);
}

QString FileListBox::fileName() const
{
    const QListWidgetItem *item = currentItem();
    return item ? item->text() : QString();
}

} // namespace listmaker
