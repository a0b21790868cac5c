// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace listmaker {

// A medium that went away under a command: a removable medium pulled out, a
// network share that dropped, a folder deleted meanwhile.

// The folder of the path that is no longer there: going up from the folder,
// the outermost one that is missing below one that is still there (the
// mount point of a medium that was removed, or the folder itself). Empty
// when the folder is there.
QString vanishedFolder(const QString &folder);

// What a command says when the folder vanished under it: the folder, then
// what became of the command's work.
QString vanishedText(const QString &folder, const QString &consequence);

} // namespace listmaker
