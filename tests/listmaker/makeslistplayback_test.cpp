// SPDX-License-Identifier: GPL-3.0-or-later
#include "makeslistfixture.h"
#include "support/files.h"

#include "platform/datetext.h"
#include "platform/version.h"

#include <QDir>
#include <QSqlQuery>

using platform::Icon;

namespace {

QByteArray crlf(const QStringList &lines)
{
    QByteArray out;
    for (const QString &l : lines)
        out += l.toUtf8() + "\r\n";
    return out;
}

} // namespace

// Playing files, editing titles and saving the list reports.
class MakeSListPlaybackTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        for (const char *f : {"b.mp3", "a.mp3", "sub/c.ogg"})
            treemaker::file(m_dir->filePath(QString::fromLatin1(f)));
    }

    void theFileListPlaysWithItsDuration()
    {
        MakeSListFixture f;
        f.player(3).durations.insert(m_dir->filePath("a.mp3"), 185.0);
        f.window->findChild<QObject *>("Dir1")->setProperty("path", m_dir->path());
        QListWidget *files = f.list("File1");
        emit files->itemDoubleClicked(files->item(0));
        QCOMPARE(f.label("Label8")->text(), m_dir->filePath("a.mp3"));
        QCOMPARE(f.label("Label11")->text(), QStringLiteral("Audio duration: 3:05"));
        QCOMPARE(f.player(3).calls.last(), QStringLiteral("open:") + m_dir->filePath("a.mp3"));
        QVERIFY(f.player(3).isPlaying());

        f.player(3).unplayable.insert(m_dir->filePath("b.mp3"), 5);
        files->setCurrentRow(1);
        emit files->itemDoubleClicked(files->item(1));
        QCOMPARE(f.app.dialogs.texts(), QStringList{"Can not play this format."});
        QCOMPARE(f.app.dialogs.shown.last().icon, Icon::Exclamation);
        QCOMPARE(f.label("Label8")->text(), m_dir->filePath("b.mp3"));
        QCOMPARE(f.label("Label11")->text(), QStringLiteral("Audio duration: 3:05"));

        // The file list shows another folder than the folder list: its own file plays.
        f.window->findChild<QObject *>("File1")->setProperty("path", m_dir->filePath("sub"));
        emit files->itemDoubleClicked(files->item(0));
        QCOMPARE(f.label("Label8")->text(), m_dir->filePath("sub/c.ogg"));
        QCOMPARE(f.player(3).fileName(), m_dir->filePath("sub/c.ogg"));
    }

    void theListXViewPlaysTheRealFileAndMovesTheSequentialSelection()
    {
        MakeSListFixture f;
        f.makeList(m_dir->path(), QStringLiteral("CD01"));
        const QString c = m_dir->filePath("sub/c.ogg");
        f.player(3).durations.insert(c, 59.6);
        f.button("SortList")->click();
        f.button("SortList")->click();
        QListWidget *listX = f.list("List3");
        listX->setCurrentRow(2);
        emit listX->itemDoubleClicked(listX->item(2));
        QCOMPARE(listX->currentRow(), 2);
        QCOMPARE(f.list("List1")->currentRow(), 2);
        QCOMPARE(f.label("Label8")->text(), c);
        QCOMPARE(f.label("Label11")->text(), QStringLiteral("Audio duration: 0:60"));
        QCOMPARE(f.player(3).fileName(), c);
    }

    void theSortedListRefusesAndStopsPlayback()
    {
        MakeSListFixture f;
        f.makeList(m_dir->path(), QStringLiteral("CD01"));
        QListWidget *sequential = f.list("List1");
        emit sequential->itemDoubleClicked(sequential->item(0));
        QVERIFY(f.player(3).isPlaying());
        f.app.dialogs.clear();

        QListWidget *sorted = f.list("List2");
        sorted->setCurrentRow(2);
        emit sorted->itemDoubleClicked(sorted->item(2));
        QVERIFY(!f.player(3).isPlaying());
        QCOMPARE(f.app.dialogs.texts(),
                 QStringList{"You can not play files from the 'Sorted' list. Change to 'Sequential' list\r\n"
                             "or 'List-x' list mode and then double click a file to play."});
        QCOMPARE(f.app.dialogs.shown.last().icon, Icon::Exclamation);
        QCOMPARE(f.label("Label8")->text(), m_dir->filePath("sub/c.ogg"));
    }

    void clearListStopsPlayback()
    {
        MakeSListFixture f;
        f.makeList(m_dir->path(), QStringLiteral("CD01"));
        emit f.list("List1")->itemDoubleClicked(f.list("List1")->item(1));
        QVERIFY(f.player(3).isPlaying());
        f.trigger("ClearList");
        QVERIFY(!f.player(3).isPlaying());
        QCOMPARE(f.label("Label8")->text(), QString());
    }

    void titlesAreEditedAndReachTheDatabase()
    {
        MakeSListFixture f;
        f.makeList(m_dir->path(), QStringLiteral("CD01"));
        QPushButton *edit = f.button("EditList4");
        edit->click();
        QCOMPARE(edit->text(), QStringLiteral("Update"));
        QVERIFY(f.list("List4")->isVisibleTo(f.window.get()));
        for (const char *name : {"List1", "List2", "List3"})
            QVERIFY(!f.list(name)->isVisibleTo(f.window.get()));
        QVERIFY(!f.button("SortList")->isEnabled());
        QVERIFY(!f.text("Text4")->isEnabled());
        QCOMPARE(f.label("Label8")->text(), QStringLiteral("EDITING MODE OF Quenmora"));

        QListWidget *titles = f.list("List4");
        titles->setCurrentRow(2);
        QCOMPARE(f.text("Text4")->text(), QStringLiteral("c.ogg"));
        QVERIFY(f.text("Text4")->isEnabled());
        QCOMPARE(f.label("Label16")->text(), QStringLiteral("3/3"));
        f.text("Text4")->selectAll();
        QTest::keyClicks(f.text("Text4"), QStringLiteral("Sea Song"));
        QCOMPARE(titles->item(2)->text(), QStringLiteral("Sea Song"));

        // Double-clicking an edited title plays the file under its own name.
        const QString label8 = f.label("Label8")->text();
        emit titles->itemDoubleClicked(titles->item(2));
        QCOMPARE(f.player(3).fileName(), m_dir->filePath("sub/c.ogg"));
        QCOMPARE(f.label("Label8")->text(), label8);

        edit->click();
        QCOMPARE(edit->text(), QStringLiteral("Edit"));
        QCOMPARE(f.state.currentList.Titles.at(2), QStringLiteral("Sea Song"));
        QCOMPARE(f.state.currentList.Titles.at(0), QStringLiteral("a.mp3"));
        QCOMPARE(f.entries("List1"), (QStringList{"a.mp3", "b.mp3", "c.ogg"}));
        for (const char *name : {"List1", "List2", "List3"})
            QVERIFY(f.list(name)->isVisibleTo(f.window.get()));
        QVERIFY(!f.list("List4")->isVisibleTo(f.window.get()));
        QVERIFY(f.button("SortList")->isEnabled());
        QCOMPARE(f.label("Label9")->text(), QStringLiteral("Seqntl"));
        QCOMPARE(f.label("Label8")->text(), QString());
        QVERIFY(f.readAllListFile().contains("\r\nc.ogg\r\n")); // the file keeps the scanned names

        QVERIFY(f.state.database.connection().appendList(f.state.currentList).ok());
        QSqlQuery q(f.app.direct());
        QVERIFY(q.exec(QStringLiteral("select TitleSID from table1 where PathSID like '%/sub'")));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("Sea Song"));
    }

    void typingWithNothingSelectedChangesNothing()
    {
        MakeSListFixture f;
        f.makeList(m_dir->path(), QStringLiteral("CD01"));
        f.button("EditList4")->click();
        f.text("Text4")->setText(QStringLiteral("typed"));
        QCOMPARE(f.entries("List4"), (QStringList{"a.mp3", "b.mp3", "c.ogg"}));
        f.button("EditList4")->click();
        QCOMPARE(f.state.currentList.Titles.at(0), QStringLiteral("a.mp3"));
    }

    void theSequentialReportByteForByte()
    {
        QTemporaryDir two;
        treemaker::file(two.filePath("a.mp3"));
        treemaker::file(two.filePath("b.mp3"));
        MakeSListFixture f;
        f.makeList(two.path(), QStringLiteral("CD01"), QString());
        // Folders scanned shows the count of the creation that drew the list: none here.
        QCOMPARE(f.label("Label7")->text(), QStringLiteral("Folders scanned: 0"));
        const QString path = f.app.file("Results/seq");
        f.app.dialogs.queueFile(path);
        f.trigger("SaveSequential");
        QCOMPARE(f.app.dialogs.saved.size(), 1);
        QCOMPARE(f.app.dialogs.saved.first().initialFolder, f.app.file("Results"));
        QCOMPARE(f.app.dialogs.saved.first().filter, QStringLiteral("All supported text files (*.txt)|*.txt"));
        QVERIFY(QFileInfo(f.app.file("Results")).isDir());
        const QString on = QStringLiteral("On ") + platform::shortDateText(QDate(2026, 12, 7));
        QCOMPARE(readAll(path), crlf({"DISK INFORMATION GENERATED BY Quenmora", "", "Disk ID = CD01", "Disk Artist = ",
                                     "Folders scanned: 0", "Contents of Current list (2 Files).", "",
                                     "F I L E   L I S T :", "a.mp3", "b.mp3", "", "Generated by:",
                                     "Quenmora " + platform::programVersion(), on}));
        QVERIFY(!QFile::exists(path + ".txt"));

        f.app.dialogs.queueFile(f.app.file("Results/x.txt"));
        f.trigger("SaveX");
        QCOMPARE(readAll(f.app.file("Results/x.txt")),
                 crlf({"Disk ID = CD01", "", "F I L E   L I S T I N G", "a", "b", "", ": By Quenmora"}));
    }

    void sortedAndEditedReports()
    {
        MakeSListFixture f;
        f.makeList(m_dir->path(), QStringLiteral("CD03"), QStringLiteral("Band"));
        f.list("List4")->item(0)->setText(QStringLiteral("Zulu"));
        f.text("Text3")->setText(QStringLiteral("typed later"));

        f.app.dialogs.queueFile(f.app.file("sorted.txt"));
        f.trigger("SaveSorted");
        f.app.dialogs.queueFile(f.app.file("edited.txt"));
        f.trigger("SaveEdited");
        const QString on = QStringLiteral("On ") + platform::shortDateText(QDate(2026, 12, 7));
        const QStringList head = {"", "Disk ID = typed later", "Disk Artist = Band", "Folders scanned: 1",
                                  "Contents of Current list (3 Files).", ""};
        const QStringList tail = {"", "Generated by:", "Quenmora " + platform::programVersion(), on};
        QCOMPARE(readAll(f.app.file("sorted.txt")),
                 crlf(QStringList{"DISK INFORMATION GENERATED BY Quenmora"} + head
                      + QStringList{"F I L E   L I S T :", "a.mp3", "b.mp3", "c.ogg"} + tail));
        QCOMPARE(readAll(f.app.file("edited.txt")),
                 crlf(QStringList{"EDITED DISK INFORMATION GENERATED BY Quenmora"} + head
                      + QStringList{"E D I T E D   F I L E   L I S T :", "Zulu", "b.mp3", "c.ogg"} + tail));
    }

    void eachReportChecksItsOwnList()
    {
        MakeSListFixture f;
        f.makeList(m_dir->path(), QStringLiteral("CD04"));
        f.window->resetAfterAppend(); // empties the Sequential list alone
        f.app.dialogs.clear();
        f.trigger("SaveSequential");
        QCOMPARE(f.app.dialogs.texts(), QStringList{"No contents in the current list to save."});
        QCOMPARE(f.app.dialogs.shown.last().icon, Icon::Information);
        QVERIFY(f.app.dialogs.saved.isEmpty());
        QVERIFY(!QFileInfo::exists(f.app.file("Results")));

        f.app.dialogs.queueFile(f.app.file("x.txt"));
        f.trigger("SaveX");
        QVERIFY(QFile::exists(f.app.file("x.txt")));

        f.trigger("ClearList");
        for (const char *item : {"SaveSorted", "SaveX", "SaveEdited"}) {
            f.app.dialogs.clear();
            f.trigger(item);
            QCOMPARE(f.app.dialogs.texts(), QStringList{"No contents in the current list to save."});
        }
    }

    void cancellingWritesNothingAndSavingAgainReplaces()
    {
        MakeSListFixture f;
        f.makeList(m_dir->path(), QStringLiteral("CD05"));
        const QString path = f.app.file("Results/list.txt");
        f.app.dialogs.queueFile(path);
        f.trigger("SaveX");
        const QByteArray first = readAll(path);
        f.app.dialogs.queueFile(std::nullopt);
        f.text("Text3")->setText(QStringLiteral("CHANGED"));
        f.trigger("SaveX");
        QCOMPARE(readAll(path), first);
        QVERIFY(f.app.dialogs.shown.size() == 1); // only the list creation's message

        f.app.dialogs.queueFile(path);
        f.trigger("SaveX");
        QVERIFY(readAll(path).startsWith("Disk ID = CHANGED\r\n"));
    }

    void aReportThatCannotBeWrittenIsReported()
    {
        MakeSListFixture f;
        f.makeList(m_dir->path(), QStringLiteral("CD06"));
        f.app.dialogs.clear();
        f.app.dialogs.queueFile(f.app.file("no/such/folder/r.txt"));
        f.trigger("SaveSequential");
        QCOMPARE(f.app.dialogs.texts(), QStringList{"76\r\nPath not found"});
        QCOMPARE(f.app.dialogs.shown.last().icon, Icon::None);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_MAIN(MakeSListPlaybackTest)
#include "makeslistplayback_test.moc"
