#include "listmaker/makeslistfixture.h"

#include "listmaker/currentlist.h"
#include "listmaker/folderscanner.h"
#include "platform/datetext.h"

#include <QDir>
#include <QMenu>
#include <QSqlQuery>

using platform::Button;
using platform::Buttons;
using platform::Icon;

Q_DECLARE_METATYPE(platform::Icon)
Q_DECLARE_METATYPE(platform::Buttons)

namespace {

const QDateTime Then = QDateTime::fromSecsSinceEpoch(1765000000);
const QDateTime Later = QDateTime::fromSecsSinceEpoch(1766000000);
const QString Mandatory = QStringLiteral("It is mandatory to give an ID to your DISK. Give a\r\n"
                                         "unique name so that you can locate it afterwards.");

// Every record, one line each in key order: all eleven columns, a missing value as "~".
QStringList table(TempApp &app)
{
    QSqlQuery q(app.direct());
    q.exec(QStringLiteral("select ID, DiskID, PathSID, TitleSID, ExtensionID, FileSizID, FileDatTimID, ArtistID, "
                          "TotFiles, OccasionID, StatusID from table1 order by ID"));
    QStringList rows;
    while (q.next()) {
        QStringList fields;
        for (int c = 0; c < 11; ++c)
            fields << (q.value(c).isNull() ? QStringLiteral("~") : q.value(c).toString());
        rows << fields.join(QLatin1Char('|'));
    }
    return rows;
}

// The rows of one column of a disk's records, in key order.
QStringList column(TempApp &app, const QString &name, const QString &diskId)
{
    QSqlQuery q(app.direct());
    q.prepare(QStringLiteral("select %1 from table1 where DiskID = ? order by ID").arg(name));
    q.addBindValue(diskId);
    q.exec();
    QStringList values;
    while (q.next())
        values << (q.value(0).isNull() ? QStringLiteral("~") : q.value(0).toString());
    return values;
}

struct UpdateFixture : MakeSListFixture
{
    UpdateFixture() { app.dialogs.pointerOf = window.get(); }

    // Appends a walk of the folder to the catalogue, as "Make List" and an append store it.
    void catalogue(const QString &folder, const QString &diskId, const QString &artist)
    {
        listmaker::CurrentList list;
        listmaker::ScanFolders(folder, list);
        list.DiskLabel = diskId;
        list.ArtistText = artist;
        list.ExtensionText = QStringLiteral("NA");
        list.TotalFilesText = QString::number(list.FileCount);
        QVERIFY(state.database.connection().appendList(list).ok());
    }

    void updateDisk(const QString &folder, const QString &diskId, const QString &artist = QString())
    {
        window->findChild<QObject *>(QStringLiteral("Dir1"))->setProperty("path", folder);
        text("Text3")->setText(diskId);
        text("Text1")->setText(artist);
        app.dialogs.clear();
        app.dialogs.pointers.clear();
        trigger("UpdateDisk");
    }

    qint32 keyOf(const QString &title)
    {
        QSqlQuery q(app.direct());
        q.prepare(QStringLiteral("select ID from table1 where TitleSID = ?"));
        q.addBindValue(title);
        q.exec();
        return q.next() ? q.value(0).toInt() : -1;
    }

    QString folder(const QString &name) const { return app.file(name); }
};

// A disk of four files: a.mp3 and b.mp3 at the top, sub/c.mp3 and sub/d.mp3 below.
void fourFiles(const QString &root)
{
    treemaker::file(root + QStringLiteral("/a.mp3"), "aaaa", Then);
    treemaker::file(root + QStringLiteral("/b.mp3"), "bbbb", Then);
    treemaker::file(root + QStringLiteral("/sub/c.mp3"), "cc", Then);
    treemaker::file(root + QStringLiteral("/sub/d.mp3"), "dd", Then);
}

} // namespace

