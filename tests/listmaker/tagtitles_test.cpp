// SPDX-License-Identifier: GPL-3.0-or-later
#include "makeslistfixture.h"

#include "listmaker/boundedtagstream.h"
#include "listmaker/tagtitles.h"
#include "platform/mediafiles.h"
#include "platform/stopsignals.h"
#include "ui/desktop/busywork.h"

#include <QTest>
#include <QThread>

#include <csignal>

using listmaker::TagTitles;

namespace {

// An MP4 file whose "moov" box holds a "moov" box, and so on, depth times:
// read box by box, it would take the reader down as deep.
QByteArray nestedBoxes(int depth)
{
    QByteArray file = QByteArray::fromHex("0000001c66747970") + "M4A " + QByteArray(4, '\0') + "M4A mp42isom";
    QByteArray headers;
    headers.reserve(qsizetype(depth) * 8);
    for (int level = 0; level < depth; ++level) {
        mediafiles::be(headers, quint32(8 * (depth - level) + 8), 4);
        headers += "moov";
    }
    return file + headers + QByteArray::fromHex("0000000866726565"); // an empty "free" box at the bottom
}

// An ID3v2 tag whose header and title frame claim 256 MB, in a small file.
QByteArray hugeTag()
{
    const QByteArray most = QByteArray::fromHex("7f7f7f7f");
    return "ID3" + QByteArray::fromHex("0400") + QByteArray(1, '\0') + most + "TIT2" + most + QByteArray(2, '\0')
        + "\x03Title" + mediafiles::mp3(2);
}

} // namespace

