// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fakes.h"
#include "scripteddialogs.h"
#include "ui/desktop/appcontext.h"

#include <QSqlDatabase>
#include <QTemporaryDir>
#include <memory>
#include <vector>

// A private application folder and data source for one test: a temporary
// folder and a fresh copy of the empty song database behind an 'Orvandel'
// that ODBCINI names. Nothing of the user's is read or written.
//
// The ODBC driver manager caches what it reads of odbc.ini for some seconds,
// so one test process keeps one odbc.ini and one database path; each TempApp
// puts a fresh empty database there.
class TempApp
{
public:
    TempApp();
    ~TempApp();

    // The engine behind 'Orvandel' in this test process: SQLite, or a
    // PostgreSQL server when QUENMORA_TEST_ENGINE=postgresql (the test script
    // starts one and names its port in QUENMORA_PG_PORT).
    static bool onPostgres();

    // A connection string naming a data source that does not exist.
    static QString missingConnectString() { return QStringLiteral("NoSuchSource;UID=sa;PWD=kzq;"); }

    QString folder() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.path() + QLatin1Char('/') + name; }
    static QString databaseFile();

    // Services of fakes; players made through it are kept in players.
    platform::AppContext &context() { return m_context; }

    // A direct connection to the database, for seeding and checking (on a
    // server as its superuser, which may also change the table).
    QSqlDatabase direct();
    // Adds a record with the given texts (DiskID, PathSID, TitleSID, ...), returns its ID.
    qint32 addRecord(const QStringList &values);
    qint32 rowCount();
    // Every record, one line each in key order: every column, "|" between, a missing value as "~".
    QStringList records();
    // Runs one statement on the direct connection; fails the test on error.
    void exec(const QString &statement);
    // Makes every insert of a row with this title fail, on either engine.
    void refuseTitle(const QString &title);
    // Takes the search indexes away (on SQLite with the triggers that keep
    // them), as in a catalogue made before them.
    void dropSearchIndexes();

    ScriptedDialogs dialogs;
    FakeClock clock;
    FakeHelp help;
    FakeDrives drives;
    std::vector<FakePlayer *> players;
    int quitCode = -1;

private:
    QTemporaryDir m_dir;
    platform::AppContext m_context;
    QString m_directName;
};
