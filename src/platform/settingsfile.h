// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/failure.h"

#include <QString>

namespace platform {

// The few settings the program keeps from one session to the next, in a
// file of the application folder: a line "name=value" each (UTF-8, CR LF
// after every line). Lines the program does not know stay as they are.
class SettingsFile
{
public:
    static inline const QString FileName = QStringLiteral("quenmora.ini");

    // The settings file of an application folder.
    explicit SettingsFile(const QString &appFolder);

    // The value of the setting, or a null string when it is not set (or the
    // file cannot be read).
    QString value(const QString &name) const;
    // Sets the setting, replacing its line or adding one.
    Failure setValue(const QString &name, const QString &value);

    bool flag(const QString &name) const { return value(name) == QLatin1String("1"); }
    Failure setFlag(const QString &name, bool on)
    {
        return setValue(name, on ? QStringLiteral("1") : QStringLiteral("0"));
    }

private:
    QString m_path;
};

} // namespace platform
