// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settingsfile.h"

#include "platform/textfile.h"

#include <QStringList>

namespace platform {

SettingsFile::SettingsFile(const QString &appFolder)
    : m_path(appFolder + QLatin1Char('/') + FileName)
{
}

QString SettingsFile::value(const QString &name) const
{
    QStringList lines;
    if (readTextLines(m_path, &lines).isSet())
        return QString();
    const QString key = name + QLatin1Char('=');
    for (const QString &line : std::as_const(lines)) {
        if (line.startsWith(key))
            return line.mid(key.size());
    }
    return QString();
}

Failure SettingsFile::setValue(const QString &name, const QString &value)
{
    QStringList lines;
    // A file that is there but cannot be read is not written over: its other settings would be lost.
    if (const Failure read = readTextLines(m_path, &lines); read.isSet() && read.number != err::FileNotFound)
        return read;
    const QString key = name + QLatin1Char('=');
    bool replaced = false;
    for (QString &line : lines) {
        if (line.startsWith(key)) {
            line = key + value;
            replaced = true;
        }
    }
    if (!replaced)
        lines << key + value;
    return writeTextLines(m_path, lines);
}

} // namespace platform
