// SPDX-License-Identifier: GPL-3.0-or-later
// The navigation window while its PostgreSQL server stops and starts again,
// as a household server does when it restarts. The test runs a throw-away
// server of its own (scripts/pg-server.sh): stopping the one the other tests
// share would break them. Without PostgreSQL it is skipped.
#include "browse/navfixture.h"

#include "listmaker/currentlist.h"

#include <QProcess>
#include <QSqlError>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using platform::Button;

namespace {

const QString Script = QStringLiteral(QUENMORA_SOURCE_DIR "/scripts/pg-server.sh");

// A port on the loopback address that nothing listens on now.
int freePort()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof a;
    int port = 0;
    if (::bind(s, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0
        && ::getsockname(s, reinterpret_cast<sockaddr *>(&a), &length) == 0)
        port = ntohs(a.sin_port);
    ::close(s);
    return port;
}

listmaker::CurrentList songs(int count, int waitingAt = -1)
{
    listmaker::CurrentList list;
    list.FileCount = count;
    list.DiskLabel = QStringLiteral("CD09");
    list.ArtistText = QStringLiteral("Nina");
    list.ExtensionText = QStringLiteral("NA");
    list.TotalFilesText = QString::number(count);
    for (int i = 0; i < count; ++i) {
        list.Paths[i] = QStringLiteral("/media/cd");
        list.Titles[i] = i == waitingAt ? QStringLiteral("wait here") : QStringLiteral("track %1.mp3").arg(i);
    }
    return list;
}

} // namespace

class ServerRestartTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_server;

    bool server(const QString &command, const QStringList &more = {})
    {
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedChannels);
        p.start(QStringLiteral("bash"), QStringList {Script, command, m_server} + more);
        return p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }

    // The test's own connection to the server, made again after a restart.
    static void reconnect(TempApp &app)
    {
        QSqlDatabase db = app.direct();
        db.close();
        QVERIFY2(db.open(), qPrintable(db.lastError().text()));
    }

    static void find(NavFixture &f, const QString &text)
    {
        f.box("Text2")->setText(text);
        f.click("Find");
    }

