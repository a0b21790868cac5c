// SPDX-License-Identifier: GPL-3.0-or-later
#include "browse/navfixture.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>

using platform::Icon;

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QString BothFilters =
    QStringLiteral("Will save as Text File (*.txt)|*.txt|Records with all fields, CSV (*.csv)|*.csv");

// Reads comma-separated values as RFC 4180 has them, every line ending in
// CR LF; anything else (a bare LF, a stray quotation mark) fails.
bool parseCsv(const QByteArray &bytes, QList<QStringList> *rows)
{
    rows->clear();
    QStringList row;
    qsizetype i = 0;
    while (i < bytes.size()) {
        QByteArray field;
        if (bytes[i] == '"') {
            for (++i;; ++i) {
                if (i >= bytes.size())
                    return false;
                if (bytes[i] == '"') {
                    if (i + 1 < bytes.size() && bytes[i + 1] == '"') {
                        field += '"';
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += bytes[i];
            }
        } else {
            while (i < bytes.size() && bytes[i] != ',' && bytes[i] != '\r') {
                if (bytes[i] == '"' || bytes[i] == '\n')
                    return false;
                field += bytes[i++];
            }
        }
        row << QString::fromUtf8(field);
        if (i < bytes.size() && bytes[i] == ',') {
            ++i;
            continue;
        }
        if (bytes.mid(i, 2) != "\r\n")
            return false;
        i += 2;
        *rows << row;
        row.clear();
    }
    return true;
}

const QStringList AllColumns = {"ID", "DiskID", "PathSID", "TitleSID", "ExtensionID", "FileSizID", "FileDatTimID",
                                "ArtistID", "TotFiles", "OccasionID", "StatusID"};

} // namespace

class SavedListTest : public QObject
{
    Q_OBJECT

private slots:
    void emptyVisibleListIsNotSaved()
    {
        NavFixture f;
        f.load();
        f.window->findChild<QAction *>(QStringLiteral("SaveList"))->trigger();
        QCOMPARE(f.app.dialogs.texts(), QStringList{QStringLiteral("No contents in the current list to save.")});
        QCOMPARE(f.app.dialogs.shown[0].icon, Icon::Information);
        QVERIFY(f.app.dialogs.saved.isEmpty());
    }

    void visibleListIsWrittenLineByLine_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("all records") << "ShowAll" << QByteArray("b\r\na \"quoted\" one\r\nc\r\n");
        QTest::newRow("disk labels") << "SearchDisks" << QByteArray("CD1\r\nCD2\r\n");
    }
    void visibleListIsWrittenLineByLine()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, bytes);
        NavFixture f;
        f.addSong(QStringLiteral("CD2"), QStringLiteral("b"));
        f.addSong(QStringLiteral("CD1"), QStringLiteral("a \"quoted\" one"));
        f.addSong(QStringLiteral("CD2"), QStringLiteral("c"));
        f.load();
        f.click(command.toLatin1().constData());
        QVERIFY(!QDir(f.app.file(QStringLiteral("Results"))).exists());
        const QString target = f.app.file(QStringLiteral("Results/saved.txt"));
        f.app.dialogs.clear();
        f.app.dialogs.queueFile(target);
        f.window->findChild<QAction *>(QStringLiteral("SaveList"))->trigger();
        QCOMPARE(f.app.dialogs.saved.size(), 1);
        QCOMPARE(f.app.dialogs.saved[0].initialFolder, f.app.file(QStringLiteral("Results")));
        QCOMPARE(f.app.dialogs.saved[0].filter, BothFilters);
        QVERIFY(f.app.dialogs.shown.isEmpty());
        QCOMPARE(readFile(target), bytes);
    }

    void everyTitleIsSavedAsStored()
    {
        NavFixture f;
        const QString longTitle = QString(5000, QLatin1Char('x')) + QStringLiteral(".mp3");
        f.addSong(QStringLiteral("CD1"), QStringLiteral("Björk – Jóga ✓ 😀.flac"));
        f.addSong(QStringLiteral("CD1"), longTitle);
        f.app.exec(QStringLiteral("insert into table1 (DiskID) values ('CD1')")); // no title at all
        f.addSong(QStringLiteral("CD1"), QStringLiteral("last"));
        f.load();
        f.click("ShowAll");
        QCOMPARE(NavFixture::lines(f.list("DataList1")),
            QStringList({QStringLiteral("Björk – Jóga ✓ 😀.flac"), longTitle, QString(), QStringLiteral("last")}));
        const QString target = f.app.file(QStringLiteral("Results/all.txt"));
        f.app.dialogs.queueFile(target);
        f.window->findChild<QAction *>(QStringLiteral("SaveList"))->trigger();
        QVERIFY(f.app.dialogs.shown.isEmpty());
        QCOMPARE(
            readFile(target), QStringLiteral("Björk – Jóga ✓ 😀.flac\r\n%1\r\n\r\nlast\r\n").arg(longTitle).toUtf8());
    }

    // The records of the visible list with all their fields as stored now,
    // in list order, in the CSV form: chosen by its filter or by the name.
    void recordsAsCsv_data()
    {
        QTest::addColumn<bool>("found");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("name");
        QTest::newRow("all records, CSV filter") << false << 1 << "all.txt";
        QTest::newRow("found records, name ending in .csv") << true << 0 << "found.CSV";
    }
    void recordsAsCsv()
    {
        QFETCH(bool, found);
        QFETCH(int, filter);
        QFETCH(QString, name);
        NavFixture f;
        const QString longTitle = QString(3000, QLatin1Char('x')) + QStringLiteral("\nend");
        f.app.addRecord({"CD2", "/music, live", "a \"quoted\", one", "NA", "1234", "07-12-2026 10:00:00",
                         "Artist", "20"});
        for (int i = 0; i < 16; ++i)
            f.addSong(QStringLiteral("CD1"), QStringLiteral("plain %1").arg(i));
        const qint32 gone = f.addSong(QStringLiteral("CD2"), QStringLiteral("deleted later"));
        const qint32 changed = f.app.addRecord({"CD2", "/m", "Björk – Jóga ✓ 😀", "NA", "7", "d", "two\r\nlines",
                                                "20", "Party", "Scratched"});
        f.app.addRecord({"CD2", "/m", longTitle, "NA", "8", "d", "", "20", "", ""});
        f.load();
        if (found) {
            f.w<QComboBox>("Combo1")->setCurrentText(QStringLiteral("DiskID"));
            f.box("Text2")->setText(QStringLiteral("CD2"));
            f.click("Find");
        } else {
            f.click("ShowAll");
        }
        const QListView *list = f.list(found ? "List1" : "DataList1");
        QCOMPARE(NavFixture::count(list), found ? 4 : 20);
        f.app.exec(QStringLiteral("delete from table1 where ID = %1").arg(gone));
        f.app.exec(QStringLiteral("update table1 set ArtistID = 'now, \"this\"' where ID = %1").arg(changed));

        const QString target = f.app.file(QStringLiteral("Results/") + name);
        f.app.dialogs.clear();
        f.app.dialogs.queueFile(target, filter);
        f.window->findChild<QAction *>(QStringLiteral("SaveList"))->trigger();
        QVERIFY2(f.app.dialogs.shown.isEmpty(), qPrintable(f.app.dialogs.texts().join(QLatin1Char('|'))));
        QCOMPARE(f.app.dialogs.saved.value(0).filter, BothFilters);

        const QByteArray bytes = readFile(target);
        QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
        QList<QStringList> rows;
        QVERIFY2(parseCsv(bytes, &rows), bytes.left(200).constData());
        QCOMPARE(rows.value(0), AllColumns);

        // The records as stored now, read another way; the deleted one is left out.
        QList<QStringList> expected{AllColumns};
        QSqlQuery q(f.app.direct());
        q.exec(QStringLiteral("select * from table1 order by ID"));
        while (q.next()) {
            if (!NavFixture::ids(list).contains(q.value(0).toInt()))
                continue;
            QStringList record;
            for (int c = 0; c < AllColumns.size(); ++c)
                record << q.value(c).toString();
            expected << record;
        }
        QCOMPARE(expected.size(), NavFixture::count(list));
        QCOMPARE(rows, expected);
        QCOMPARE(rows.last().value(3), longTitle);
        QCOMPARE(rows.value(rows.size() - 2).value(7), QStringLiteral("now, \"this\""));
    }

    void labelListsAsCsv_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("disk labels") << "SearchDisks" << QByteArray("DiskID\r\nCD1\r\n\"CD2, \"\"b\"\"\"\r\n");
        QTest::newRow("occasion labels") << "Occasion" << QByteArray("OccasionID\r\n\"Party, big\"\r\n");
        QTest::newRow("titles on several disks")
            << "Duplicates" << QByteArray("TitleSID\r\n\"He said \"\"hi\"\"\"\r\n");
    }
    void labelListsAsCsv()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, bytes);
        NavFixture f;
        f.addSong(QStringLiteral("CD1"), QStringLiteral("He said \"hi\""), QStringLiteral("Party, big"));
        f.addSong(QStringLiteral("CD2, \"b\""), QStringLiteral("he said \"HI\""));
        f.load();
        if (command == QLatin1String("Duplicates"))
            f.window->findChild<QAction *>(QStringLiteral("Duplicates"))->trigger();
        else
            f.click(command.toLatin1().constData());
        const QString target = f.app.file(QStringLiteral("Results/labels.csv"));
        f.app.dialogs.queueFile(target, 1);
        f.window->findChild<QAction *>(QStringLiteral("SaveList"))->trigger();
        QVERIFY(f.app.dialogs.shown.isEmpty());
        QCOMPARE(readFile(target), bytes);

        // The text form still writes the lines as they stand.
        const QString text = f.app.file(QStringLiteral("Results/labels.txt"));
        f.app.dialogs.queueFile(text, 0);
        f.window->findChild<QAction *>(QStringLiteral("SaveList"))->trigger();
        QByteArray lines;
        for (const QString &line : NavFixture::lines(f.list("List1")))
            lines += line.toUtf8() + "\r\n";
        QCOMPARE(readFile(text), lines);
    }

    void cancelledOrUnwritableSave()
    {
        NavFixture f;
        f.addSong(QStringLiteral("CD1"), QStringLiteral("a"));
        f.load();
        f.click("ShowAll");
        auto *save = f.window->findChild<QAction *>(QStringLiteral("SaveList"));
        f.app.dialogs.queueFile(std::nullopt);
        save->trigger();
        QVERIFY(f.app.dialogs.shown.isEmpty());
        QCOMPARE(QDir(f.app.file(QStringLiteral("Results"))).entryList(QDir::Files), QStringList());

        // A folder chosen as the file: said so, not passed over.
        QDir().mkpath(f.app.file(QStringLiteral("Results/folder.txt")));
        f.app.dialogs.queueFile(f.app.file(QStringLiteral("Results/folder.txt")));
        save->trigger();
        QCOMPARE(f.app.dialogs.shown.size(), 1);
        QVERIFY(f.app.dialogs.shown[0].text.startsWith(QLatin1String("75\r\n")));

        f.app.dialogs.queueFile(f.app.file(QStringLiteral("no such folder/x.txt")));
        save->trigger();
        QCOMPARE(f.app.dialogs.shown.size(), 2);
        QVERIFY(f.app.dialogs.shown[1].text.startsWith(QLatin1String("76\r\n")));
    }
};

QTEST_MAIN(SavedListTest)
#include "savedlist_test.moc"
