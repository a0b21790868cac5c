// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "listmaker/currentlist.h"
#include "songdb/songconnection.h"

namespace shell {

// What lives for the whole run and is shared by the windows.
struct SharedState
{
    explicit SharedState(const QString &connectString = songdb::DefaultConnectString)
        : database(connectString)
    {
    }

    listmaker::CurrentList currentList;
    songdb::SongDatabase database;
};

} // namespace shell
