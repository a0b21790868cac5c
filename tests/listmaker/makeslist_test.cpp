// SPDX-License-Identifier: GPL-3.0-or-later
#include "makeslistfixture.h"

#include "listmaker/currentlist.h"
#include "platform/datetext.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QTimer>

using platform::Button;
using platform::Icon;

namespace {

const QString Created = QStringLiteral("LIST of Files and other informations CREATED.");

// The folder tree A (a1, a2) with A/B (b1, and A/B/C with c1) and A/D (d1).
QString exampleTree(const QTemporaryDir &dir)
{
    const QString a = dir.path() + QStringLiteral("/A");
    const QDateTime when(QDate(2024, 3, 9), QTime(14, 5, 7));
    for (const char *f : {"a2", "a1", "B/b1", "B/C/c1", "D/d1"})
        treemaker::file(a + QLatin1Char('/') + QString::fromLatin1(f), "abc", when);
    return a;
}

} // namespace

class MakeSListTest : public QObject
{
    Q_OBJECT

private slots:
    void loadsOnTheApplicationFolder()
    {
        MakeSListFixture f;
        QCOMPARE(f.window->objectName(), QStringLiteral("MakeSList"));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Quenmora - Create File List to Append the Database"));
        QCOMPARE(f.window->findChild<QObject *>("Dir1")->property("path").toString(), f.app.folder());
        QCOMPARE(f.label("Label9")->text(), QStringLiteral("Seqntl"));
        QCOMPARE(f.text("Text2")->text(), QStringLiteral("22"));
        QVERIFY(!f.button("EditList4")->isEnabled());
        QVERIFY(f.button("AddList")->isEnabled());
        QVERIFY(f.button("Concatanate")->isEnabled());
        for (const char *name : {"Back", "ClearList", "SaveList", "SaveSequential", "SaveSorted", "SaveX",
                                 "SaveEdited", "About", "Help"})
            QVERIFY2(f.window->findChild<QAction *>(QString::fromLatin1(name)), name);
        for (const char *name : {"Drive1", "File1", "Label1", "Label5", "Label6", "Label7", "Label8", "Label10",
                                 "Label11", "Label14", "Label15", "Label16", "Label17", "Text1", "Text4",
                                 "ExistingDisk", "AddToAccess", "SortList", "MediaPlayer1", "MediaPlayer2",
                                 "MediaPlayer3"})
            QVERIFY2(f.window->findChild<QWidget *>(QString::fromLatin1(name)), name);
        QCOMPARE(f.app.players.size(), size_t(3));
    }

    void loadDeletesALeftOverListFile()
    {
        MakeSListFixture f;
        treemaker::file(f.app.file("~tmplist.txt"), "old");
        listmaker::MakeSListWindow again(f.app.context(), f.state, f.navigator);
        QVERIFY(!QFile::exists(f.app.file("~tmplist.txt")));
    }

