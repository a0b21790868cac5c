// SPDX-License-Identifier: GPL-3.0-or-later
#include "listmaker/makeslistfixture.h"

#include "listmaker/currentlist.h"
#include "listmaker/folderscanner.h"
#include "platform/datetext.h"

#include <QDir>
#include <QMenu>

using platform::Button;
using platform::Buttons;
using platform::Icon;

Q_DECLARE_METATYPE(platform::Icon)

namespace {

const QDateTime Then = QDateTime::fromSecsSinceEpoch(1765000000);
const QDateTime Later = QDateTime::fromSecsSinceEpoch(1766000000);

// The window over a catalogue that holds the disk CD01 of Ann, walked from
// root: a.mp3 and b.mp3 at the top, sub/c.mp3 and sub/d.mp3 below.
struct UpdateFixture : MakeSListFixture
{
    explicit UpdateFixture(const QString &where = QStringLiteral("CD01"))
        : root(app.file(where))
    {
        app.dialogs.pointerOf = window.get();
        const char *const files[][2]
            = {{"/a.mp3", "aaaa"}, {"/b.mp3", "bbbb"}, {"/sub/c.mp3", "cc"}, {"/sub/d.mp3", "dd"}};
        for (const auto &file : files)
            treemaker::file(root + QLatin1String(file[0]), file[1], Then);
        catalogue(root, QStringLiteral("CD01"), QStringLiteral("Ann"));
    }

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

    // Runs the command on the folder (none: the one Dir1 shows).
    void updateDisk(const QString &folder, const QString &diskId, const QString &artist = QString())
    {
        if (!folder.isEmpty())
            window->findChild<QObject *>(QStringLiteral("Dir1"))->setProperty("path", folder);
        text("Text3")->setText(diskId);
        text("Text1")->setText(artist);
        app.dialogs.clear();
        app.dialogs.pointers.clear();
        trigger("UpdateDisk");
    }

    const QString root;
};

} // namespace

class DiskUpdateTest : public QObject
{
    Q_OBJECT

private slots:
    void theCommandIsInItsOwnMenu()
    {
        UpdateFixture f;
        auto *menu = f.window->findChild<QMenu *>(QStringLiteral("Catalogue"));
        QVERIFY(menu);
        QCOMPARE(menu->title(), QStringLiteral("Catalo&gue"));
        QCOMPARE(menu->actions(), QList<QAction *> {f.get<QAction>("UpdateDisk")});
        QCOMPARE(menu->actions().first()->text(), QStringLiteral("&Update Disk in Catalogue"));
    }

