// SPDX-License-Identifier: GPL-3.0-or-later
#include "makeslistfixture.h"

#include "listmaker/currentlist.h"

#include <QComboBox>

using platform::Icon;

namespace {

const QString Created = QStringLiteral("LIST of Files and other informations CREATED.");

QString gone(const QString &folder, const char *consequence)
{
    return QStringLiteral("The folder ") + folder
        + QStringLiteral(" is no longer there: the medium was removed or the network share dropped.\r\n")
        + QLatin1String(consequence);
}

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
    // The medium of the list goes away: playback, Song Titles from Tags and
    // a new list of its folder each say which folder went, and the list, its
    // views and its file stay as they were. The player's own failure, with
    // the medium there, is none of this.
    void aVanishedMediumLeavesTheListAsItWas()
    {
        Media m;
        MakeSListFixture f;
        f.makeList(m.cd, QStringLiteral("CD07"));
        const QByteArray listFile = f.listFileBytes();
        const QStringList files {"one.mp3", "two.mp3"};
        QListWidget *list1 = f.list("List1");
        FakePlayer &player = f.player(3);
        const auto play = [&] {
            list1->setCurrentRow(1);
            emit list1->itemDoubleClicked(list1->item(1));
            QCOMPARE(player.fileName(), m.cd + QStringLiteral("/sub/two.mp3"));
        };
        play();
        player.failWhilePlaying({5, QStringLiteral("Resource error")});
        QCOMPARE(f.app.dialogs.texts(), QStringList {Created});

        play();
        QVERIFY(m.removeCd());
        player.failWhilePlaying({5, QStringLiteral("Resource error")});
        QCOMPARE(f.app.dialogs.texts().last(), gone(m.cd, "Playback stopped."));
        QCOMPARE(f.app.dialogs.shown.last().icon, Icon::Exclamation);
        QCOMPARE(player.fileName(), QString());

        f.trigger("TagTitles");
        QCOMPARE(f.app.dialogs.texts().last(), gone(m.cd, "No title was taken: the titles are as they were."));
        QCOMPARE(f.entries("List4"), files);
        QCOMPARE(f.button("EditList4")->text(), QStringLiteral("Edit"));
        QVERIFY(!f.list("List4")->isVisibleTo(f.window.get()));

        f.text("Text3")->setText(QStringLiteral("CD07"));
        f.button("AddList")->setEnabled(true); // as after Clear List, which would drop the file checked below
        f.button("AddList")->click();
        QCOMPARE(f.app.dialogs.texts().last(), gone(m.cd, "No list was made: the current list is as it was."));
        QCOMPARE(f.app.dialogs.shown.last().icon, Icon::Exclamation);
        QCOMPARE(f.entries("List1"), files);
        QCOMPARE(f.listFileBytes(), listFile);
        QCOMPARE(f.state.currentList.FileCount, 2);
        QCOMPARE(f.label("Label6")->text(), QString());
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