    void makesTheExampleTreeIntoAList()
    {
        QTemporaryDir dir;
        const QString a = exampleTree(dir);
        MakeSListFixture f;
        f.makeList(a, QStringLiteral("CD01"), QString());

        QCOMPARE(f.app.dialogs.texts().last(), Created);
        QCOMPARE(f.entries("List1"), (QStringList{"a1", "a2", "b1", "c1", "d1"}));
        QCOMPARE(f.entries("List4"), f.entries("List1"));
        QCOMPARE(f.entries("List3"), (QStringList{"", "", "", "", ""}));
        QCOMPARE(f.label("Label7")->text(), QStringLiteral("Folders scanned: 3"));
        QCOMPARE(f.label("Label1")->text(), QStringLiteral("Contents of Current list (5 Files)."));
        QCOMPARE(f.label("Label5")->text(), QStringLiteral("List created in 0 ms"));
        QCOMPARE(f.label("Label6")->text(), QString());
        QCOMPARE(f.label("Label16")->text(), QStringLiteral("1/5"));
        QCOMPARE(f.window->findChild<QObject *>("Dir1")->property("path").toString(), a);
        QCOMPARE(f.window->findChild<QObject *>("File1")->property("path").toString(), a);
        QVERIFY(!f.button("AddList")->isEnabled());
        QVERIFY(f.button("EditList4")->isEnabled());
        QVERIFY(f.get<QWidget>("MediaPlayer1")->isVisibleTo(f.window.get()));

        const auto &list = f.state.currentList;
        QCOMPARE(list.FileCount, 5);
        QCOMPARE(list.TotalFilesText, QStringLiteral("5"));
        QCOMPARE(list.ArtistText, QString());
        QCOMPARE(list.Paths.at(3), a + QStringLiteral("/B/C"));

        const QString date = platform::generalDateText(QDateTime(QDate(2024, 3, 9), QTime(14, 5, 7)));
        QByteArray expected;
        const char *const rows[][2] = {{"", "a1"}, {"", "a2"}, {"/B", "b1"}, {"/B/C", "c1"}, {"/D", "d1"}};
        for (const auto &row : rows) {
            expected += "CD01\r\n" + (a + QString::fromLatin1(row[0])).toUtf8() + "\r\n" + row[1] + "\r\nNA\r\n3\r\n"
                + date.toUtf8() + "\r\n\r\n5\r\n";
        }
        QCOMPARE(f.listFileBytes(), expected);
    }

    void anEmptyFolderGivesAnEmptyFileAndEmptyHeadings()
    {
        QTemporaryDir dir;
        MakeSListFixture f;
        f.makeList(dir.path(), QStringLiteral("EMPTY"));
        QVERIFY(QFile::exists(f.app.file("~tmplist.txt")));
        QCOMPARE(f.listFileBytes(), QByteArray());
        QCOMPARE(f.list("List1")->count(), 0);
        QCOMPARE(f.label("Label1")->text(), QString());
        QCOMPARE(f.label("Label7")->text(), QString());
        QCOMPARE(f.app.dialogs.texts().last(), Created);
    }

    void aFileInTheRootFolderKeepsItsSlash()
    {
        MakeSListFixture f;
        auto &list = f.state.currentList;
        list.FileCount = 1;
        list.Paths[0] = QStringLiteral("/");
        list.Titles[0] = QStringLiteral("top.mp3");
        list.DiskLabel = QStringLiteral("R");
        QVERIFY(!listmaker::currentlistfile::write(f.app.file("~tmplist.txt"), list).failure.isSet());
        QVERIFY(f.listFileBytes().startsWith("R\r\n/\r\ntop.mp3\r\n"));
        // The Sequential list's path line joins it with one slash.
        f.list("List1")->addItem(QStringLiteral("top.mp3"));
        f.list("List1")->setCurrentRow(0);
        QCOMPARE(f.label("Label8")->text(), QStringLiteral("/top.mp3"));
    }

    void theDiskIdIsMandatory()
    {
        QTemporaryDir dir;
        MakeSListFixture f;
        f.makeList(dir.path(), QString());
        QCOMPARE(f.app.dialogs.shown.size(), 1);
        const auto &m = f.app.dialogs.shown.first();
        QCOMPARE(m.text, QStringLiteral("It is mandatory to give an ID to your DISK. Give a\r\n"
                                        "unique name so that you can locate it afterwards."));
        QCOMPARE(m.icon, Icon::Critical);
        QVERIFY(!QFile::exists(f.app.file("~tmplist.txt")));
    }

