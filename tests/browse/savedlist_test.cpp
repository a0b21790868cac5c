#include "browse/navfixture.h"

#include <QDir>
#include <QFile>

using platform::Icon;

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

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
        QCOMPARE(f.app.dialogs.saved[0].filter, QStringLiteral("Will save as Text File (*.txt)|*.txt"));
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