    // Each case ends in one box and leaves the catalogue, the lists and the list file as they were.
    void messages_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Icon>("icon"); // a question has Yes and No, No the default; the rest OK
        QTest::addColumn<QString>("message");
        const Icon info = Icon::Information;
        const QString asks = QStringLiteral("Disk 'CD01': %1.\r\nBring the catalogue up to date?");
        QTest::newRow("no Disk ID") << "" << Icon::Critical
                                    << "It is mandatory to give an ID to your DISK. Give a\r\n"
                                       "unique name so that you can locate it afterwards.";
        QTest::newRow("no such disk") << "CD9" << info << "There is no Disk with ID mark 'CD9' in the catalogue.";
        QTest::newRow("a second disk apart from case")
            << "Cd01" << info << "There is no Disk with ID mark 'Cd01' in the catalogue.";
        QTest::newRow("up to date") << "CD01" << info << "Disk 'CD01' is up to date.";
        QTest::newRow("mounted elsewhere") << "CD01" << info << "Disk 'CD01' is up to date.";
        QTest::newRow("a new file") << "CD01" << Icon::Question
                                    << asks.arg("1 new files, 0 files gone, 0 changed, 4 unchanged");
        QTest::newRow("an empty folder") << "CD01" << Icon::Question
                                         << asks.arg("0 new files, 4 files gone, 0 changed, 0 unchanged");
        // A medium taken out after its folder was chosen is not an empty disk.
        QTest::newRow("the folder gone") << "CD01" << Icon::None << "Path not found";
        QTest::newRow("10002 files") << "CD01" << info << "Can't continue. Number of files exceeded the limit 10000.";
    }
    void messages()
    {
        QFETCH(QString, typed);
        QFETCH(Icon, icon);
        UpdateFixture f(QStringLiteral("media/CD01"));
        treemaker::file(f.app.file(QStringLiteral("other/x.mp3")), "x", Then);
        f.makeList(f.app.file(QStringLiteral("other")), QStringLiteral("NEW"));
        const QStringList list1 = f.entries("List1");
        const QByteArray listFile = f.listFileBytes();

        const QByteArray situation = QTest::currentDataTag();
        QString root = f.root;
        if (situation == "a second disk apart from case") {
            f.catalogue(root, QStringLiteral("cd01"), QStringLiteral("Ann"));
        } else if (situation == "mounted elsewhere") {
            root = f.app.file(QStringLiteral("run/CD01"));
            QVERIFY(QDir().mkpath(f.app.file(QStringLiteral("run"))) && QDir().rename(f.root, root));
        } else if (situation == "a new file") {
            treemaker::file(root + QStringLiteral("/sub/e.mp3"), "eee", Then);
        } else if (situation == "an empty folder") {
            QVERIFY(QDir(root).removeRecursively() && QDir().mkpath(root));
        } else if (situation == "the folder gone") {
            f.window->findChild<QObject *>(QStringLiteral("Dir1"))->setProperty("path", root);
            QVERIFY(QDir(f.app.file(QStringLiteral("media"))).removeRecursively());
            root.clear();
        } else if (situation == "10002 files") {
            QVERIFY(treemaker::spread(root + QStringLiteral("/many"), listmaker::CurrentList::Capacity - 3, 10));
        }
        const QStringList before = f.app.records();

        f.updateDisk(root, typed);
        QCOMPARE(f.app.dialogs.shown.size(), 1);
        const platform::Message &m = f.app.dialogs.shown.first();
        QTEST(m.text, "message");
        QCOMPARE(m.icon, icon);
        QCOMPARE(m.buttons, icon == Icon::Question ? Buttons::YesNo : Buttons::Ok);
        if (icon == Icon::Question)
            QCOMPARE(m.defaultButton, std::optional<Button>(Button::No));
        QVERIFY(f.app.dialogs.pointers.first() != Qt::WaitCursor);
        QCOMPARE(f.window->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(f.app.records(), before);
        QCOMPARE(f.entries("List1"), list1);
        QCOMPARE(f.listFileBytes(), listFile);
    }

    // The medium, now mounted elsewhere, has one file grown, one gone, two
    // new: the records follow, keeping what the user gave them; the other
    // disk, the current list and its file are another matter. A third new
    // file that the catalogue refuses undoes all of it first.
    void yesBringsTheDiskUpToDate()
    {
        UpdateFixture f(QStringLiteral("media/ann/CD01"));
        treemaker::file(f.app.file(QStringLiteral("other/x.mp3")), "x", Then);
        f.catalogue(f.app.file(QStringLiteral("other")), QStringLiteral("CD02"), QStringLiteral("Zed"));
        QStringList keys; // of a.mp3, b.mp3, sub/c.mp3, sub/d.mp3 and x.mp3
        for (const QString &row : f.app.records())
            keys << row.section(QLatin1Char('|'), 0, 0);
        f.app.exec(QStringLiteral("update table1 set OccasionID = 'Wedding' where ID = %1").arg(keys[0]));
        f.app.exec(QStringLiteral("update table1 set TitleSID = 'Bee Song', ArtistID = 'Bob', OccasionID = 'Party', "
                                  "StatusID = 'Fine' where ID = %1")
                       .arg(keys[1]));
        const QStringList otherDisk = f.app.records().filter(QStringLiteral("|CD02|"));
        QCOMPARE(f.navigator.navigationWindow().totalRecords(), 5); // open meanwhile

        const QString run = f.app.file(QStringLiteral("run/media/ann/CD01"));
        QVERIFY(QDir().mkpath(f.app.file(QStringLiteral("run/media/ann"))));
        QVERIFY(QDir().rename(f.root, run));
        treemaker::file(run + QStringLiteral("/sub/c.mp3"), "ccc", Then);
        QVERIFY(QFile::remove(run + QStringLiteral("/sub/d.mp3")));
        treemaker::file(run + QStringLiteral("/sub/e.mp3"), "eeeee", Later);
        treemaker::file(run + QStringLiteral("/f.mp3"), "f", Later);
        f.makeList(f.app.file(QStringLiteral("other")), QStringLiteral("NEW"));
        const QByteArray listFile = f.listFileBytes();

        treemaker::file(run + QStringLiteral("/refused.mp3"), "r", Later);
        f.app.refuseTitle(QStringLiteral("refused.mp3"));
        const QStringList before = f.app.records();
        f.app.dialogs.queueAnswer(Button::Yes);
        f.updateDisk(run, QStringLiteral("cd01"));
        QCOMPARE(f.app.dialogs.shown.size(), 2);
        QCOMPARE(f.app.dialogs.shown.last().icon, Icon::None);
        QVERIFY2(f.app.dialogs.texts().last().startsWith(QStringLiteral("3146\r\n")),
            qPrintable(f.app.dialogs.texts().last()));
        QVERIFY(!f.app.dialogs.pointers.contains(Qt::WaitCursor));
        QCOMPARE(f.app.records(), before);
        QCOMPARE(f.navigator.navigationWindow().totalRecords(), 5);

        QVERIFY(QFile::remove(run + QStringLiteral("/refused.mp3")));
        f.app.dialogs.queueAnswer(Button::Yes);
        f.updateDisk(run, QStringLiteral("cd01"));
        QCOMPARE(f.app.dialogs.texts(),
            (QStringList {"Disk 'cd01': 2 new files, 1 files gone, 1 changed, 2 unchanged.\r\n"
                          "Bring the catalogue up to date?",
                "Disk 'cd01' brought up to date: 2 added, 1 removed, 1 changed."}));
        QCOMPARE(f.app.dialogs.shown.last().icon, Icon::Information);
        QVERIFY(!f.app.dialogs.pointers.contains(Qt::WaitCursor));

        // The new records, in walk order, as an append stores them: the Disk
        // ID as stored, the artist most records carry, the new count.
        const QString then = platform::generalDateText(Then);
        const QString later = platform::generalDateText(Later);
        QStringList rows = f.app.records();
        QCOMPARE(rows.filter(QStringLiteral("|CD02|")), otherDisk);
        rows = rows.filter(QStringLiteral("|CD01|"));
        for (int i = 3; i < rows.size(); ++i)
            rows[i] = rows[i].section(QLatin1Char('|'), 1); // keys of their own
        QCOMPARE(rows,
            (QStringList {QStringLiteral("%1|CD01|%2|a.mp3|NA|4|%3|Ann|5|Wedding|~").arg(keys[0], run, then),
                QStringLiteral("%1|CD01|%2|Bee Song|NA|4|%3|Bob|5|Party|Fine").arg(keys[1], run, then),
                QStringLiteral("%1|CD01|%2/sub|c.mp3|NA|3|%3|Ann|5|~|~").arg(keys[2], run, then),
                QStringLiteral("CD01|%1|f.mp3|NA|1|%2|Ann|5|~|~").arg(run, later),
                QStringLiteral("CD01|%1/sub|e.mp3|NA|5|%2|Ann|5|~|~").arg(run, later)}));
        QCOMPARE(f.entries("List1"), QStringList {"x.mp3"});
        QCOMPARE(f.listFileBytes(), listFile);
        QCOMPARE(f.navigator.navigationWindow().totalRecords(), 6);

        // An artist typed in Text1 goes to the new records.
        treemaker::file(run + QStringLiteral("/g.mp3"), "g", Later);
        f.app.dialogs.queueAnswer(Button::Yes);
        f.updateDisk(run, QStringLiteral("CD01"), QStringLiteral("Guest"));
        QCOMPARE(f.app.dialogs.texts().last(),
            QStringLiteral("Disk 'CD01' brought up to date: 1 added, 0 removed, 0 changed."));
        QCOMPARE(f.app.records().last().section(QLatin1Char('|'), 1),
            QStringLiteral("CD01|%1|g.mp3|NA|1|%2|Guest|6|~|~").arg(run, later));
    }

    void aClosedConnectionIsReported()
    {
        TempApp app;
        shell::SharedState closed(TempApp::missingConnectString());
        closed.database.ConnectDatabase();
        FakeNavigator navigator(app.context(), closed);
        listmaker::MakeSListWindow window(app.context(), closed, navigator);
        navigator.window = &window;
        window.findChild<QLineEdit *>(QStringLiteral("Text3"))->setText(QStringLiteral("CD01"));
        window.findChild<QAction *>(QStringLiteral("UpdateDisk"))->trigger();
        QCOMPARE(app.dialogs.shown.size(), 1);
        QVERIFY2(app.dialogs.shown.first().text.startsWith(QStringLiteral("3709\r\n")),
            qPrintable(app.dialogs.shown.first().text));
    }
};

QTEST_MAIN(DiskUpdateTest)
#include "diskupdate_test.moc"