class TagTitlesTest : public QObject
{
    Q_OBJECT

private slots:
    void titleOfAFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("title");
        QTest::newRow("ID3v2") << "id3v2" << "Yesterday" << "Yesterday";
        QTest::newRow("ID3v1 alone") << "id3v1" << "Old Tag" << "Old Tag";
        QTest::newRow("blanks around") << "id3v2" << "  Let It Be \t" << "Let It Be";
        QTest::newRow("blanks only") << "id3v2" << "   " << "";
        QTest::newRow("a line break inside") << "id3v2" << "Two\r\nLines" << "Two  Lines";
        QTest::newRow("beyond Latin-1") << "id3v2" << "Καλημέρα 🎵" << "Καλημέρα 🎵";
        QTest::newRow("WAV INFO") << "wav" << "Wave Title" << "Wave Title";
        QTest::newRow("no tag") << "plain" << "" << "";
        QTest::newRow("not a media file") << "text" << "" << "";
        QTest::newRow("missing") << "missing" << "" << "";
        QTest::newRow("a folder") << "folder" << "" << "";
        // Hostile files: each gives no title, at once, and the program goes on.
        QTest::newRow("MP4 boxes nested 100000 deep") << "nested" << "100000" << "";
        QTest::newRow("a tag that claims 256 MB") << "huge" << "" << "";
    }
    void titleOfAFile()
    {
        QFETCH(QString, kind);
        QFETCH(QString, written);
        QFETCH(QString, title);
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("song.mp3"));
        if (kind == QLatin1String("id3v2"))
            QVERIFY(mediafiles::taggedMp3(path, written));
        else if (kind == QLatin1String("id3v1"))
            QVERIFY(mediafiles::taggedMp3(path, QString(), written));
        else if (kind == QLatin1String("wav"))
            QVERIFY(mediafiles::wavWithInfoTitle(path = dir.filePath(QStringLiteral("song.wav")), written));
        else if (kind == QLatin1String("plain"))
            QVERIFY(mediafiles::write(path, mediafiles::mp3()));
        else if (kind == QLatin1String("text"))
            QVERIFY(mediafiles::write(path = dir.filePath(QStringLiteral("notes.txt")), "Title: not a tag\n"));
        else if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(path));
        else if (kind == QLatin1String("nested"))
            QVERIFY(mediafiles::write(path = dir.filePath(QStringLiteral("deep.m4a")), nestedBoxes(written.toInt())));
        else if (kind == QLatin1String("huge"))
            QVERIFY(mediafiles::write(path, hugeTag()));
        QCOMPARE(TagTitles::titleOf(path), title);
    }

    // The time a file may take counts from its first bytes: a disc spinning
    // up or a sleeping disk gives its titles as any other.
    void theTimeBudgetStartsWithTheFirstBytes()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("slow.mp3"));
        QVERIFY(mediafiles::write(path, QByteArray(64, 'x')));
        listmaker::BoundedTagStream stream(QFile::encodeName(path).constData(), {1024, 100, 20});
        QThread::msleep(40); // the medium waking
        QCOMPARE(stream.readBlock(8).size(), 8u);
        QVERIFY(!stream.exhausted());
    }

    void titlesReplaceTheirLinesOnly()
    {
        QTemporaryDir dir;
        QVERIFY(mediafiles::taggedMp3(dir.filePath("a.mp3"), QStringLiteral("Alpha")));
        QVERIFY(mediafiles::taggedMp3(dir.filePath("same.mp3"), QStringLiteral("same title")));
        QVERIFY(mediafiles::write(dir.filePath("b.mp3"), mediafiles::mp3()));
        const QStringList lines{"a.mp3", "same title", "b.mp3", "no file"};
        const QStringList files{dir.filePath("a.mp3"), dir.filePath("same.mp3"), dir.filePath("b.mp3"), QString()};
        QList<int> progress;
        const TagTitles::Outcome out = TagTitles::apply(lines, files, [&](int done) {
            progress << done;
            return true;
        });
        QCOMPARE(out.lines, (QStringList{"Alpha", "same title", "b.mp3", "no file"}));
        QCOMPARE(out.changed, 1);
        QCOMPARE(progress, (QList<int>{1, 2, 3, 4}));
        QCOMPARE(TagTitles::summary(out.changed, int(lines.size())), QStringLiteral("Titles from tags: 1 of 4"));
    }

    // A request to stop (SIGTERM) while tags are read ends the reading after
    // the file in hand; the program then leaves as on any request to stop,
    // once the command has returned.
    void aStopRequestEndsTheReadingAfterTheFileInHand()
    {
        QTemporaryDir dir;
        for (int i = 0; i < 5; ++i)
            QVERIFY(mediafiles::taggedMp3(dir.filePath(QStringLiteral("%1.mp3").arg(i)), QStringLiteral("Title")));
        MakeSListFixture f;
        f.makeList(dir.path(), QStringLiteral("CD01"));
        const QStringList before = f.entries("List4");
        QCOMPARE(before.size(), 5);
        QVERIFY(platform::StopSignals::install());
        platform::StopSignals stop;
        QStringList steps;
        connect(&stop, &platform::StopSignals::stopRequested, this,
            [&] { platform::whenIdle([&] { steps << QStringLiteral("leave"); }); });
        // Delivered at the next turn of the event loop: while the first file's tags are read.
        std::raise(SIGTERM);
        f.trigger("TagTitles");
        steps << QStringLiteral("command returned");
        QCOMPARE(f.entries("List4"), QStringList{QStringLiteral("Title")} + before.mid(1));
        QCOMPARE(f.label("Label6")->text(), QStringLiteral("Titles from tags: 1 of 5"));
        QTRY_COMPARE(steps, (QStringList{QStringLiteral("command returned"), QStringLiteral("leave")}));
    }

    // The window: a list of three files, one with a title.
    void theWindowTakesTitlesIntoEditing()
    {
        QTemporaryDir dir;
        QVERIFY(mediafiles::taggedMp3(dir.filePath("a.mp3"), QStringLiteral("Alpha")));
        QVERIFY(mediafiles::write(dir.filePath("b.mp3"), mediafiles::mp3()));
        QVERIFY(mediafiles::write(dir.filePath("c.txt"), "text"));
        MakeSListFixture f;
        QAction *tags = f.get<QAction>("TagTitles");
        QCOMPARE(tags->text(), QStringLiteral("Song &Titles from Tags"));
        QVERIFY(!tags->isEnabled());
        f.makeList(dir.path(), QStringLiteral("CD01"));
        QVERIFY(tags->isEnabled());

        tags->trigger();
        QCOMPARE(f.entries("List4"), (QStringList{"Alpha", "b.mp3", "c.txt"}));
        QCOMPARE(f.label("Label6")->text(), QStringLiteral("Titles from tags: 1 of 3"));
        QCOMPARE(f.button("EditList4")->text(), QStringLiteral("Update"));
        QVERIFY(f.list("List4")->isVisibleTo(f.window.get()));
        QVERIFY(!f.list("List1")->isVisibleTo(f.window.get()));
        QVERIFY(!f.button("SortList")->isEnabled());
        QVERIFY(!f.text("Text4")->isEnabled());
        QCOMPARE(f.label("Label8")->text(), QStringLiteral("EDITING MODE OF Quenmora"));
        QCOMPARE(f.state.currentList.Titles.at(0), QStringLiteral("a.mp3")); // nothing stored yet
        QCOMPARE(f.entries("List1"), (QStringList{"a.mp3", "b.mp3", "c.txt"}));

        // Again while editing: the hand edit of a line without a title stays, editing goes on.
        f.list("List4")->setCurrentRow(1);
        f.text("Text4")->setText(QStringLiteral("Bravo"));
        tags->trigger();
        QCOMPARE(f.entries("List4"), (QStringList{"Alpha", "Bravo", "c.txt"}));
        QCOMPARE(f.label("Label6")->text(), QStringLiteral("Titles from tags: 0 of 3"));
        QCOMPARE(f.button("EditList4")->text(), QStringLiteral("Update"));

        f.button("EditList4")->click();
        QCOMPARE(f.state.currentList.Titles.at(0), QStringLiteral("Alpha"));
        QCOMPARE(f.state.currentList.Titles.at(1), QStringLiteral("Bravo"));
        QCOMPARE(f.state.currentList.Titles.at(2), QStringLiteral("c.txt"));
        QVERIFY(tags->isEnabled());
    }

    void clearingOrANewListForgetsTheTitles_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Clear List") << "clear";
        QTest::newRow("a new list") << "new list";
        QTest::newRow("Existing Disks") << "disks";
    }
    void clearingOrANewListForgetsTheTitles()
    {
        QFETCH(QString, how);
        QTemporaryDir dir;
        QVERIFY(mediafiles::taggedMp3(dir.filePath("a.mp3"), QStringLiteral("Alpha")));
        MakeSListFixture f;
        f.app.addRecord({"OLD", "/m", "x.mp3"});
        f.makeList(dir.path(), QStringLiteral("CD01"));
        f.trigger("TagTitles");
        QCOMPARE(f.entries("List4"), QStringList{"Alpha"});
        if (how == QLatin1String("clear")) {
            f.trigger("ClearList");
            QCOMPARE(f.list("List4")->count(), 0);
        } else if (how == QLatin1String("new list")) {
            f.trigger("ClearList");
            f.makeList(dir.path(), QStringLiteral("CD02"));
            QCOMPARE(f.entries("List4"), QStringList{"a.mp3"});
        } else {
            f.button("ExistingDisk")->click();
            QCOMPARE(f.list("List4")->count(), 0);
        }
        QCOMPARE(f.label("Label6")->text(), QString());
        QCOMPARE(f.state.currentList.Titles.at(0), QStringLiteral("a.mp3"));
        QCOMPARE(f.get<QAction>("TagTitles")->isEnabled(), how == QLatin1String("new list"));
    }
};

QTEST_MAIN(TagTitlesTest)
#include "tagtitles_test.moc"
