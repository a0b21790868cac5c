// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/failure.h"

#include <functional>

namespace songdb {

// Whether a failure of the database tells of a lost connection rather than
// of a statement the database refused: the link to the server broke or
// cannot be made (ODBC's states of class 08 and the words drivers use for
// them), or the database file can no longer be read or written because the
// share that holds it dropped.
bool tellsOfLostConnection(const platform::Failure &failure);

// Whether the connection behind the ODBC handle is gone: the driver knows it
// to be dead, or the SQLite database file is no longer where it was opened
// (its share dropped). False when nothing tells.
bool connectionGone(void *connectionHandle);

// What a lost connection does to one operation on the song database.
// - A read that finds the connection lost has it opened again, once, through
//   the same data source, and runs once more: reading twice changes nothing.
// - A change (append, edit, delete) is never run a second time: it fails as
//   not stored, and the user decides whether to try again. Each change runs
//   in one transaction, and a transaction whose connection broke is rolled
//   back by the server, so nothing half done is left.
// When the connection cannot be opened again the operation fails as
// unreachable, with the words of the driver or server, and the next
// operation tries to open it first.
class LostConnectionRule
{
public:
    using Attempt = std::function<platform::Failure()>;

    // reopen opens the data source again (a failure says why it could not);
    // lost tells whether a failure means the connection was lost.
    LostConnectionRule(std::function<platform::Failure()> reopen, std::function<bool(const platform::Failure &)> lost);

    platform::Failure read(const Attempt &attempt);
    platform::Failure write(const Attempt &attempt);

    // The connection was lost and is opened again before the next operation.
    bool pending() const { return m_pending; }

    static platform::Failure unreachable(const platform::Failure &why);
    static platform::Failure notStored(const platform::Failure &why);

private:
    platform::Failure reopenIfPending();

    std::function<platform::Failure()> m_reopen;
    std::function<bool(const platform::Failure &)> m_lost;
    bool m_pending = false;
};

} // namespace songdb
