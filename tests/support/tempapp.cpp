// SPDX-License-Identifier: GPL-3.0-or-later
#include "tempapp.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

#include <cstdio>
#include <cstdlib>

namespace {

const char SkipCode = 77;

// A PostgreSQL run without a server is skipped as a whole, before any test.
const bool engineChecked = [] {
    if (TempApp::onPostgres() && qEnvironmentVariableIsEmpty("QUENMORA_PG_PORT")) {
        std::printf("SKIP: no PostgreSQL server for this run (QUENMORA_PG_PORT is not set)\n");
        std::exit(SkipCode);
    }
    return true;
}();

// The throw-away server's superuser (scripts/pg-server.sh). It makes the
// test databases and tables and seeds them; the program itself connects as
// 'sa', which may only read and change records, as on a household's server.
const QString ServerAdmin = QStringLiteral("UID=quenmora_admin;PWD=throwaway;");

// On a server, each test process works in a database of its own, so that
// test programs may run side by side.
QString processDatabase()
{
    static const QString name = [] {
        const QString db = QStringLiteral("quenmora_test_%1").arg(QCoreApplication::applicationPid());
        const QString server = QStringLiteral("DRIVER={PostgreSQL Unicode};SERVER=127.0.0.1;PORT=%1;")
                                   .arg(QString::fromUtf8(qgetenv("QUENMORA_PG_PORT")))
            + ServerAdmin;
        {
            QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), QStringLiteral("pg-admin"));
            admin.setDatabaseName(server + QStringLiteral("DATABASE=quenmora;"));
            if (!admin.open())
                qFatal("cannot reach the PostgreSQL test server: %s", qPrintable(admin.lastError().text()));
            QSqlQuery q(admin);
            q.exec(QStringLiteral("drop database if exists ") + db);
            if (!q.exec(QStringLiteral("create database ") + db))
                qFatal("cannot create the test database: %s", qPrintable(q.lastError().text()));
            admin.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("pg-admin"));
        return db;
    }();
    return name;
}

// The process's data source folder: odbc.ini and the database file.
const QTemporaryDir &dataSourceHome()
{
    static const QTemporaryDir home = [] {
        QTemporaryDir d;
        QFile ini(d.filePath(QStringLiteral("odbc.ini")));
        if (ini.open(QIODevice::WriteOnly)) {
            if (TempApp::onPostgres()) {
                ini.write("[Orvandel]\nDriver=PostgreSQL Unicode\nServername=127.0.0.1\nPort="
                    + qgetenv("QUENMORA_PG_PORT") + "\nDatabase=" + processDatabase().toUtf8()
                    + "\nCommLog=0\nDebug=0\n");
            } else {
                ini.write("[Orvandel]\nDriver=SQLite3\nDatabase="
                    + d.filePath(QStringLiteral("DizaRore.sqlite")).toUtf8() + "\nTimeout=2000\nStepAPI=1\n");
            }
        }
        qputenv("ODBCINI", ini.fileName().toUtf8());
        return d;
    }();
    return home;
}

// The statements of a file of data/, one per line ending in ';'.
QStringList sqlStatements(const QString &name)
{
    QFile f(QStringLiteral(QUENMORA_SOURCE_DIR "/data/") + name);
    f.open(QIODevice::ReadOnly);
    QStringList statements;
    QString current;
    for (const QString &line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        if (line.trimmed().startsWith(QLatin1String("--")))
            continue;
        current += line + QLatin1Char('\n');
        if (line.trimmed().endsWith(QLatin1Char(';'))) {
            statements << current.trimmed().chopped(1);
            current.clear();
        }
    }
    return statements;
}

} // namespace

bool TempApp::onPostgres()
{
    return qgetenv("QUENMORA_TEST_ENGINE") == "postgresql";
}

QString TempApp::databaseFile()
{
    return dataSourceHome().filePath(QStringLiteral("DizaRore.sqlite"));
}

