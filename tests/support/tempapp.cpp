#include "tempapp.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

namespace {

// The process's data source folder: odbc.ini and the database file.
const QTemporaryDir &dataSourceHome()
{
    static const QTemporaryDir home = [] {
        QTemporaryDir d;
        QFile ini(d.filePath(QStringLiteral("odbc.ini")));
        if (ini.open(QIODevice::WriteOnly)) {
            ini.write("[Orvandel]\nDriver=SQLite3\nDatabase=" + d.filePath(QStringLiteral("DizaRore.sqlite")).toUtf8()
                      + "\nTimeout=2000\n");
        }
        qputenv("ODBCINI", ini.fileName().toUtf8());
        return d;
    }();
    return home;
}

} // namespace

QString TempApp::databaseFile()
{
    return dataSourceHome().filePath(QStringLiteral("DizaRore.sqlite"));
}

TempApp::TempApp()
{
    QFile::remove(databaseFile());
    QFile::copy(QStringLiteral(QUENMORA_EMPTY_DB), databaseFile());
    QFile::setPermissions(databaseFile(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);

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
    m_directName = QStringLiteral("direct-") + folder();
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
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_directName);
        db.setDatabaseName(databaseFile());
        db.open();
    }
    return QSqlDatabase::database(m_directName);
}

qint32 TempApp::addRecord(const QStringList &values)
{
    static const QStringList columns = {QStringLiteral("DiskID"),     QStringLiteral("PathSID"),
                                        QStringLiteral("TitleSID"),   QStringLiteral("ExtensionID"),
                                        QStringLiteral("FileSizID"),  QStringLiteral("FileDatTimID"),
                                        QStringLiteral("ArtistID"),   QStringLiteral("TotFiles"),
                                        QStringLiteral("OccasionID"), QStringLiteral("StatusID")};
    QStringList names;
    QStringList marks;
    for (int i = 0; i < values.size() && i < columns.size(); ++i) {
        names << columns.at(i);
        marks << QStringLiteral("?");
    }
    QSqlQuery q(direct());
    q.prepare(QStringLiteral("insert into table1 (%1) values (%2)").arg(names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
    for (int i = 0; i < names.size(); ++i)
        q.addBindValue(values.at(i));
    if (!q.exec())
        qWarning() << "addRecord failed:" << q.lastError().text();
    return q.lastInsertId().toInt();
}

qint32 TempApp::rowCount()
{
    QSqlQuery q(direct());
    q.exec(QStringLiteral("select count(*) from table1"));
    return q.next() ? q.value(0).toInt() : -1;
}

void TempApp::exec(const QString &statement)
{
    QSqlQuery q(direct());
    if (!q.exec(statement))
        QFAIL(qPrintable(q.lastError().text()));
}
