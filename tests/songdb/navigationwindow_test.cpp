// SPDX-License-Identifier: GPL-3.0-or-later
#include "browse/navfixture.h"

#include "listmaker/currentlist.h"

#include <QAction>
#include <QFile>
#include <QTimer>

using platform::Button;
using platform::Buttons;
using platform::Icon;

namespace {

listmaker::CurrentList makeList(int files)
{
    listmaker::CurrentList list;
    list.FileCount = files;
    list.DiskLabel = QStringLiteral("CD07");
    list.ArtistText = QStringLiteral("Nina");
    list.ExtensionText = QStringLiteral("NA");
    list.TotalFilesText = QString::number(files);
    for (int i = 0; i < files; ++i) {
        list.Paths[i] = QStringLiteral("/media/cd/disc %1").arg(i);
        list.Titles[i] = QStringLiteral("track %1's.mp3").arg(i);
        list.Sizes[i] = QString::number(4000 + i);
        list.DateTimes[i] = QStringLiteral("07-12-2026 10:00:0%1").arg(i);
    }
    return list;
}

const QString AppendedText =
    QStringLiteral("The currently created file has been appended to your Database 'DizaRore'.");
const QString ClosingText = QStringLiteral("Currently created list of files appended to the Database. However, you\r\n"
                                           "can see them in the list here only on starting the application afresh.");

} // namespace

class NavigationWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void loadsWithoutDataSource()
    {
        NavFixture f(TempApp::missingConnectString());
        auto &w = f.load();
        QCOMPARE(w.objectName(), QStringLiteral("AddData"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Navigating through  Database - DizaRore"));
        QCOMPARE(f.w<QLabel>("Label4")->text(), QStringLiteral("0"));
        QCOMPARE(w.totalRecords(), 0);
        QCOMPARE(f.w<QComboBox>("Combo1")->count(), 0);
        QVERIFY(f.list("DataList1")->isHidden());
        QVERIFY(!f.list("List1")->isHidden());
        QVERIFY(f.app.dialogs.shown.isEmpty());
    }

    void loadCountsRecordsAndListsFields()
    {
        NavFixture f;
        f.addSong(QStringLiteral("A"), QStringLiteral("one"));
        f.addSong(QStringLiteral("A"), QStringLiteral("two"));
        auto &w = f.load();
        QCOMPARE(f.w<QLabel>("Label4")->text(), QStringLiteral("2"));
        QCOMPARE(w.totalRecords(), 2);
        auto *combo = f.w<QComboBox>("Combo1");
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        QCOMPARE(items, QStringList({"DiskID", "PathSID", "TitleSID", "ExtensionID", "FileSizID", "FileDatTimID",
                                     "ArtistID", "TotFiles", "OccasionID", "StatusID"}));
        QCOMPARE(combo->currentText(), QStringLiteral("TitleSID"));
        auto *timer = w.findChild<QTimer *>(QStringLiteral("Timer1"));
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 500);
    }

    void loadReadsLeftOverListButKeepsTheCount()
    {
        NavFixture f;
        f.addSong(QStringLiteral("A"), QStringLiteral("one"));
        QVERIFY(!listmaker::currentlistfile::write(f.app.file(QStringLiteral("~tmplist.txt")), makeList(2))
                     .failure.isSet());
        f.state.currentList.FileCount = 7;
        f.load().showInBrowseMode();
        QCOMPARE(f.state.currentList.Titles[1], QStringLiteral("track 1's.mp3"));
        QCOMPARE(f.state.currentList.DiskLabel, QStringLiteral("CD07"));
        QCOMPARE(f.state.currentList.FileCount, 7);
        QCOMPARE(f.w<QLabel>("Label4")->text(), QStringLiteral("1"));
    }

    void modesBackAndCloseBox()
    {
        NavFixture f;
        auto &w = f.load();
        auto *prompt = f.w<QLabel>("Label14");
        auto *append = f.w<QPushButton>("AppendFileList");
        w.showInAppendMode();
        QVERIFY(append->isEnabled());
        QVERIFY(prompt->isVisible());
        w.findChild<QAction *>(QStringLiteral("Back"))->trigger();
        QCOMPARE(f.nav.mainShown, 1);
        QVERIFY(w.isHidden());
        // Browse mode after Back: the window was not reloaded, yet the prompt hides.
        w.showInBrowseMode();
        QVERIFY(!append->isEnabled());
        QVERIFY(prompt->isHidden());
        w.findChild<QAction *>(QStringLiteral("Back"))->trigger();
        QVERIFY(!prompt->isHidden());
        QVERIFY(!w.findChild<QAction *>(QStringLiteral("PrintList"))->isEnabled());
        w.show();
        w.close();
        QCOMPARE(f.nav.mainShown, 3);
    }

    void promptBlinksBetweenButtonTextAndRed()
    {
        NavFixture f;
        auto &w = f.load();
        auto *prompt = f.w<QLabel>("Label14");
        auto *timer = w.findChild<QTimer *>(QStringLiteral("Timer1"));
        const QColor buttonText = QApplication::palette().color(QPalette::ButtonText);
        QMetaObject::invokeMethod(timer, "timeout");
        const QColor first = prompt->palette().color(QPalette::WindowText);
        QMetaObject::invokeMethod(timer, "timeout");
        const QColor second = prompt->palette().color(QPalette::WindowText);
        QVERIFY(first == QColor(255, 0, 0) || second == QColor(255, 0, 0));
        QVERIFY(first == buttonText || second == buttonText);
        QVERIFY(first != second);
        w.setPromptInterval(0);
        QVERIFY(!timer->isActive());
    }

    void appendStoresOneRowPerFile()
    {
        NavFixture f;
        f.addSong(QStringLiteral("OLD"), QStringLiteral("old song"));
        f.state.currentList = makeList(3);
        auto &w = f.load();
        QVERIFY(QFile(f.app.file(QStringLiteral("~tmplist.txt"))).open(QIODevice::WriteOnly));
        w.showInAppendMode();
        f.app.dialogs.queueAnswer(Button::Ok);
        f.click("AppendFileList");

        QCOMPARE(f.app.dialogs.texts(),
                 QStringList({QStringLiteral("You are going to append 3 files to the existing Database 'DizaRore'."),
                              ClosingText}));
        QCOMPARE(f.app.dialogs.shown[0].buttons, Buttons::OkCancel);
        QCOMPARE(f.app.dialogs.shown[0].icon, Icon::Information);
        QCOMPARE(f.app.dialogs.shown[1].icon, Icon::Information);
        QCOMPARE(f.app.rowCount(), 4);
        QCOMPARE(w.totalRecords(), 4);
        QCOMPARE(f.w<QLabel>("Label4")->text(), QStringLiteral("4"));

        QSqlQuery q(f.app.direct());
        QVERIFY(q.exec(QStringLiteral("select DiskID, PathSID, TitleSID, ExtensionID, FileSizID, FileDatTimID, "
                                      "ArtistID, TotFiles, OccasionID, StatusID from table1 where DiskID = 'CD07' "
                                      "order by ID")));
        QVERIFY(q.next());
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("CD07"));
        QCOMPARE(q.value(1).toString(), QStringLiteral("/media/cd/disc 1"));
        QCOMPARE(q.value(2).toString(), QStringLiteral("track 1's.mp3"));
        QCOMPARE(q.value(3).toString(), QStringLiteral("NA"));
        QCOMPARE(q.value(4).toString(), QStringLiteral("4001"));
        QCOMPARE(q.value(5).toString(), QStringLiteral("07-12-2026 10:00:01"));
        QCOMPARE(q.value(6).toString(), QStringLiteral("Nina"));
        QCOMPARE(q.value(7).toString(), QStringLiteral("3"));
        QVERIFY(q.value(8).isNull());
        QVERIFY(q.value(9).isNull());

        auto *prompt = f.w<QLabel>("Label14");
        QCOMPARE(prompt->text(), AppendedText);
        QCOMPARE(prompt->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        QVERIFY(!w.findChild<QTimer *>(QStringLiteral("Timer1"))->isActive());
        QVERIFY(!f.w<QPushButton>("AppendFileList")->isEnabled());
        QVERIFY(!QFile::exists(f.app.file(QStringLiteral("~tmplist.txt"))));
    }

    void appendAsksUnderTheHourglassAndEndsWithoutIt()
    {
        NavFixture f;
        f.state.currentList = makeList(1);
        auto &w = f.load();
        f.app.dialogs.pointerOf = &w;
        w.showInAppendMode();
        f.app.dialogs.queueAnswer(Button::Ok);
        f.click("AppendFileList");
        // The question comes while the window works; the closing message after it.
        QCOMPARE(f.app.dialogs.pointers, QList<Qt::CursorShape>({Qt::WaitCursor, Qt::ArrowCursor}));
        QCOMPARE(w.cursor().shape(), Qt::ArrowCursor);
        QVERIFY(!QGuiApplication::overrideCursor());
        f.app.context().dialogs = &f.app.dialogs;
    }

    void appendCancelledOrEmpty_data()
    {
        QTest::addColumn<int>("files");
        QTest::addColumn<bool>("confirm");
        QTest::newRow("cancel") << 2 << false;
        QTest::newRow("no files") << 0 << true;
    }
    void appendCancelledOrEmpty()
    {
        QFETCH(int, files);
        QFETCH(bool, confirm);
        NavFixture f;
        f.addSong(QStringLiteral("OLD"), QStringLiteral("old song"));
        f.state.currentList = makeList(files);
        auto &w = f.load();
        w.showInAppendMode();
        f.app.dialogs.queueAnswer(confirm ? Button::Ok : Button::Cancel);
        f.click("AppendFileList");
        QCOMPARE(f.app.dialogs.texts().value(0), QStringLiteral("You are going to append %1 files to the existing "
                                                                "Database 'DizaRore'.")
                                                      .arg(files));
        QCOMPARE(f.app.rowCount(), 1);
        QCOMPARE(f.w<QLabel>("Label4")->text(), QStringLiteral("1"));
        QCOMPARE(f.w<QPushButton>("AppendFileList")->isEnabled(), !confirm);
        QCOMPARE(f.app.dialogs.texts().contains(ClosingText), confirm);
        QCOMPARE(f.w<QLabel>("Label14")->text() == AppendedText, confirm);
    }

    void failedAppendStoresNothingAndMayBeRetried()
    {
        NavFixture f;
        f.state.currentList = makeList(3);
        f.state.currentList.Titles[2] = QStringLiteral("refused");
        f.app.refuseTitle(QStringLiteral("refused"));
        auto &w = f.load();
        w.showInAppendMode();
        f.app.dialogs.queueAnswer(Button::Ok);
        f.click("AppendFileList");
        QCOMPARE(f.app.rowCount(), 0);
        QCOMPARE(f.app.dialogs.shown.size(), 2);
        QVERIFY(f.app.dialogs.shown[1].text.contains(QLatin1String("\r\n")));
        QCOMPARE(f.app.dialogs.shown[1].buttons, Buttons::Ok);
        QCOMPARE(w.totalRecords(), 0);
        QVERIFY(f.w<QPushButton>("AppendFileList")->isEnabled());
        QVERIFY(w.findChild<QTimer *>(QStringLiteral("Timer1"))->isActive());
        QCOMPARE(f.state.currentList.FileCount, 3);

        f.state.currentList.Titles[2] = QStringLiteral("fine now");
        f.app.dialogs.queueAnswer(Button::Ok);
        f.click("AppendFileList");
        QCOMPARE(f.app.rowCount(), 3);
        QCOMPARE(w.totalRecords(), 3);
    }

    void appendWithoutTheTableSaysSoBeforeAsking()
    {
        NavFixture f;
        f.app.exec(QStringLiteral("drop table table1"));
        f.state.currentList = makeList(2);
        auto &w = f.load();
        w.showInAppendMode();
        f.click("AppendFileList");
        QCOMPARE(f.app.dialogs.shown.size(), 1);
        QVERIFY2(f.app.dialogs.shown[0].text.startsWith(QLatin1String("3146\r\n")),
                 qPrintable(f.app.dialogs.shown[0].text));
        QCOMPARE(f.app.dialogs.shown[0].icon, Icon::None);
        QVERIFY(f.w<QPushButton>("AppendFileList")->isEnabled());
        QCOMPARE(w.cursor().shape(), Qt::ArrowCursor);
    }

    void appendWithoutDataSourceAsksForOne()
    {
        NavFixture f(TempApp::missingConnectString());
        f.state.currentList = makeList(2);
        f.load().showInAppendMode();
        f.click("AppendFileList");
        QCOMPARE(f.app.dialogs.shown.size(), 1);
        QCOMPARE(f.app.dialogs.shown[0].text,
                 QStringLiteral("Create a DSN 'Orvandel' through the Control Panel using 'Dizarore.mde' database\r\n"
                                "structure file supplied with the package and then try to append data."));
        QCOMPARE(f.app.dialogs.shown[0].icon, Icon::Critical);
        QVERIFY(f.w<QPushButton>("AppendFileList")->isEnabled());
    }
};

QTEST_MAIN(NavigationWindowTest)
#include "navigationwindow_test.moc"