private slots:
    void initTestCase()
    {
        if (QDir(QStringLiteral("/usr/lib/postgresql")).isEmpty())
            QSKIP("PostgreSQL is not installed");
        m_server = m_dir.filePath(QStringLiteral("pg"));
        const int port = freePort();
        QVERIFY(port > 0);
        QVERIFY(server(QStringLiteral("start"), {QString::number(port)}));
        // Every TempApp of this process works on this server.
        qputenv("QUENMORA_TEST_ENGINE", "postgresql");
        qputenv("QUENMORA_PG_PORT", QByteArray::number(port));
    }

    void cleanupTestCase()
    {
        if (!m_server.isEmpty())
            server(QStringLiteral("stop"));
    }

    // Between two commands the server restarts: the next command reads as if
    // nothing had happened. While it is down a command says once that the
    // catalogue cannot be reached; the next command after it is back works.
    void readsWorkAroundARestart()
    {
        NavFixture f;
        f.addSong(QStringLiteral("CD01"), QStringLiteral("Love Me"));
        f.addSong(QStringLiteral("CD02"), QStringLiteral("Love You"));
        f.load();
        find(f, QStringLiteral("Love"));
        QCOMPARE(NavFixture::count(f.list("List1")), 2);

        QVERIFY(server(QStringLiteral("pause")) && server(QStringLiteral("resume")));
        reconnect(f.app);
        f.addSong(QStringLiteral("CD03"), QStringLiteral("Love Her"));
        find(f, QStringLiteral("Love"));
        QCOMPARE(NavFixture::lines(f.list("List1")),
            QStringList({QStringLiteral("Love Me"), QStringLiteral("Love You"), QStringLiteral("Love Her")}));
        QVERIFY2(f.app.dialogs.shown.isEmpty(), qPrintable(f.app.dialogs.texts().join(QLatin1Char('|'))));

        QVERIFY(server(QStringLiteral("pause")));
        find(f, QStringLiteral("Love"));
        QCOMPARE(f.app.dialogs.shown.size(), 1);
        const QString said = f.app.dialogs.texts().at(0);
        QVERIFY2(said.startsWith(QLatin1String("3151\r\nThe song catalogue cannot be reached: ")), qPrintable(said));
        QVERIFY2(said.contains(QLatin1String("127.0.0.1")) || said.contains(QLatin1String("onnect")), qPrintable(said));

        QVERIFY(server(QStringLiteral("resume")));
        reconnect(f.app);
        f.click("SearchDisks");
        QCOMPARE(NavFixture::count(f.list("List1")), 3);
        f.click("ShowAll");
        QCOMPARE(NavFixture::count(f.list("DataList1")), 3);
        QCOMPARE(f.app.dialogs.shown.size(), 1);
    }

    // The server stops while an append is under way (the append waits at one
    // row until the server is going down): nothing of the list is stored,
    // the window says so, and the user's second try stores it once.
    void appendCutByStopStoresNothing()
    {
        NavFixture f;
        f.addSong(QStringLiteral("OLD"), QStringLiteral("old song"));
        f.app.exec(QStringLiteral("create or replace function wait_here() returns trigger language plpgsql as "
                                  "$$ begin perform pg_advisory_lock(4242); perform pg_advisory_unlock(4242); "
                                  "return new; end $$"));
        f.app.exec(QStringLiteral("create trigger wait_here before insert on table1 for each row "
                                  "when (new.TitleSID = 'wait here') execute function wait_here()"));
        f.app.exec(QStringLiteral("select pg_advisory_lock(4242)"));
        f.state.currentList = songs(300, 250); // rows 0 to 249 are in the table when it waits
        auto &w = f.load();
        w.showInAppendMode();

        // Stops the server once the append waits at its row.
        QProcess stopper;
        stopper.setProcessChannelMode(QProcess::ForwardedChannels);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PGPASSWORD"), QStringLiteral("throwaway"));
        stopper.setProcessEnvironment(env);
        stopper.start(QStringLiteral("bash"),
            {QStringLiteral("-c"),
                QStringLiteral("until psql -X -h 127.0.0.1 -p %1 -U quenmora_admin -d quenmora -tAc \"select count(*) "
                               "from pg_stat_activity where wait_event = 'advisory'\" | grep -qx '[1-9]'; "
                               "do sleep 0.05; done; bash '%2' pause '%3'")
                    .arg(QString::fromUtf8(qgetenv("QUENMORA_PG_PORT")), Script, m_server)});
        QVERIFY(stopper.waitForStarted());
        f.app.dialogs.queueAnswer(Button::Ok);
        f.click("AppendFileList");
        QVERIFY(stopper.waitForFinished(120000));
        QCOMPARE(stopper.exitCode(), 0);

        QCOMPARE(f.app.dialogs.shown.size(), 2);
        const QString said = f.app.dialogs.texts().at(1);
        QVERIFY2(said.startsWith(QLatin1String("3151\r\nThe connection to the song catalogue was lost: the change was "
                                               "not stored. Try it again.")),
            qPrintable(said));
        QVERIFY(f.w<QPushButton>("AppendFileList")->isEnabled());
        QCOMPARE(w.totalRecords(), 1);

        QVERIFY(server(QStringLiteral("resume")));
        reconnect(f.app);
        QCOMPARE(f.app.rowCount(), 1);
        f.app.exec(QStringLiteral("drop trigger wait_here on table1"));

        f.app.dialogs.queueAnswer(Button::Ok);
        f.click("AppendFileList");
        QCOMPARE(f.app.dialogs.shown.size(), 4);
        QVERIFY2(f.app.dialogs.texts().at(3).startsWith(QLatin1String("Currently created list of files appended")),
            qPrintable(f.app.dialogs.texts().at(3)));
        QCOMPARE(f.app.rowCount(), 301);
        QCOMPARE(w.totalRecords(), 301);
    }
};

QTEST_MAIN(ServerRestartTest)
#include "serverrestart.moc"
