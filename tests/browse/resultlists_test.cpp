// SPDX-License-Identifier: GPL-3.0-or-later
#include "browse/navfixture.h"

using platform::Button;
using platform::Icon;

namespace {

QColor frameColour(const NavFixture &f)
{
    return f.w<QGroupBox>("Frame1")->palette().color(QPalette::WindowText);
}

const QColor Blue(0, 0, 255);

} // namespace

class ResultListsTest : public QObject
{
    Q_OBJECT

private slots:
    void showAllListsTitlesInTableOrder()
    {
        NavFixture f;
        const qint32 b = f.addSong(QStringLiteral("CD1"), QStringLiteral("b"));
        const qint32 a = f.addSong(QStringLiteral("CD1"), QStringLiteral("a"));
        const qint32 c = f.addSong(QStringLiteral("CD2"), QStringLiteral("c"));
        f.load();
        f.click("ShowAll");
        auto *all = f.list("DataList1");
        QVERIFY(!all->isHidden());
        QVERIFY(f.list("List1")->isHidden());
        QCOMPARE(NavFixture::lines(all), QStringList({"b", "a", "c"}));
        QCOMPARE(NavFixture::ids(all), QList<int>({b, a, c}));
        QCOMPARE(f.w<QLabel>("Label15")->text(), QStringLiteral("Showing all records (3):"));
        QCOMPARE(f.text("Text1"), QStringLiteral("1"));
        QCOMPARE(f.text("txtID"), QString::number(b));
        QVERIFY(!f.w<QPushButton>("DeleteDisk")->isEnabled());
        QVERIFY(f.w<QPushButton>("EditRecord")->isEnabled());

        // Selecting a line, whichever way, shows its record.
        all->selectionModel()->select(NavFixture::line(all, 2), QItemSelectionModel::ClearAndSelect);
        QCOMPARE(f.text("txtID"), QString::number(c));
        QCOMPARE(f.text("Text1"), QStringLiteral("3"));
        NavFixture::setCurrentRow(all, 1);
        QCOMPARE(f.text("txtID"), QString::number(a));
        QCOMPARE(f.text("Text5"), QStringLiteral("a"));
        QCOMPARE(f.text("Text1"), QStringLiteral("2"));
        QCOMPARE(f.w<QGroupBox>("Frame1")->title(), QStringLiteral("Showing From All Records List"));
        QCOMPARE(frameColour(f), QApplication::palette().color(QPalette::ButtonText));
        // No photograph for the disk: hidden without a word.
        QVERIFY(f.w<QLabel>("Image8")->isHidden());
        QVERIFY(!f.w<QLabel>("Label23")->isHidden());
        QVERIFY(f.app.dialogs.shown.isEmpty());

        // Clicking the selected line again shows its record again.
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QTest::keyClicks(f.box("Text13"), QStringLiteral("3"));
        QCOMPARE(f.text("Text5"), QStringLiteral("c"));
        QCOMPARE(NavFixture::currentRow(all), 1);
        QTest::mouseClick(all->viewport(), Qt::LeftButton, {}, all->visualRect(NavFixture::line(all, 1)).center());
        QCOMPARE(f.text("Text5"), QStringLiteral("a"));
        QCOMPARE(f.text("Text1"), QStringLiteral("2"));

        emit all->doubleClicked(NavFixture::line(all, 0));
        QCOMPARE(f.app.dialogs.texts(), QStringList{QStringLiteral("You can not play files from the 'Sorted' list.")});
        QCOMPARE(f.app.dialogs.shown[0].icon, Icon::Exclamation);
    }

    void duplicateTitlesKeepTheirOwnRecords()
    {
        NavFixture f;
        f.addSong(QStringLiteral("CD1"), QStringLiteral("same"));
        const qint32 second = f.addSong(QStringLiteral("CD2"), QStringLiteral("same"));
        f.load();
        f.click("ShowAll");
        NavFixture::setCurrentRow(f.list("DataList1"), 1);
        QCOMPARE(f.text("txtID"), QString::number(second));
        QCOMPARE(f.text("Text4"), QStringLiteral("CD2"));
    }