    void theArtistQuestion_data()
    {
        QTest::addColumn<Button>("answer");
        QTest::addColumn<bool>("created");
        QTest::newRow("yes goes back") << Button::Yes << false;
        QTest::newRow("cancel goes back") << Button::Cancel << false;
        QTest::newRow("no makes the list") << Button::No << true;
    }
    void theArtistQuestion()
    {
        QFETCH(Button, answer);
        QFETCH(bool, created);
        QTemporaryDir dir;
        treemaker::file(dir.filePath("song.mp3"));
        MakeSListFixture f;
        f.window->findChild<QObject *>("Dir1")->setProperty("path", dir.path());
        f.text("Text3")->setText(QStringLiteral("CD02"));
        f.text("Text1")->clear();
        f.app.dialogs.queueAnswer(answer);
        f.button("AddList")->click();
        const auto &question = f.app.dialogs.shown.first();
        QCOMPARE(question.text, QStringLiteral("It is advisable to give an Artist ID to your DISK. Give a\r\n"
                                               "suitable name of Artist(s) so that you can locate it by\r\n"
                                               "artist name afterwards. Would you like to give Artist ID?"));
        QCOMPARE(question.icon, Icon::Critical);
        QCOMPARE(question.buttons, platform::Buttons::YesNoCancel);
        QCOMPARE(QFile::exists(f.app.file("~tmplist.txt")), created);
        QCOMPARE(f.list("List1")->count(), created ? 1 : 0);
        if (created)
            QVERIFY(f.listFileBytes().contains("\r\nNA\r\n1\r\n"));
    }

    void aDiskIdInUseIsRefusedWhateverItsCase()
    {
        QTemporaryDir dir;
        treemaker::file(dir.filePath("song.mp3"));
        MakeSListFixture f;
        f.app.addRecord({"ROCK01", "/m", "x.mp3"});
        f.makeList(dir.path(), QStringLiteral("rock01"));
        QCOMPARE(f.app.dialogs.texts().last(),
                 QStringLiteral("You are already having a Disk with ID mark 'rock01'.\r\n"
                                "Check whether you have already appended this Disk's\r\n"
                                "file list to your Database file 'DizaRore'."));
        QCOMPARE(f.app.dialogs.shown.last().icon, Icon::Critical);
        QVERIFY(!QFile::exists(f.app.file("~tmplist.txt")));
        QVERIFY(f.button("AddList")->isEnabled());

        // A new ID is taken at once: the refusal left nothing behind.
        f.text("Text3")->setText(QStringLiteral("ROCK02"));
        f.button("AddList")->click();
        QCOMPARE(f.app.dialogs.texts().last(), Created);
    }

    void anUnreadableDatabaseDoesNotStopTheList()
    {
        QTemporaryDir dir;
        treemaker::file(dir.filePath("song.mp3"));
        TempApp app;
        shell::SharedState state(TempApp::missingConnectString());
        FakeNavigator navigator(app.context(), state);
        listmaker::MakeSListWindow window(app.context(), state, navigator);
        window.findChild<QObject *>("Dir1")->setProperty("path", dir.path());
        window.findChild<QLineEdit *>("Text3")->setText(QStringLiteral("NEW"));
        window.findChild<QLineEdit *>("Text1")->setText(QStringLiteral("Someone"));
        window.findChild<QPushButton *>("AddList")->click();
        QCOMPARE(app.dialogs.texts().last(), Created);
        auto *list1 = window.findChild<QListWidget *>("List1");
        QCOMPARE(list1->count(), 1);

        // A Disk-ID listing that cannot read the database leaves the lines files.
        window.findChild<QPushButton *>("ExistingDisk")->click();
        QCOMPARE(app.dialogs.shown.size(), 2);
        emit list1->itemClicked(list1->item(0));
        QCOMPARE(window.findChild<QLabel *>("Label8")->text(), dir.filePath("song.mp3"));
        emit list1->itemDoubleClicked(list1->item(0));
        QCOMPARE(app.players.at(2)->fileName(), dir.filePath("song.mp3"));
    }

    void tenThousandAndOneFilesAreAllWritten()
    {
        QTemporaryDir dir;
        QVERIFY(treemaker::spread(dir.path(), listmaker::CurrentList::Capacity, 10));
        MakeSListFixture f;
        f.makeList(dir.path(), QStringLiteral("FULL"));
        QCOMPARE(f.app.dialogs.texts().last(), Created);
        QCOMPARE(f.list("List1")->count(), listmaker::CurrentList::Capacity);
        QCOMPARE(f.list("List2")->count(), listmaker::CurrentList::Capacity);
        QCOMPARE(f.list("List3")->count(), 8000);
        QCOMPARE(f.listFileBytes().count("\r\n"), qsizetype(8) * listmaker::CurrentList::Capacity);
        QCOMPARE(f.label("Label7")->text(), QStringLiteral("Folders scanned: 10"));
    }

