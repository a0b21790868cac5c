// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QVector>

#include <functional>
#include <memory>

namespace platform {

// A place a medium can be browsed from: the root file system, the home
// folder, or a mounted medium.
struct Drive
{
    QString path;    // mount point or folder, e.g. "/" or "/media/user/CD01"
    QString label;   // volume label, empty when the medium has none
    QString display; // what the drive list shows
};

class Drives
{
public:
    virtual ~Drives() = default;
    virtual QVector<Drive> list() const = 0;
    // Volume label of the medium that holds the folder; empty when none.
    virtual QString volumeLabel(const QString &folder) const = 0;
    // False when the drive has no readable medium.
    virtual bool isReady(const QString &drivePath) const = 0;
    // Calls onChange, on the asking thread, whenever media may have been
    // mounted or unmounted, for as long as the returned object lives; null
    // where changes cannot be watched.
    virtual std::unique_ptr<QObject> watch(std::function<void()> onChange)
    {
        Q_UNUSED(onChange)
        return nullptr;
    }
};

} // namespace platform