    void editedRecordsKeepTheirPlaceInTheLists()
    {
        NavFixture f;
        const qint32 a = f.addSong(QStringLiteral("CD1"), QStringLiteral("a"));
        const qint32 b = f.addSong(QStringLiteral("CD1"), QStringLiteral("b"));
        const qint32 c = f.addSong(QStringLiteral("CD1"), QStringLiteral("c"));
        // A server stores the changed record anew, after the others.
        f.app.exec(QStringLiteral("update table1 set TitleSID = 'a2' where ID = %1").arg(a));
        f.load();
        f.click("ShowAll");
        QCOMPARE(NavFixture::ids(f.list("DataList1")), QList<int>({a, b, c}));
        QCOMPARE(NavFixture::lines(f.list("DataList1")), QStringList({"a2", "b", "c"}));
        f.click("Find");
        QCOMPARE(NavFixture::ids(f.list("List1")), QList<int>({a, b, c}));
    }

    void showAllOnAnEmptyTableRefuses()
    {
        NavFixture f;
        f.load();
        f.click("ShowAll");
        QCOMPARE(f.app.dialogs.texts(), QStringList{QStringLiteral("No record found to display.")});
        QVERIFY(f.list("DataList1")->isHidden());
        QCOMPARE(f.w<QLabel>("Label15")->text(), QStringLiteral("Matched List"));
    }

    void showAllReadsTheTableOnce()
    {
        NavFixture f;
        f.addSong(QStringLiteral("CD1"), QStringLiteral("one"));
        f.load();
        f.click("ShowAll");
        f.w<QComboBox>("Combo1")->setCurrentIndex(0);
        f.addSong(QStringLiteral("CD1"), QStringLiteral("two"));
        f.click("ShowAll");
        QCOMPARE(NavFixture::count(f.list("DataList1")), 1);
        QCOMPARE(f.w<QComboBox>("Combo1")->currentText(), QStringLiteral("DiskID"));
    }

    void listsAreNotLimitedToSixteenBits()
    {
        NavFixture f;
        QSqlDatabase db = f.app.direct();
        db.transaction();
        QSqlQuery q(db);
        q.prepare(QStringLiteral("insert into table1 (DiskID, TitleSID) values ('BULK', ?)"));
        for (int i = 0; i < 33000; ++i) {
            q.addBindValue(QStringLiteral("t%1").arg(i));
            q.exec();
        }
        db.commit();
        f.load();
        f.click("ShowAll");
        auto *all = f.list("DataList1");
        QCOMPARE(NavFixture::count(all), 33000);
        NavFixture::setCurrentRow(all, 32999);
        QCOMPARE(f.text("Text5"), QStringLiteral("t32999"));
        QCOMPARE(f.text("Text1"), QStringLiteral("33000"));
        QCOMPARE(f.text("txtID"), QString::number(NavFixture::ids(all).last()));
    }

