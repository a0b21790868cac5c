// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/tempapp.h"

#include "songdb/songconnection.h"

#include <QProcess>
#include <QSqlQuery>
#include <QTest>

// The command that adds the indexes to a catalogue made without them: run
// through the data source 'Orvandel', any number of times, records untouched,
// the search indexes filled with the records there are.
class IndexScriptTest : public QObject
{
    Q_OBJECT

private:
    static QStringList indexes(TempApp &app)
    {
        QSqlQuery q(app.direct());
        q.exec(TempApp::onPostgres()
                ? QStringLiteral("select indexname from pg_indexes where tablename = 'table1'")
                : QStringLiteral("select name from sqlite_master where type = 'index' and tbl_name = 'table1'"));
        QStringList names;
        while (q.next())
            names << q.value(0).toString().toLower();
        names.sort();
        return names;
    }

private slots:
    void addsTheIndexesOnce()
    {
        TempApp app;
        for (const char *name :
            {"table1_DiskID", "table1_OccasionID", "table1_StatusID", "table1_TitleSID_lower", "table1_ID"})
            app.exec(QStringLiteral("drop index if exists ") + QLatin1String(name));
        app.dropSearchIndexes();
        const qint32 record = app.addRecord({QStringLiteral("CD1"), QStringLiteral("/"), QStringLiteral("a title"),
            QStringLiteral("NA"), QStringLiteral("1"), QStringLiteral("d"), QStringLiteral("an artist")});
        const QStringList before = indexes(app);
        QVERIFY(!before.contains(QStringLiteral("table1_diskid")));
        QVERIFY(songdb::SongConnection().searchIndexes().none());

        for (int run = 0; run < 2; ++run) {
            QProcess script;
            script.setProcessChannelMode(QProcess::MergedChannels);
            QStringList arguments{QStringLiteral(QUENMORA_SOURCE_DIR "/scripts/add-indexes.sh")};
            if (TempApp::onPostgres()) {
                // table1 belongs to the server's superuser; sa may not add indexes.
                QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
                env.insert(QStringLiteral("PGPASSWORD"), QStringLiteral("throwaway"));
                script.setProcessEnvironment(env);
                arguments << QStringLiteral("--admin") << QStringLiteral("quenmora_admin");
            }
            script.start(QStringLiteral("bash"), arguments);
            QVERIFY(script.waitForFinished(60000));
            QVERIFY2(script.exitCode() == 0, script.readAll().constData());
        }
        const QStringList after = indexes(app);
        for (const char *name : {"table1_diskid", "table1_occasionid", "table1_statusid", "table1_titlesid_lower"})
            QVERIFY2(after.contains(QLatin1String(name)), qPrintable(after.join(QLatin1Char(' '))));
        QCOMPARE(after.size(), before.size() + (TempApp::onPostgres() ? 6 : 5));
        QCOMPARE(app.rowCount(), 1);

        // The search indexes are there and hold the record that was.
        songdb::SongConnection c;
        QCOMPARE(c.searchIndexes(), songdb::searchindex::Columns().set(songdb::TitleSID).set(songdb::ArtistID));
        const songdb::TitleLines titles = c.find(QStringLiteral("TitleSID"), QStringLiteral("title")).value;
        const songdb::TitleLines artists = c.find(QStringLiteral("ArtistID"), QStringLiteral("artis")).value;
        QVERIFY(titles.size() == 1 && titles.id(0) == record);
        QVERIFY(artists.size() == 1 && artists.id(0) == record);
    }
};

QTEST_GUILESS_MAIN(IndexScriptTest)
#include "indexscript_test.moc"
