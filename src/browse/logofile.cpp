// SPDX-License-Identifier: GPL-3.0-or-later
#include "browse/logofile.h"

#include <QDir>
#include <QFileInfo>

namespace browse {

QString findLogoFile(const QString &folder, const QString &name)
{
    const QDir dir(folder);
    if (QFileInfo(dir.filePath(name)).isFile())
        return dir.filePath(name);
    const QStringList files = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &file : files) {
        if (file.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(file);
    }
    return {};
}

} // namespace browse