    void findMatchesSubstringsOfAnyColumn_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("ell") << "TitleSID" << "ell" << QStringList{"Hello", "Yellow"};
        QTest::newRow("apostrophe") << "TitleSID" << "'" << QStringList{"Don't stop", "x' OR '1'='1"};
        QTest::newRow("injection finds itself") << "TitleSID" << "' OR '1'='1" << QStringList{"x' OR '1'='1"};
        QTest::newRow("percent keeps its meaning") << "TitleSID" << "D%t" << QStringList{"Don't stop"};
        QTest::newRow("empty text, null artist left out")
            << "ArtistID" << "" << QStringList{"Hello", "Yellow", "Don't stop"};
        QTest::newRow("typed column name") << "artistid" << "Bo" << QStringList{"Yellow"};
    }
    void findMatchesSubstringsOfAnyColumn()
    {
        QFETCH(QString, column);
        QFETCH(QString, text);
        QFETCH(QStringList, titles);
        NavFixture f;
        QMap<QString, int> keys;
        keys["Hello"] = f.app.addRecord({"D1", "/", "Hello", "", "", "", "Al"});
        keys["Yellow"] = f.app.addRecord({"D1", "/", "Yellow", "", "", "", "Bob"});
        keys["Don't stop"] = f.app.addRecord({"D2", "/", "Don't stop", "", "", "", "Cy"});
        keys["x' OR '1'='1"] = f.app.addRecord({"D2", "/", "x' OR '1'='1"});
        f.load();
        f.w<QComboBox>("Combo1")->setCurrentText(column);
        f.box("Text2")->setText(text);
        f.click("Find");
        QCOMPARE(f.app.dialogs.shown.size(), 0);
        auto *found = f.list("List1");
        QCOMPARE(NavFixture::lines(found), titles);
        QCOMPARE(f.w<QLabel>("Label15")->text(), QStringLiteral("Matched List (%1):").arg(titles.size()));
        QCOMPARE(f.w<QGroupBox>("Frame1")->title(), QStringLiteral("Showing From Found Results List"));
        QCOMPARE(frameColour(f), Blue);
        QCOMPARE(f.text("Text1"), QStringLiteral("1"));
        QCOMPARE(f.text("Text5"), titles.first());
        QVERIFY(!f.w<QPushButton>("DeleteDisk")->isEnabled());
        QList<int> expectedKeys;
        for (const QString &title : titles)
            expectedKeys << keys.value(title);
        QCOMPARE(NavFixture::ids(found), expectedKeys);
        if (titles.size() > 1) {
            NavFixture::setCurrentRow(found, 1);
            QCOMPARE(f.text("Text5"), titles.at(1));
            QCOMPARE(f.text("Text1"), QStringLiteral("2"));
        }
    }

    // A line of either list shows its record as stored now; one whose record
    // has gone says so and leaves no other record on show beside it.
    void lineShowsItsRecordAsStoredNow_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("found line, changed since the search") << "List1" << false;
        QTest::newRow("found line, deleted since the search") << "List1" << true;
        QTest::newRow("all-records line, changed since Show All") << "DataList1" << false;
        QTest::newRow("all-records line, deleted since Show All") << "DataList1" << true;
    }
    void lineShowsItsRecordAsStoredNow()
    {
        QFETCH(QString, list);
        QFETCH(bool, deleted);
        NavFixture f;
        const qint32 first = f.addSong(QStringLiteral("CD1"), QStringLiteral("love one"));
        const qint32 second = f.addSong(QStringLiteral("CD1"), QStringLiteral("love two"));
        const qint32 third = f.addSong(QStringLiteral("CD1"), QStringLiteral("other"));
        const bool found = list == QLatin1String("List1");
        auto &w = f.load();
        if (found) {
            f.box("Text2")->setText(QStringLiteral("love"));
            f.click("Find");
        } else {
            f.click("ShowAll");
        }
        auto *lines = f.list(list.toLatin1().constData());
        QCOMPARE(NavFixture::ids(lines), found ? QList<int>({first, second}) : QList<int>({first, second, third}));
        QCOMPARE(f.text("txtID"), QString::number(first));
        for (const qint32 id : {first, second}) {
            f.app.exec(deleted ? QStringLiteral("delete from table1 where ID = %1").arg(id)
                               : QStringLiteral("update table1 set TitleSID = 'now %1', ArtistID = 'Someone' "
                                                "where ID = %1").arg(id));
        }
        f.app.dialogs.clear();
        NavFixture::setCurrentRow(lines, 1);
        QCOMPARE(f.text("Text1"), QStringLiteral("2"));
        // The line itself keeps the title it was read with.
        QCOMPARE(NavFixture::lines(lines).mid(0, 2), QStringList({"love one", "love two"}));
        if (deleted) {
            QCOMPARE(f.app.dialogs.texts(), QStringList{QStringLiteral("No record found to display")});
            QCOMPARE(f.app.dialogs.shown[0].icon, Icon::Information);
            for (const char *box : {"txtID", "Text3", "Text4", "Text5", "Text9"})
                QCOMPARE(f.text(box), QString());
        } else {
            QVERIFY(f.app.dialogs.shown.isEmpty());
            QCOMPARE(f.text("txtID"), QString::number(second));
            QCOMPARE(f.text("Text5"), QStringLiteral("now %1").arg(second));
            QCOMPARE(f.text("Text9"), QStringLiteral("Someone"));
        }
        if (!found) {
            // The record number of a line acts as selecting the line.
            f.app.dialogs.clear();
            QTest::keyClicks(f.box("Text13"), QStringLiteral("1"));
            QCOMPARE(f.text("Text1"), QStringLiteral("1"));
            QCOMPARE(NavFixture::currentRow(lines), 0);
            QCOMPARE(f.text("txtID"), deleted ? QString() : QString::number(first));
            QCOMPARE(f.app.dialogs.texts(),
                deleted ? QStringList{QStringLiteral("No record found to display")} : QStringList());
            return;
        }
        // The search's own record is read again as well.
        f.app.dialogs.clear();
        w.DisplayFindResult();
        if (deleted) {
            QCOMPARE(f.app.dialogs.texts(), QStringList{QStringLiteral("No record found to display")});
        } else {
            QVERIFY(f.app.dialogs.shown.isEmpty());
            QCOMPARE(f.text("txtID"), QString::number(first));
            QCOMPARE(f.text("Text5"), QStringLiteral("now %1").arg(first));
        }
    }

    void findWithoutMatchOrWithABadColumn()
    {
        NavFixture f;
        f.addSong(QStringLiteral("CD1"), QStringLiteral("song"));
        auto &w = f.load();
        // Shown as "Un-categorized", stored without a value: not found by that text.
        f.click("ShowAll");
        QCOMPARE(f.text("Text8"), QStringLiteral("Un-categorized"));
        f.w<QComboBox>("Combo1")->setCurrentText(QStringLiteral("OccasionID"));
        f.box("Text2")->setText(QStringLiteral("Un-categorized"));
        f.click("Find");
        QCOMPARE(f.app.dialogs.texts(), QStringList{QStringLiteral("No Matching Records Found")});
        QCOMPARE(f.app.dialogs.shown[0].icon, Icon::Information);
        QCOMPARE(f.w<QLabel>("Label15")->text(), QStringLiteral("Search Display Window"));
        QVERIFY(!f.text("txtID").isEmpty());
        QCOMPARE(f.text("Text5"), QString());
        QCOMPARE(f.text("Text1"), QString());
        QVERIFY(!f.w<QPushButton>("EditRecord")->isEnabled());
        QVERIFY(f.list("DataList1")->isHidden());

        f.app.dialogs.clear();
        f.w<QComboBox>("Combo1")->setEditText(QStringLiteral("TitleSID; drop table table1"));
        f.click("Find");
        QCOMPARE(f.app.dialogs.shown.size(), 1);
        QVERIFY(f.app.dialogs.shown[0].text.startsWith(QLatin1String("5\r\n")));
        QCOMPARE(f.app.rowCount(), 1);
        w.DisplayFindResult();
        QCOMPARE(f.app.dialogs.texts().last(), QStringLiteral("No record found to display"));
    }

    void diskLabelsPrepareASearch()
    {
        NavFixture f;
        f.addSong(QStringLiteral("CD1"), QStringLiteral("one"));
        f.addSong(QStringLiteral("CD2"), QStringLiteral("two"));
        f.addSong(QStringLiteral("CD1"), QStringLiteral("three"));
        f.addSong(QStringLiteral("CD10"), QStringLiteral("four"));
        f.load();
        f.click("ShowAll");
        f.click("SearchDisks");
        auto *labels = f.list("List1");
        QCOMPARE(NavFixture::lines(labels), QStringList({"CD1", "CD10", "CD2"}));
        QCOMPARE(NavFixture::ids(labels), QList<int>({0, 0, 0}));
        QCOMPARE(NavFixture::line(labels, 1).data(Qt::UserRole), QVariant(0));
        QVERIFY(f.list("DataList1")->isHidden());
        QCOMPARE(NavFixture::currentRow(labels), 0);
        QCOMPARE(f.text("Text4"), QStringLiteral("CD1"));
        QCOMPARE(f.text("Text2"), QStringLiteral("CD1"));
        QCOMPARE(f.text("txtID"), QString());
        QCOMPARE(f.text("Text5"), QString());
        QCOMPARE(f.w<QComboBox>("Combo1")->currentText(), QStringLiteral("DiskID"));
        QCOMPARE(f.w<QLabel>("Label15")->text(), QStringLiteral("Disk Labels Found (3):"));
        QCOMPARE(f.w<QGroupBox>("Frame1")->title(), QStringLiteral("You have clicked Disk label item."));
        QCOMPARE(frameColour(f), Blue);
        QVERIFY(f.w<QPushButton>("DeleteDisk")->isEnabled());
        QVERIFY(!f.w<QPushButton>("EditRecord")->isEnabled());

        NavFixture::setCurrentRow(labels, 2);
        QCOMPARE(f.text("Text2"), QStringLiteral("CD2"));
        NavFixture::setCurrentRow(labels, 0);
        f.click("Find");
        QCOMPARE(NavFixture::lines(labels), QStringList({"one", "three", "four"}));
        QVERIFY(f.app.dialogs.shown.isEmpty());
    }

    void occasionAndStatusLabels_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("caption");
        QTest::newRow("occasion") << "Occasion" << "OccasionID" << "Text8" << "Occasion Labels Found (2):"
                                  << "You have clicked Occasion label item.";
        QTest::newRow("status") << "Status" << "StatusID" << "Text12" << "Status Labels Found (2):"
                                << "You have clicked Status label item.";
    }
    void occasionAndStatusLabels()
    {
        QFETCH(QString, button);
        QFETCH(QString, column);
        QFETCH(QString, field);
        QFETCH(QString, heading);
        QFETCH(QString, caption);
        NavFixture f;
        f.addSong(QStringLiteral("CD1"), QStringLiteral("a"), QStringLiteral("Party"), QStringLiteral("Party"));
        f.addSong(QStringLiteral("CD1"), QStringLiteral("b"));
        f.addSong(QStringLiteral("CD1"), QStringLiteral("c"), QStringLiteral("Wedding"), QStringLiteral("Wedding"));
        f.addSong(QStringLiteral("CD1"), QStringLiteral("d"), QStringLiteral("Party"), QStringLiteral("Party"));
        f.load();
        f.click("ShowAll");
        f.click(button.toLatin1().constData());
        auto *labels = f.list("List1");
        QCOMPARE(NavFixture::lines(labels), QStringList({"Party", "Wedding"}));
        QCOMPARE(f.w<QLabel>("Label15")->text(), heading);
        QVERIFY(!f.w<QPushButton>("DeleteDisk")->isEnabled());
        QVERIFY(!f.w<QPushButton>("EditRecord")->isEnabled());
        QVERIFY(f.w<QLabel>("Label23")->isHidden());

        NavFixture::setCurrentRow(labels, 1);
        QCOMPARE(f.box(field.toLatin1().constData())->text(), QStringLiteral("Wedding"));
        QCOMPARE(f.text("Text2"), QStringLiteral("Wedding"));
        QCOMPARE(f.w<QComboBox>("Combo1")->currentText(), column);
        QCOMPARE(f.text("txtID"), QString());
        QCOMPARE(f.text("Text1"), QString());
        QCOMPARE(f.w<QGroupBox>("Frame1")->title(), caption);
        QVERIFY(f.w<QLabel>("Image8")->isHidden());
        QVERIFY(f.app.dialogs.shown.isEmpty());
    }

    void labelListsOfAnEmptyOrUnlabelledTable()
    {
        {
            NavFixture f;
            f.load();
            f.click("SearchDisks");
            f.click("Occasion");
            QCOMPARE(f.app.dialogs.texts(), QStringList({QStringLiteral("No record found to display"),
                                                         QStringLiteral("No record found to display.")}));
            QCOMPARE(f.w<QLabel>("Label15")->text(), QString());
        }
        NavFixture g;
        g.addSong(QStringLiteral("CD1"), QStringLiteral("a"));
        g.load();
        g.click("Status");
        QCOMPARE(NavFixture::count(g.list("List1")), 0);
        QCOMPARE(g.w<QLabel>("Label15")->text(), QStringLiteral("Status Labels Found (0):"));
        QCOMPARE(g.w<QComboBox>("Combo1")->currentText(), QStringLiteral("StatusID"));
        QVERIFY(g.app.dialogs.shown.isEmpty());
    }
};

QTEST_MAIN(ResultListsTest)
#include "resultlists_test.moc"