    void theTenThousandAndSecondFileStopsTheList()
    {
        QTemporaryDir dir;
        QVERIFY(treemaker::spread(dir.path(), listmaker::CurrentList::Capacity + 1, 10));
        MakeSListFixture f;
        f.makeList(dir.path(), QStringLiteral("OVER"));
        const auto &m = f.app.dialogs.shown.last();
        QCOMPARE(m.text, QStringLiteral("Can't continue. Number of files exceeded the limit 10000."));
        QCOMPARE(m.icon, Icon::Information);
        QCOMPARE(f.listFileBytes().count("\r\n"), qsizetype(8) * listmaker::CurrentList::Capacity + 1);
        QCOMPARE(f.list("List1")->count(), 0);
        QVERIFY(f.button("AddList")->isEnabled());
        QVERIFY(!f.button("EditList4")->isEnabled());
        QVERIFY(!f.get<QWidget>("MediaPlayer1")->isVisibleTo(f.window.get()));
        QCOMPARE(f.state.currentList.FileCount, listmaker::CurrentList::Capacity + 1);

        // The folders of the stopped scan are not added to the next one's.
        QTemporaryDir small;
        treemaker::file(small.filePath("one/x.mp3"));
        f.makeList(small.path(), QStringLiteral("SMALL"));
        QCOMPARE(f.label("Label7")->text(), QStringLiteral("Folders scanned: 1"));
    }

    void theTimeTakenIsShownToTheMicrosecond()
    {
        QTemporaryDir dir;
        treemaker::file(dir.filePath("song.mp3"));
        MakeSListFixture f;
        f.app.addRecord({"CD01", "/m", "x.mp3"});
        // From 1000 ms, 2.03646 ms later gives 2.0364599999999... by subtraction.
        f.app.clock.msPerReading = 2.03646;
        f.makeList(dir.path(), QStringLiteral("CD02"));
        QCOMPARE(f.label("Label5")->text(), QStringLiteral("List created in 2.036 ms"));
        f.button("ExistingDisk")->click();
        QCOMPARE(f.label("Label5")->text(), QStringLiteral("List created in 2.036 ms"));
    }

    void theListModeCycles()
    {
        MakeSListFixture f;
        QPushButton *sort = f.button("SortList");
        const char *const captions[] = {"Sorted", "List-X", "Seqntl", "Sorted"};
        const char *const shown[] = {"List2", "List3", "List1", "List2"};
        for (int i = 0; i < 4; ++i) {
            sort->click();
            QCOMPARE(f.label("Label9")->text(), QString::fromLatin1(captions[i]));
            for (const char *name : {"List1", "List2", "List3"}) {
                QCOMPARE(f.list(name)->isVisibleTo(f.window.get()), qstrcmp(name, shown[i]) == 0);
            }
        }
    }

    void clicksShowPositionAndRealFolder()
    {
        QTemporaryDir dir;
        treemaker::file(dir.filePath("zz.mp3"));
        treemaker::file(dir.filePath("sub/Aa.mp3"));
        treemaker::file(dir.filePath("sub/mm.mp3"));
        MakeSListFixture f;
        f.makeList(dir.path(), QStringLiteral("CD05"));
        QCOMPARE(f.entries("List1"), (QStringList{"zz.mp3", "Aa.mp3", "mm.mp3"}));
        QCOMPARE(f.entries("List2"), (QStringList{"Aa.mp3", "mm.mp3", "zz.mp3"}));

        f.list("List1")->setCurrentRow(1);
        QCOMPARE(f.label("Label16")->text(), QStringLiteral("2/3"));
        QCOMPARE(f.label("Label8")->text(), dir.path() + QStringLiteral("/sub/Aa.mp3"));

        f.list("List2")->setCurrentRow(2);
        QCOMPARE(f.label("Label16")->text(), QStringLiteral("3/3"));
        QCOMPARE(f.label("Label8")->text(), dir.path() + QStringLiteral("/zz.mp3"));

        f.list("List3")->setCurrentRow(1);
        QCOMPARE(f.label("Label8")->text(), dir.path() + QStringLiteral("/sub/Aa"));
    }

