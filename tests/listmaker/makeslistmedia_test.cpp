#include "makeslistfixture.h"

#include "listmaker/currentlist.h"

#include <QComboBox>

using platform::Icon;

namespace {

const QString Created = QStringLiteral("LIST of Files and other informations CREATED.");
const QString Gone = QStringLiteral(" is no longer there: the medium was removed or the network share dropped.\r\n");

QStringList driveItems(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemData(i).toString();
    return items;
}

// A medium in a temporary folder, and a place to take it away to.
struct Media
{
    Media()
    {
        treemaker::file(cd + QStringLiteral("/one.mp3"));
        treemaker::file(cd + QStringLiteral("/sub/two.mp3"));
        treemaker::file(usb + QStringLiteral("/three.mp3"));
    }
    bool removeCd() { return QDir().rename(cd, dir.filePath(QStringLiteral("away"))); }
    platform::Drive drive(const QString &path, const char *label) const
    {
        return {path, QString::fromLatin1(label), path};
    }

    QTemporaryDir dir;
    QString cd = dir.filePath(QStringLiteral("media/CD07"));
    QString usb = dir.filePath(QStringLiteral("media/USB"));
};

} // namespace

// The Create File List window when a medium goes away under a command, and
// its drive list while media come and go.
class MakeSListMediaTest : public QObject
{
    Q_OBJECT

private slots:
    // A list is made; a second one is started on a folder whose medium is
    // gone by then: the window says which folder went, and the first list,
    // its views and its file stay as they were.
    void makeListOnAVanishedMediumKeepsTheList()
    {
        Media m;
        MakeSListFixture f;
        f.makeList(m.usb, QStringLiteral("USB1"));
        QCOMPARE(f.app.dialogs.texts().last(), Created);
        const QByteArray listFile = f.listFileBytes();

        f.window->findChild<QObject *>("Dir1")->setProperty("path", m.cd);
        QVERIFY(m.removeCd());
        f.text("Text3")->setText(QStringLiteral("CD07"));
        f.button("AddList")->setEnabled(true); // as after Clear List, which would drop the file checked below
        f.button("AddList")->click();

        QCOMPARE(f.app.dialogs.texts().last(),
            QStringLiteral("The folder ") + m.cd + Gone
                + QStringLiteral("No list was made: the current list is as it was."));
        QCOMPARE(f.app.dialogs.shown.last().icon, Icon::Exclamation);
        QCOMPARE(f.entries("List1"), QStringList {"three.mp3"});
        QCOMPARE(f.listFileBytes(), listFile);
        QCOMPARE(f.state.currentList.FileCount, 1);
        QCOMPARE(f.state.currentList.DiskLabel, QStringLiteral("USB1"));
        QCOMPARE(f.label("Label6")->text(), QString());
    }

    void titlesFromTagsOfAVanishedMediumTakeNothing()
    {
        Media m;
        MakeSListFixture f;
        f.makeList(m.cd, QStringLiteral("CD07"));
        QVERIFY(m.removeCd());
        f.trigger("TagTitles");
        QCOMPARE(f.app.dialogs.texts().last(),
            QStringLiteral("The folder ") + m.cd + Gone
                + QStringLiteral("No title was taken: the titles are as they were."));
        QCOMPARE(f.entries("List4"), (QStringList {"one.mp3", "two.mp3"}));
        QCOMPARE(f.button("EditList4")->text(), QStringLiteral("Edit"));
        QVERIFY(!f.list("List4")->isVisibleTo(f.window.get()));
        QCOMPARE(f.label("Label6")->text(), QString());
    }

    void playbackOfAVanishedMediumStops_data()
    {
        QTest::addColumn<bool>("removed");
        QTest::newRow("medium gone") << true;
        QTest::newRow("medium there: the player's own failure") << false;
    }
    void playbackOfAVanishedMediumStops()
    {
        QFETCH(bool, removed);
        Media m;
        MakeSListFixture f;
        f.makeList(m.cd, QStringLiteral("CD07"));
        QListWidget *list1 = f.list("List1");
        list1->setCurrentRow(1);
        emit list1->itemDoubleClicked(list1->item(1));
        FakePlayer &player = f.player(3);
        QCOMPARE(player.fileName(), m.cd + QStringLiteral("/sub/two.mp3"));
        const qsizetype said = f.app.dialogs.shown.size();
        if (removed)
            QVERIFY(m.removeCd());
        player.failWhilePlaying({5, QStringLiteral("Resource error")});
        if (!removed) {
            QCOMPARE(f.app.dialogs.shown.size(), said);
            return;
        }
        QCOMPARE(f.app.dialogs.texts().last(),
            QStringLiteral("The folder ") + m.cd + Gone + QStringLiteral("Playback stopped."));
        QCOMPARE(player.fileName(), QString());
        QCOMPARE(f.entries("List1"), (QStringList {"one.mp3", "two.mp3"}));
    }

    // Media mounted and unmounted while the window is open: the drive list
    // follows; the chosen drive that went falls back to the first drive,
    // which shows the folder last shown there, and the list made from it stays.
    void theDriveListFollowsTheSystem()
    {
        Media m;
        MakeSListFixture f({m.drive(QStringLiteral("/"), ""), m.drive(m.cd, "CD07")});
        auto *drive = f.get<QComboBox>("Drive1");
        QObject *dir1 = f.window->findChild<QObject *>("Dir1");
        drive->setProperty("path", m.cd);
        QCOMPARE(dir1->property("path").toString(), m.cd);
        f.makeList(m.cd, QStringLiteral("CD07"));

        f.app.drives.drives << m.drive(m.usb, "USB");
        f.app.drives.mediaChanged();
        QCOMPARE(driveItems(drive), (QStringList {"/", m.cd, m.usb}));
        QCOMPARE(drive->property("path").toString(), m.cd);
        QCOMPARE(dir1->property("path").toString(), m.cd);

        f.app.drives.drives.removeAt(1);
        QVERIFY(m.removeCd());
        f.app.drives.mediaChanged();
        QCOMPARE(driveItems(drive), (QStringList {"/", m.usb}));
        QCOMPARE(drive->property("path").toString(), QStringLiteral("/"));
        QCOMPARE(dir1->property("path").toString(), f.app.folder());
        QCOMPARE(f.entries("List1"), (QStringList {"one.mp3", "two.mp3"}));
        QVERIFY(QFile::exists(f.app.file("~tmplist.txt")));

        // Choosing the new medium is a change of drive as ever.
        drive->setProperty("path", m.usb);
        QCOMPARE(dir1->property("path").toString(), m.usb);
        QCOMPARE(f.text("Text3")->text(), QStringLiteral("USB"));
    }
};

QTEST_MAIN(MakeSListMediaTest)
#include "makeslistmedia_test.moc"
