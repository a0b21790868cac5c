// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListWidget>

namespace listmaker {

// The folder browser: the chain of folders from "/" down to the chosen one,
// then its subfolders. Double-clicking a line (or Enter) opens it. Writing
// `path` acts as the user opening that folder.
class FolderListBox : public QListWidget
{
    Q_OBJECT
    Q_PROPERTY(QString path READ path WRITE setPath)

public:
    explicit FolderListBox(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    // Opens the folder; false (and nothing changes) when it is no folder.
    bool open(const QString &folder);
    void setPath(const QString &folder) { open(folder); }
    // The subfolders shown under the chosen folder.
    QStringList subfolders() const { return m_subfolders; }

signals:
    // The chosen folder was set, also when it is the same one again.
    void pathChanged();

private:
    QString m_path;
    QStringList m_subfolders;
};

} // namespace listmaker