    void existingDisksAreListed()
    {
        MakeSListFixture f;
        f.button("ExistingDisk")->click();
        QCOMPARE(f.app.dialogs.texts(), QStringList{"No Disk label was found in the database."});
        QCOMPARE(f.app.dialogs.shown.last().icon, Icon::Information);
        QCOMPARE(f.list("List1")->count(), 0);

        for (const char *id : {"Mango", "apple", "Zebra"})
            f.app.addRecord({QString::fromLatin1(id), "/m", "x.mp3"});
        f.button("ExistingDisk")->click();
        QCOMPARE(f.label("Label1")->text(), QStringLiteral("Following Disk IDs are already in use (3):"));
        QCOMPARE(f.entries("List2"), (QStringList{"apple", "Mango", "Zebra"}));
        QCOMPARE(f.label("Label5")->text(), QStringLiteral("List created in 0 ms"));
        f.list("List1")->setCurrentRow(1);
        QCOMPARE(f.label("Label8")->text(), f.list("List1")->item(1)->text());

        // Disk IDs are cut as they are, without losing four characters first.
        f.text("Text2")->setText(QStringLiteral("3"));
        f.button("Concatanate")->click();
        QCOMPARE(f.entries("List3").size(), 3);
        QVERIFY(f.entries("List3").contains(QStringLiteral("Man")));
        QVERIFY(!f.button("Concatanate")->isEnabled());
    }

    void aRefusedListLeavesTheDiskIdsListed()
    {
        QTemporaryDir dir;
        for (const char *name : {"song.mp3", "tune.mp3", "zz.mp3"})
            treemaker::file(dir.filePath(QString::fromLatin1(name)));
        MakeSListFixture f;
        f.makeList(dir.path(), QStringLiteral("CD01"));
        f.trigger("ClearList");
        for (const char *id : {"Mango", "apple", "Zebra"})
            f.app.addRecord({QString::fromLatin1(id), "/m", "x.mp3"});
        f.button("ExistingDisk")->click();

        // Refused before anything is cleared: the lines are still Disk IDs, not files.
        f.text("Text3")->clear();
        f.button("AddList")->click();
        QCOMPARE(f.app.dialogs.shown.last().icon, Icon::Critical);
        QCOMPARE(f.list("List1")->count(), 3);
        f.list("List1")->setCurrentRow(1);
        QCOMPARE(f.label("Label8")->text(), f.list("List1")->item(1)->text());
        f.text("Text2")->setText(QStringLiteral("3"));
        f.button("Concatanate")->click();
        QVERIFY(f.entries("List3").contains(QStringLiteral("Man")));

        // A list that is made replaces them: its lines are files again.
        f.text("Text3")->setText(QStringLiteral("CD02"));
        f.button("AddList")->click();
        QCOMPARE(f.app.dialogs.texts().last(), Created);
        QCOMPARE(f.label("Label8")->text(), dir.path() + QStringLiteral("/song"));
    }

    void theWindowStaysOpenWhileAListIsMade()
    {
        QTemporaryDir dir;
        treemaker::file(dir.filePath("sub/song.mp3"));
        MakeSListFixture f;
        f.window->show();
        // The close arrives while the scan lets the window repaint.
        QTimer::singleShot(0, f.window.get(), [&f] { f.window->close(); });
        f.makeList(dir.path(), QStringLiteral("CD03"));
        QCOMPARE(f.app.dialogs.texts().last(), Created);
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.navigator.mainShown, 0);

