// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/failure.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <optional>

namespace shell {

// One logged session as the history shows it.
struct SessionEntry
{
    qint32 number = 0;
    QString startText;
    QString endText;
    qint64 seconds = 0;

    // Number, start, end and seconds joined by five blanks.
    QString details() const;
};

struct SessionHistory
{
    QVector<SessionEntry> entries; // in file order: the oldest first
    qint64 totalSeconds = 0;
    platform::Failure failure;
};

struct SessionNumber
{
    qint32 value = 0;
    platform::Failure failure;
};

// The session file: one line per ended session, only ever appended to.
class SessionLog
{
public:
    using Appender = std::function<platform::Failure(const QString &path, const QStringList &lines)>;

    explicit SessionLog(QString path);

    QString path() const { return m_path; }

    // The number of the running session: the last logged number plus 1. A
    // missing file or lines without a number count as no session; the only
    // failure is a last number that cannot grow any more.
    SessionNumber nextSessionNumber() const;

    // Appends the line of a session that ran from start to end.
    platform::Failure appendSession(qint32 number, const QDateTime &start, const QDateTime &end) const;

    // Every logged session, for the history window.
    SessionHistory readHistory() const;
    // The sessions of the file's lines.
    static SessionHistory historyOf(const QStringList &lines);

    // How lines reach the file; the default appends UTF-8 lines ending in CR LF.
    void setAppender(Appender appender) { m_appender = std::move(appender); }

    // One line in print zones of 14 columns: " N ", start, end, " seconds ".
    static QString sessionLine(qint32 number, const QString &startText, const QString &endText, qint64 seconds);
    // A line read back; nothing when its first field is no number.
    static std::optional<SessionEntry> parseLine(const QString &line);
    // "Total duration: 1day(s):02h:03m:04s (93784 seconds)"
    static QString TotalTime(qint64 totalSeconds);

private:
    QString m_path;
    Appender m_appender;
};

} // namespace shell
