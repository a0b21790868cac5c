// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace platform {

// A failure as the windows report it: a number and a description.
struct Failure
{
    int number = 0;
    QString description;

    bool isSet() const { return number != 0; }
};

// The failure numbers the program tells apart.
namespace err {
// A read stopped because a newer one replaced it, or a write needed the database.
constexpr int Interrupted = 18;
constexpr int SubscriptOutOfRange = 9;
constexpr int FileNotFound = 53;
constexpr int FileAlreadyOpen = 55;
constexpr int DiskFull = 61;
constexpr int InputPastEnd = 62;
constexpr int DeviceUnavailable = 68;
constexpr int PathFileAccess = 75;
constexpr int PathNotFound = 76;
constexpr int InvalidArgument = 5;
constexpr int DatabaseError = 3146;
constexpr int NoCurrentRecord = 3021;
constexpr int NotSupported = 3251;
constexpr int ConnectionClosed = 3709;
// The connection to the song database was lost (a server that restarted, a
// share that dropped) and could not be made again.
constexpr int ConnectionLost = 3151;
constexpr int DialogCancelled = 32755;
} // namespace err

} // namespace platform
