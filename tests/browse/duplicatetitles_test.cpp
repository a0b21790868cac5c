// SPDX-License-Identifier: GPL-3.0-or-later
#include "browse/navfixture.h"

#include <QAction>
#include <QMenu>

namespace {

const QColor Blue(0, 0, 255);

void listDuplicates(const NavFixture &f)
{
    f.window->findChild<QAction *>(QStringLiteral("Duplicates"))->trigger();
}

} // namespace

// "Titles on Several Disks" lists the titles that stand on two or more
// disks, letter case ignored, as a label list of TitleSID.
class DuplicateTitlesTest : public QObject
{
    Q_OBJECT

private slots:
    void titlesOnSeveralDisks()
    {
        NavFixture f;
        f.addSong(QStringLiteral("CD1"), QStringLiteral("Love Me"));
        f.addSong(QStringLiteral("CD2"), QStringLiteral("love me"));
        f.addSong(QStringLiteral("CD2"), QStringLiteral("LOVE ME"));
        f.addSong(QStringLiteral("CD1"), QStringLiteral("Solo")); // twice on one disk: no duplicate
        f.addSong(QStringLiteral("CD1"), QStringLiteral("solo"));
        f.addSong(QStringLiteral("CD1"), QStringLiteral("abc"));
        f.addSong(QStringLiteral("CD2"), QStringLiteral("abc"));
        f.addSong(QStringLiteral("CD3"), QStringLiteral("abc"));
        f.addSong(QStringLiteral("CD1"), QStringLiteral("Jóga"));
        f.addSong(QStringLiteral("CD3"), QStringLiteral("Jóga"));
        f.addSong(QStringLiteral("CD1"), QStringLiteral("")); // empty and missing titles are no titles
        f.addSong(QStringLiteral("CD2"), QStringLiteral(""));
        f.app.exec(QStringLiteral("insert into table1 (DiskID) values ('CD1')"));
        f.app.exec(QStringLiteral("insert into table1 (DiskID) values ('CD2')"));
        f.addSong(QStringLiteral("CD1"), QStringLiteral("Zed")); // a record without a disk is on none
        f.app.exec(QStringLiteral("insert into table1 (TitleSID) values ('zed')"));
        f.load();

        auto *menu = f.window->findChild<QMenu *>(QStringLiteral("DuplicatesMenu"));
        QCOMPARE(menu->title(), QStringLiteral("Dupli&cates"));
        QCOMPARE(menu->actions().value(0)->objectName(), QStringLiteral("Duplicates"));
        QCOMPARE(menu->actions().value(0)->text(), QStringLiteral("Titles on &Several Disks"));

        f.click("ShowAll");
        listDuplicates(f);
        auto *list = f.list("List1");
        QVERIFY(f.list("DataList1")->isHidden());
        QVERIFY(!list->isHidden());
        // In the order of the titles in lower case; of several spellings the least.
        QCOMPARE(NavFixture::lines(list), QStringList({"abc  (3 disks)", "Jóga  (2 disks)", "LOVE ME  (2 disks)"}));
        QCOMPARE(NavFixture::ids(list), QList<int>({0, 0, 0}));
        QCOMPARE(f.w<QLabel>("Label15")->text(), QStringLiteral("Titles on several disks (3):"));
        QVERIFY(!f.w<QPushButton>("DeleteDisk")->isEnabled());
        QVERIFY(!f.w<QPushButton>("EditRecord")->isEnabled());
        QVERIFY(f.w<QLabel>("Label23")->isHidden());
        QVERIFY(f.app.dialogs.shown.isEmpty());

        // The first line is clicked as a label is: a search for the title is prepared.
        QCOMPARE(NavFixture::currentRow(list), 0);
        QCOMPARE(f.text("Text2"), QStringLiteral("abc"));
        QCOMPARE(f.text("Text5"), QStringLiteral("abc"));
        QCOMPARE(f.w<QComboBox>("Combo1")->currentText(), QStringLiteral("TitleSID"));
        for (const char *cleared : {"txtID", "Text1", "Text4", "Text3", "Text9"})
            QCOMPARE(f.text(cleared), QString());

        NavFixture::setCurrentRow(list, 2);
        QCOMPARE(f.text("Text2"), QStringLiteral("LOVE ME"));
        QCOMPARE(f.text("Text5"), QStringLiteral("LOVE ME"));
        QCOMPARE(f.w<QGroupBox>("Frame1")->title(), QStringLiteral("You have clicked Title item."));
        QCOMPARE(f.w<QGroupBox>("Frame1")->palette().color(QPalette::WindowText), Blue);
        QVERIFY(f.w<QLabel>("Image8")->isHidden());
        QVERIFY(f.w<QLabel>("Label23")->isHidden());
        QCOMPARE(f.w<QLabel>("Label15")->text(), QStringLiteral("Titles on several disks (3):"));

        // Find then lists the copies: every spelling where the engine's LIKE
        // ignores case (SQLite), the one shown where it does not (PostgreSQL).
        f.click("Find");
        QCOMPARE(NavFixture::lines(list),
            TempApp::onPostgres() ? QStringList({"LOVE ME"}) : QStringList({"Love Me", "love me", "LOVE ME"}));
        listDuplicates(f);
        f.click("Find");
        QCOMPARE(NavFixture::lines(list), QStringList({"abc", "abc", "abc"}));
        QVERIFY(f.app.dialogs.shown.isEmpty());
    }

    void noTitleOnSeveralDisks_data()
    {
        QTest::addColumn<QStringList>("disks");
        QTest::newRow("empty table") << QStringList();
        QTest::newRow("one disk holds a title twice") << QStringList({"CD1", "CD1"});
    }
    void noTitleOnSeveralDisks()
    {
        QFETCH(QStringList, disks);
        NavFixture f;
        for (const QString &disk : disks)
            f.addSong(disk, QStringLiteral("same"));
        f.load();
        f.click("ShowAll");
        listDuplicates(f);
        QVERIFY(f.list("DataList1")->isHidden());
        QVERIFY(!f.list("List1")->isHidden());
        QCOMPARE(NavFixture::count(f.list("List1")), 0);
        QCOMPARE(f.w<QLabel>("Label15")->text(), QStringLiteral("Titles on several disks (0):"));
        // Show All on an empty table says so; the duplicates themselves say nothing.
        QCOMPARE(f.app.dialogs.texts(),
            disks.isEmpty() ? QStringList {QStringLiteral("No record found to display.")} : QStringList());
    }
};

QTEST_MAIN(DuplicateTitlesTest)
#include "duplicatetitles_test.moc"