        QVERIFY(f.window->close());
        QCOMPARE(f.navigator.mainShown, 1);
    }

    void concatenationChecksItsLimit_data()
    {
        QTest::addColumn<QString>("limit");
        QTest::newRow("zero") << "0";
        QTest::newRow("too many") << "256";
        QTest::newRow("letters") << "ab";
        QTest::newRow("nothing") << "";
    }
    void concatenationChecksItsLimit()
    {
        QFETCH(QString, limit);
        MakeSListFixture f;
        f.text("Text2")->setText(limit);
        f.button("Concatanate")->click();
        QCOMPARE(f.app.dialogs.texts(),
                 QStringList{"Maximum characters in filenames must lie between 1 and 255."});
        QCOMPARE(f.app.dialogs.shown.last().icon, Icon::Exclamation);
        QCOMPARE(f.text("Text2")->text(), QStringLiteral("22"));
        QVERIFY(f.button("Concatanate")->isEnabled());
    }

    void concatenationCutsTheList()
    {
        MakeSListFixture f;
        f.button("Concatanate")->click();
        QCOMPARE(f.app.dialogs.texts(), QStringList{"There is no list to concatenate."});
        QVERIFY(!f.button("Concatanate")->isEnabled());
        f.text("Text2")->setText(QStringLiteral("1"));
        QVERIFY(f.button("Concatanate")->isEnabled());

        QTemporaryDir dir;
        treemaker::file(dir.filePath("Yesterday.mp3"));
        treemaker::file(dir.filePath("abc.mp3"));
        f.makeList(dir.path(), QStringLiteral("CD06"));
        QCOMPARE(f.entries("List3"), (QStringList{"abc", "Yesterday"}));
        f.button("Concatanate")->click();
        QCOMPARE(f.entries("List3"), (QStringList{"a", "Y"}));
        QCOMPARE(f.label("Label16")->text(), QStringLiteral("1/2"));
        QVERIFY(!f.button("Concatanate")->isEnabled());

        // A name too short to lose its extension stops the build and keeps the list.
        QTemporaryDir shortNames;
        treemaker::file(shortNames.filePath("a.b"));
        f.trigger("ClearList");
        f.makeList(shortNames.path(), QStringLiteral("CD07"));
        f.text("Text2")->setText(QStringLiteral("5"));
        f.button("Concatanate")->click();
        QCOMPARE(f.app.dialogs.texts().last(), QStringLiteral("5\r\nInvalid procedure call or argument"));
        QCOMPARE(f.entries("List3"), QStringList{""});
    }

    void clearListKeepsTheStoreAndRefusesTheHandOver()
    {
        QTemporaryDir dir;
        treemaker::file(dir.filePath("song.mp3"));
        MakeSListFixture f;
        f.makeList(dir.path(), QStringLiteral("CD08"));
        treemaker::file(f.app.file("~Editedlist.txt"));
        f.trigger("ClearList");
        QVERIFY(!QFile::exists(f.app.file("~tmplist.txt")));
        QVERIFY(!QFile::exists(f.app.file("~Editedlist.txt")));
        for (const char *name : {"List1", "List2", "List3", "List4"})
            QCOMPARE(f.list(name)->count(), 0);
        QVERIFY(f.button("AddList")->isEnabled());
        QVERIFY(!f.button("EditList4")->isEnabled());
        QCOMPARE(f.state.currentList.FileCount, 1);
        QCOMPARE(f.state.currentList.Titles.at(0), QStringLiteral("song.mp3"));

        f.app.dialogs.clear();
        f.button("AddToAccess")->click();
        QCOMPARE(f.app.dialogs.texts(), QStringList{"There is no list to append in the 'DizaRore' Database."});
        QCOMPARE(f.app.dialogs.shown.last().icon, Icon::Exclamation);
        QVERIFY(!f.navigator.addData);
    }

    void theHandOverOpensTheNavigationWindowInAppendMode()
    {
        QTemporaryDir dir;
        treemaker::file(dir.filePath("song.mp3"));
        MakeSListFixture f;
        f.window->show();
        f.makeList(dir.path(), QStringLiteral("CD09"));
        f.button("ExistingDisk")->click(); // the last list is handed over all the same
        f.button("AddToAccess")->click();
        QVERIFY(f.navigator.addData);
        QVERIFY(f.navigator.addData->isVisible());
        QVERIFY(f.navigator.addData->findChild<QPushButton *>("AppendFileList")->isEnabled());
        QVERIFY(!f.window->isVisible());
        QVERIFY(!QFile::exists(f.app.file("~tmplist.txt")));
        QCOMPARE(f.list("List1")->count(), 0);
        QCOMPARE(f.state.currentList.DiskLabel, QStringLiteral("CD09"));
    }

    void resetAfterAppendAllowsANewList()
    {
        QTemporaryDir dir;
        treemaker::file(dir.filePath("song.mp3"));
        MakeSListFixture f;
        f.makeList(dir.path(), QStringLiteral("CD10"));
        f.window->resetAfterAppend();
        QCOMPARE(f.text("Text1")->text(), QString());
        QCOMPARE(f.text("Text3")->text(), QString());
        QCOMPARE(f.list("List1")->count(), 0);
        QCOMPARE(f.label("Label1")->text(), QString());
        QVERIFY(f.button("AddList")->isEnabled());
    }

    void aDriveChangeProposesItsLabelAndClearsTheList()
    {
        QTemporaryDir medium;
        treemaker::file(medium.filePath("track.mp3"));
        treemaker::file(medium.filePath("sub/x.mp3"));
        MakeSListFixture f({{QStringLiteral("/"), QString(), QStringLiteral("/")},
                            {medium.path(), QStringLiteral("HOLIDAY"), medium.path() + QStringLiteral(" [HOLIDAY]")}});
        QTemporaryDir other;
        treemaker::file(other.filePath("a.mp3"));
        f.makeList(other.path(), QStringLiteral("CD11"));
        QVERIFY(!f.button("AddList")->isEnabled());

        QObject *drive = f.window->findChild<QObject *>("Drive1");
        drive->setProperty("path", medium.path());
        QCOMPARE(f.window->findChild<QObject *>("Dir1")->property("path").toString(), medium.path());
        QCOMPARE(f.entries("File1"), QStringList{"track.mp3"});
        QCOMPARE(f.label("Label15")->text(), QStringLiteral("1"));
        QCOMPARE(f.text("Text3")->text(), QStringLiteral("HOLIDAY"));
        QCOMPARE(f.list("List1")->count(), 0);
        QVERIFY(f.button("AddList")->isEnabled());
        QVERIFY(!QFile::exists(f.app.file("~tmplist.txt")));

        // Back on a drive, the folder last shown there comes back.
        f.window->findChild<QObject *>("Dir1")->setProperty("path", medium.filePath("sub"));
        drive->setProperty("path", QStringLiteral("/"));
        drive->setProperty("path", medium.path());
        QCOMPARE(f.window->findChild<QObject *>("Dir1")->property("path").toString(), medium.filePath("sub"));
    }

    void choosingTheShownDriveAgainChangesNothing_data()
    {
        QTest::addColumn<bool>("writePath");
        QTest::newRow("picked in the list") << false;
        QTest::newRow("path written") << true;
    }
    void choosingTheShownDriveAgainChangesNothing()
    {
        QFETCH(bool, writePath);
        QTemporaryDir medium;
        treemaker::file(medium.filePath("track.mp3"));
        MakeSListFixture f({{QStringLiteral("/"), QString(), QStringLiteral("/")},
                            {medium.path(), QStringLiteral("HOLIDAY"), medium.path() + QStringLiteral(" [HOLIDAY]")}});
        f.makeList(medium.path(), QStringLiteral("MY-ID"));
        auto *drive = f.get<QComboBox>("Drive1");
        QCOMPARE(drive->property("path").toString(), medium.path());
        if (writePath)
            drive->setProperty("path", medium.path());
        else
            emit drive->activated(drive->currentIndex());
        QCOMPARE(f.text("Text3")->text(), QStringLiteral("MY-ID"));
        QCOMPARE(f.entries("List1"), QStringList{"track.mp3"});
        QVERIFY(QFile::exists(f.app.file("~tmplist.txt")));
        QVERIFY(!f.button("AddList")->isEnabled());
    }

    void aDriveWithoutAMediumAsksToRetry()
    {
        QTemporaryDir medium;
        MakeSListFixture f({{QStringLiteral("/"), QString(), QStringLiteral("/")},
                            {medium.path(), QStringLiteral("CD"), medium.path()}});
        f.app.drives.notReady << medium.path();
        const QString before = f.window->findChild<QObject *>("Dir1")->property("path").toString();
        f.app.dialogs.queueAnswer(Button::Retry);
        f.app.dialogs.queueAnswer(Button::Cancel);
        f.window->findChild<QObject *>("Drive1")->setProperty("path", medium.path());
        QCOMPARE(f.app.dialogs.texts(),
                 (QStringList{"Selected drive device not ready.", "Selected drive device not ready."}));
        QCOMPARE(f.app.dialogs.shown.first().buttons, platform::Buttons::RetryCancel);
        QCOMPARE(f.app.dialogs.shown.first().icon, Icon::Exclamation);
        QCOMPARE(f.window->findChild<QObject *>("Dir1")->property("path").toString(), before);
        QCOMPARE(f.window->findChild<QObject *>("Drive1")->property("path").toString(), QStringLiteral("/"));

        // The medium is put in: Retry lists it.
        f.app.dialogs.clear();
        f.app.drives.notReady.clear();
        f.window->findChild<QObject *>("Drive1")->setProperty("path", medium.path());
        QVERIFY(f.app.dialogs.shown.isEmpty());
        QCOMPARE(f.text("Text3")->text(), QStringLiteral("CD"));
    }

    void browsingHidesHiddenFilesAndSelectsTheFirst()
    {
        QTemporaryDir dir;
        treemaker::file(dir.filePath(".secret"));
        treemaker::file(dir.filePath("b.mp3"));
        treemaker::file(dir.filePath("A.mp3"));
        treemaker::file(dir.filePath("sub/c.mp3"));
        treemaker::folder(dir.filePath(".git"));
        MakeSListFixture f;
        f.window->findChild<QObject *>("Dir1")->setProperty("path", dir.path());
        QCOMPARE(f.entries("File1"), (QStringList{"A.mp3", "b.mp3"}));
        QCOMPARE(f.list("File1")->currentRow(), 0);
        QCOMPARE(f.label("Label15")->text(), QStringLiteral("1"));
        f.list("File1")->setCurrentRow(1);
        QCOMPARE(f.label("Label15")->text(), QStringLiteral("2"));
        QVERIFY(f.entries("Dir1").contains(QStringLiteral("sub")));
        QVERIFY(!f.entries("Dir1").contains(QStringLiteral(".git")));

        // Opening a line of the folder list goes down into it.
        QListWidget *dirs = f.list("Dir1");
        const auto found = dirs->findItems(QStringLiteral("sub"), Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        emit dirs->itemActivated(found.first());
        QCOMPARE(f.window->findChild<QObject *>("File1")->property("path").toString(), dir.filePath("sub"));
        QCOMPARE(f.entries("File1"), QStringList{"c.mp3"});
    }

    void backHelpAboutAndClose()
    {
        MakeSListFixture f;
        f.window->show();
        f.trigger("Back");
        QCOMPARE(f.navigator.mainShown, 1);
        QVERIFY(!f.window->isVisible());

        f.trigger("About");
        QCOMPARE(f.navigator.infoShown, QList<int>{0});

        f.trigger("Help");
        QCOMPARE(f.app.help.requests, QStringList{f.app.file("DizaRore.hlp")});
        QCOMPARE(f.app.help.owners.first(), f.window.get());
        QVERIFY(f.app.dialogs.shown.isEmpty());
        f.app.help.error = QStringLiteral("Help is not available.");
        f.trigger("Help");
        QCOMPARE(f.app.dialogs.shown.last().text, QStringLiteral("Help is not available."));
        QCOMPARE(f.app.dialogs.shown.last().title, f.window->windowTitle());
        QCOMPARE(f.app.dialogs.shown.last().icon, Icon::None);

        f.window->show();
        QVERIFY(f.window->close());
        QCOMPARE(f.navigator.mainShown, 2);
    }
};

QTEST_MAIN(MakeSListTest)
#include "makeslist_test.moc"
