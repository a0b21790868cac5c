// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListWidget>

namespace listmaker {

// The files of one folder, hidden ones left out, in case-insensitive
// alphabetical order. Writing `path` shows that folder's files and selects
// the first.
class FileListBox : public QListWidget
{
    Q_OBJECT
    Q_PROPERTY(QString path READ path WRITE setPath)

public:
    explicit FileListBox(QWidget *parent = nullptr);

    QString path() const { return m_path; }
    void setPath(const QString &folder);
    // The selected file's name; empty when none is selected.
    QString fileName() const;

private:
    QString m_path;
};

} // namespace listmaker