class DiskUpdateTest : public QObject
{
    Q_OBJECT

private slots:
    void theCommandIsInItsOwnMenu()
    {
        UpdateFixture f;
        auto *update = f.get<QAction>("UpdateDisk");
        QCOMPARE(update->text(), QStringLiteral("&Update Disk in Catalogue"));
        auto *menu = f.window->findChild<QMenu *>(QStringLiteral("Catalogue"));
        QVERIFY(menu);
        QCOMPARE(menu->title(), QStringLiteral("Catalo&gue"));
        QCOMPARE(menu->actions(), QList<QAction *> {update});
    }

    // Each case ends in one box and leaves the catalogue, the lists and the list file as they were.
    void messages_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<Icon>("icon");
        QTest::addColumn<Buttons>("buttons");
        const QString info = QStringLiteral("Disk '%1' is up to date.");
        QTest::newRow("no Disk ID") << "as catalogued"
                                    << "" << Mandatory << Icon::Critical << Buttons::Ok;
        QTest::newRow("no such disk") << "as catalogued"
                                      << "CD9"
                                      << "There is no Disk with ID mark 'CD9' in the catalogue." << Icon::Information
                                      << Buttons::Ok;
        QTest::newRow("blanks count") << "as catalogued"
                                      << "CD01 "
                                      << "There is no Disk with ID mark 'CD01 ' in the catalogue." << Icon::Information
                                      << Buttons::Ok;
        QTest::newRow("two disks apart from case")
            << "a second disk cd01"
            << "Cd01"
            << "There is no Disk with ID mark 'Cd01' in the catalogue." << Icon::Information << Buttons::Ok;
        QTest::newRow("up to date") << "as catalogued"
                                    << "CD01" << info.arg("CD01") << Icon::Information << Buttons::Ok;
        QTest::newRow("up to date, typed in other letters")
            << "as catalogued"
            << "cd01" << info.arg("cd01") << Icon::Information << Buttons::Ok;
        QTest::newRow("moved with the mount point only")
            << "mounted elsewhere"
            << "CD01" << info.arg("CD01") << Icon::Information << Buttons::Ok;
        QTest::newRow("changes, answered No")
            << "a new file"
            << "CD01"
            << "Disk 'CD01': 1 new files, 0 files gone, 0 changed, 4 unchanged.\r\nBring the catalogue up to date?"
            << Icon::Question << Buttons::YesNo;
        QTest::newRow("too many files") << "10002 files"
                                        << "CD01"
                                        << "Can't continue. Number of files exceeded the limit 10000."
                                        << Icon::Information << Buttons::Ok;
    }
    void messages()
    {
        QFETCH(QString, situation);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(Icon, icon);
        QFETCH(Buttons, buttons);
        UpdateFixture f;
        QString root = f.folder(QStringLiteral("media/CD01"));
        fourFiles(root);
        f.catalogue(root, QStringLiteral("CD01"), QStringLiteral("Ann"));
        if (situation == QLatin1String("a second disk cd01")) {
            f.catalogue(root, QStringLiteral("cd01"), QStringLiteral("Ann"));
        } else if (situation == QLatin1String("mounted elsewhere")) {
            QVERIFY(QDir().mkpath(f.folder(QStringLiteral("run"))));
            QVERIFY(QDir().rename(root, f.folder(QStringLiteral("run/CD01"))));
            root = f.folder(QStringLiteral("run/CD01"));
        } else if (situation == QLatin1String("a new file")) {
            treemaker::file(root + QStringLiteral("/sub/e.mp3"), "eee", Then);
        } else if (situation == QLatin1String("10002 files")) {
            QVERIFY(treemaker::spread(root + QStringLiteral("/many"), listmaker::CurrentList::Capacity - 3, 10));
        }
        // A list made beforehand stays as it is.
        const QString other = f.folder(QStringLiteral("other"));
        treemaker::file(other + QStringLiteral("/x.mp3"), "x", Then);
        f.makeList(other, QStringLiteral("NEW"));
        const QStringList list1 = f.entries("List1");
        const QByteArray listFile = f.listFileBytes();
        const QStringList before = table(f.app);

        f.updateDisk(root, typed);
        QCOMPARE(f.app.dialogs.shown.size(), 1);
        const platform::Message &m = f.app.dialogs.shown.first();
        QCOMPARE(m.text, message);
        QCOMPARE(m.icon, icon);
        QCOMPARE(m.buttons, buttons);
        if (buttons == Buttons::YesNo)
            QCOMPARE(m.defaultButton, std::optional<Button>(Button::No));
        QVERIFY(f.app.dialogs.pointers.first() != Qt::WaitCursor);
        QCOMPARE(f.window->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(table(f.app), before);
        QCOMPARE(f.entries("List1"), list1);
        QCOMPARE(f.listFileBytes(), listFile);
    }

    void yesBringsTheDiskUpToDate()
    {
        UpdateFixture f;
        const QString media = f.folder(QStringLiteral("media/ann/CD01"));
        fourFiles(media);
        f.catalogue(media, QStringLiteral("CD01"), QStringLiteral("Ann"));
        treemaker::file(f.folder(QStringLiteral("other/x.mp3")), "x", Then);
        f.catalogue(f.folder(QStringLiteral("other")), QStringLiteral("CD02"), QStringLiteral("Zed"));
        const qint32 a = f.keyOf(QStringLiteral("a.mp3"));
        const qint32 b = f.keyOf(QStringLiteral("b.mp3"));
        const qint32 c = f.keyOf(QStringLiteral("c.mp3"));
        // What the user gave the records since.
        f.app.exec(QStringLiteral("update table1 set OccasionID = 'Wedding' where ID = %1").arg(a));
        f.app.exec(QStringLiteral("update table1 set TitleSID = 'Bee Song', ArtistID = 'Bob', OccasionID = 'Party', "
                                  "StatusID = 'Fine' where ID = %1")
                       .arg(b));
        const QString otherDisk = table(f.app).filter(QStringLiteral("|CD02|")).join(QLatin1Char('\n'));
        // The navigation window is open meanwhile.
        QCOMPARE(f.navigator.navigationWindow().totalRecords(), 5);

        // The medium is mounted elsewhere now; one file grew, one is gone, two are new.
        const QString run = f.folder(QStringLiteral("run/media/ann/CD01"));
        QVERIFY(QDir().mkpath(f.folder(QStringLiteral("run/media/ann"))));
        QVERIFY(QDir().rename(media, run));
        treemaker::file(run + QStringLiteral("/sub/c.mp3"), "ccc", Then);
        QVERIFY(QFile::remove(run + QStringLiteral("/sub/d.mp3")));
        treemaker::file(run + QStringLiteral("/sub/e.mp3"), "eeeee", Later);
        treemaker::file(run + QStringLiteral("/f.mp3"), "f", Later);

        f.makeList(f.folder(QStringLiteral("other")), QStringLiteral("NEW"));
        const QByteArray listFile = f.listFileBytes();
        f.app.dialogs.queueAnswer(Button::Yes);
        f.updateDisk(run, QStringLiteral("cd01"));

        QCOMPARE(f.app.dialogs.texts(),
            (QStringList {"Disk 'cd01': 2 new files, 1 files gone, 1 changed, 2 unchanged.\r\n"
                          "Bring the catalogue up to date?",
                "Disk 'cd01' brought up to date: 2 added, 1 removed, 1 changed."}));
        QCOMPARE(f.app.dialogs.shown.last().icon, Icon::Information);
        QVERIFY(!f.app.dialogs.pointers.contains(Qt::WaitCursor));

        const QString then = platform::generalDateText(Then);
        const QString later = platform::generalDateText(Later);
        const QStringList expected = {
            QStringLiteral("%1|CD01|%2|a.mp3|NA|4|%3|Ann|5|Wedding|~").arg(a).arg(run, then),
            QStringLiteral("%1|CD01|%2|Bee Song|NA|4|%3|Bob|5|Party|Fine").arg(b).arg(run, then),
            QStringLiteral("%1|CD01|%2/sub|c.mp3|NA|3|%3|Ann|5|~|~").arg(c).arg(run, then),
        };
        const QStringList rows = table(f.app);
        QCOMPARE(rows.filter(QStringLiteral("|CD01|")).mid(0, 3), expected);
        // The new files, in walk order, as an append stores them: the Disk ID as
        // stored, the artist most records carry, the new count.
        QCOMPARE(
            column(f.app, QStringLiteral("TitleSID"), QStringLiteral("CD01")).mid(3), (QStringList {"f.mp3", "e.mp3"}));
        QStringList added = rows.filter(QStringLiteral("|CD01|")).mid(3);
        QCOMPARE(added.size(), 2);
        for (QString &row : added)
            row = row.section(QLatin1Char('|'), 1);
        QCOMPARE(added,
            (QStringList {QStringLiteral("CD01|%1|f.mp3|NA|1|%2|Ann|5|~|~").arg(run, later),
                QStringLiteral("CD01|%1/sub|e.mp3|NA|5|%2|Ann|5|~|~").arg(run, later)}));
        QCOMPARE(rows.filter(QStringLiteral("|CD02|")).join(QLatin1Char('\n')), otherDisk);
        QCOMPARE(rows.size(), 6);

        // The current list and its file are another matter.
        QCOMPARE(f.entries("List1"), QStringList {"x.mp3"});
        QCOMPARE(f.listFileBytes(), listFile);
        QCOMPARE(f.navigator.navigationWindow().totalRecords(), 6);

        // Walked again, the disk is up to date.
        f.updateDisk(run, QStringLiteral("CD01"));
        QCOMPARE(f.app.dialogs.texts(), QStringList {"Disk 'CD01' is up to date."});
    }

    void theNewCountReachesEveryRecordAndTheTypedArtistTheNewOnes()
    {
        UpdateFixture f;
        const QString root = f.folder(QStringLiteral("CD01"));
        fourFiles(root);
        f.catalogue(root, QStringLiteral("CD01"), QStringLiteral("Ann"));
        treemaker::file(root + QStringLiteral("/g.mp3"), "g", Then);
        f.app.dialogs.queueAnswer(Button::Yes);
        f.updateDisk(root, QStringLiteral("CD01"), QStringLiteral("Guest"));
        QCOMPARE(f.app.dialogs.texts().last(),
            QStringLiteral("Disk 'CD01' brought up to date: 1 added, 0 removed, 0 changed."));
        QCOMPARE(
            column(f.app, QStringLiteral("TotFiles"), QStringLiteral("CD01")), QStringList(5, QStringLiteral("5")));
        QCOMPARE(column(f.app, QStringLiteral("ArtistID"), QStringLiteral("CD01")),
            (QStringList {"Ann", "Ann", "Ann", "Ann", "Guest"}));
        // The paths did not move: the records keep them as they were.
        QCOMPARE(column(f.app, QStringLiteral("PathSID"), QStringLiteral("CD01")),
            (QStringList {root, root, root + "/sub", root + "/sub", root}));
    }

    void anEmptyFolderLeavesTheDiskNoRecord()
    {
        UpdateFixture f;
        const QString root = f.folder(QStringLiteral("CD01"));
        fourFiles(root);
        f.catalogue(root, QStringLiteral("CD01"), QStringLiteral("Ann"));
        treemaker::file(f.folder(QStringLiteral("other/x.mp3")), "x", Then);
        f.catalogue(f.folder(QStringLiteral("other")), QStringLiteral("CD02"), QStringLiteral("Zed"));
        QVERIFY(QDir(root).removeRecursively());
        QVERIFY(QDir().mkpath(root));
        f.app.dialogs.queueAnswer(Button::Yes);
        f.updateDisk(root, QStringLiteral("CD01"));
        QCOMPARE(f.app.dialogs.texts(),
            (QStringList {"Disk 'CD01': 0 new files, 4 files gone, 0 changed, 0 unchanged.\r\n"
                          "Bring the catalogue up to date?",
                "Disk 'CD01' brought up to date: 0 added, 4 removed, 0 changed."}));
        QCOMPARE(f.app.rowCount(), 1);
        QCOMPARE(column(f.app, QStringLiteral("DiskID"), QStringLiteral("CD02")), QStringList {"CD02"});
    }

    // A refused new record undoes the deletes and changes made before it.
    void aFailureLeavesTheCatalogueAsItWas()
    {
        UpdateFixture f;
        const QString root = f.folder(QStringLiteral("CD01"));
        fourFiles(root);
        f.catalogue(root, QStringLiteral("CD01"), QStringLiteral("Ann"));
        const qint32 count = f.navigator.navigationWindow().totalRecords();
        QVERIFY(QFile::remove(root + QStringLiteral("/a.mp3")));
        treemaker::file(root + QStringLiteral("/b.mp3"), "bbbbbb", Later);
        treemaker::file(root + QStringLiteral("/refused.mp3"), "r", Later);
        f.app.refuseTitle(QStringLiteral("refused.mp3"));
        const QStringList before = table(f.app);

        f.app.dialogs.queueAnswer(Button::Yes);
        f.updateDisk(root, QStringLiteral("CD01"));
        QCOMPARE(f.app.dialogs.shown.size(), 2);
        const platform::Message &m = f.app.dialogs.shown.last();
        QCOMPARE(m.icon, Icon::None);
        QVERIFY2(m.text.startsWith(QStringLiteral("3146\r\n")), qPrintable(m.text));
        QVERIFY(m.text.size() > 6);
        QVERIFY(!f.app.dialogs.pointers.contains(Qt::WaitCursor));
        QCOMPARE(table(f.app), before);
        QCOMPARE(f.navigator.navigationWindow().totalRecords(), count);
    }

    // A medium taken out after its folder was chosen is not an empty disk.
    void aVanishedFolderRemovesNothing()
    {
        UpdateFixture f;
        const QString root = f.folder(QStringLiteral("media/CD01"));
        fourFiles(root);
        f.catalogue(root, QStringLiteral("CD01"), QStringLiteral("Ann"));
        f.window->findChild<QObject *>(QStringLiteral("Dir1"))->setProperty("path", root);
        QVERIFY(QDir(f.folder(QStringLiteral("media"))).removeRecursively());
        const QStringList before = table(f.app);
        f.text("Text3")->setText(QStringLiteral("CD01"));
        f.app.dialogs.clear();
        f.trigger("UpdateDisk");
        QCOMPARE(f.app.dialogs.texts(), QStringList {"Path not found"});
        QCOMPARE(table(f.app), before);
    }

    void aClosedConnectionIsReported()
    {
        UpdateFixture f;
        shell::SharedState closed(TempApp::missingConnectString());
        closed.database.ConnectDatabase();
        FakeNavigator navigator(f.app.context(), closed);
        listmaker::MakeSListWindow window(f.app.context(), closed, navigator);
        navigator.window = &window;
        window.findChild<QLineEdit *>(QStringLiteral("Text3"))->setText(QStringLiteral("CD01"));
        f.app.dialogs.clear();
        window.findChild<QAction *>(QStringLiteral("UpdateDisk"))->trigger();
        QCOMPARE(f.app.dialogs.shown.size(), 1);
        QVERIFY2(f.app.dialogs.shown.first().text.startsWith(QStringLiteral("3709\r\n")),
            qPrintable(f.app.dialogs.shown.first().text));
    }
};

QTEST_MAIN(DiskUpdateTest)
#include "diskupdate_test.moc"