TempApp::TempApp()
{
    m_directName = QStringLiteral("direct-") + m_dir.path();
    dataSourceHome();
    if (onPostgres()) {
        exec(QStringLiteral("drop table if exists table1 cascade"));
        // The table as the set-up script makes it, with what 'sa' may do there.
        for (const QString &file : {QStringLiteral("schema-postgres.sql"), QStringLiteral("access-postgres.sql")}) {
            for (const QString &statement : sqlStatements(file))
                exec(statement);
        }
    } else {
        QFile::remove(databaseFile());
        QFile::copy(QStringLiteral(QUENMORA_EMPTY_DB), databaseFile());
        QFile::setPermissions(databaseFile(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    m_context.appFolder = folder();
    m_context.dialogs = &dialogs;
    m_context.clock = &clock;
    m_context.help = &help;
    m_context.drives = &drives;
    m_context.makePlayer = [this](QWidget *) {
        auto p = std::make_unique<FakePlayer>();
        players.push_back(p.get());
        return std::unique_ptr<platform::MediaPlayer>(std::move(p));
    };
    m_context.quit = [this](int code) { quitCode = code; };
}

TempApp::~TempApp()
{
    if (QSqlDatabase::contains(m_directName)) {
        QSqlDatabase::database(m_directName, false).close();
        QSqlDatabase::removeDatabase(m_directName);
    }
}

QSqlDatabase TempApp::direct()
{
    if (!QSqlDatabase::contains(m_directName)) {
        if (onPostgres()) {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), m_directName);
            db.setDatabaseName(QStringLiteral("Orvandel;") + ServerAdmin);
            if (!db.open())
                qWarning() << "direct connection failed:" << db.lastError().text();
        } else {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_directName);
            db.setDatabaseName(databaseFile());
            db.open();
        }
    }
    return QSqlDatabase::database(m_directName);
}

qint32 TempApp::addRecord(const QStringList &values)
{
    static const QStringList columns = {QStringLiteral("DiskID"), QStringLiteral("PathSID"), QStringLiteral("TitleSID"),
        QStringLiteral("ExtensionID"), QStringLiteral("FileSizID"), QStringLiteral("FileDatTimID"),
        QStringLiteral("ArtistID"), QStringLiteral("TotFiles"), QStringLiteral("OccasionID"),
        QStringLiteral("StatusID")};
    QStringList names;
    QStringList marks;
    for (int i = 0; i < values.size() && i < columns.size(); ++i) {
        names << columns.at(i);
        marks << QStringLiteral("?");
    }
    QSqlQuery q(direct());
    QString statement = QStringLiteral("insert into table1 (%1) values (%2)")
                            .arg(names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    if (onPostgres())
        statement += QLatin1String(" returning ID");
    q.prepare(statement);
    for (int i = 0; i < names.size(); ++i)
        q.addBindValue(values.at(i));
    if (!q.exec())
        qWarning() << "addRecord failed:" << q.lastError().text();
    if (onPostgres())
        return q.next() ? q.value(0).toInt() : 0;
    return q.lastInsertId().toInt();
}

void TempApp::refuseTitle(const QString &title)
{
    QString quoted = title;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    if (onPostgres()) {
        exec(QStringLiteral(
            "alter table table1 add constraint refused_title check (TitleSID is null or TitleSID <> '%1')")
                 .arg(quoted));
    } else {
        exec(QStringLiteral("create trigger refuse_title before insert on table1 when new.TitleSID = '%1' "
                            "begin select raise(abort, 'refused'); end")
                 .arg(quoted));
    }
}

qint32 TempApp::rowCount()
{
    QSqlQuery q(direct());
    q.exec(QStringLiteral("select count(*) from table1"));
    return q.next() ? q.value(0).toInt() : -1;
}

QStringList TempApp::records()
{
    QSqlQuery q(direct());
    if (!q.exec(QStringLiteral("select * from table1 order by ID")))
        return {q.lastError().text()};
    QStringList rows;
    while (q.next()) {
        QStringList fields;
        for (int i = 0; i < q.record().count(); ++i)
            fields << (q.isNull(i) ? QStringLiteral("~") : q.value(i).toString());
        rows << fields.join(QLatin1Char('|'));
    }
    return rows;
}

void TempApp::dropSearchIndexes()
{
    const QStringList statements = onPostgres()
        ? QStringList {QStringLiteral("drop index table1_TitleSID_trgm"),
            QStringLiteral("drop index table1_ArtistID_trgm")}
        : QStringList {QStringLiteral("drop trigger table1_search_insert"),
            QStringLiteral("drop trigger table1_search_delete"), QStringLiteral("drop trigger table1_search_update"),
            QStringLiteral("drop table table1_TitleSID_search"), QStringLiteral("drop table table1_ArtistID_search")};
    for (const QString &statement : statements)
        exec(statement);
}

void TempApp::exec(const QString &statement)
{
    QSqlQuery q(direct());
    if (!q.exec(statement))
        QFAIL(qPrintable(q.lastError().text()));
}
