// SPDX-License-Identifier: GPL-3.0-or-later
#include "listmaker/currentlist.h"
#include "support/files.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using listmaker::CurrentList;
namespace file = listmaker::currentlistfile;

namespace {

CurrentList threeFiles(const QString &artist)
{
    CurrentList list;
    list.FileCount = 3;
    list.DiskLabel = QStringLiteral("CD01");
    list.ArtistText = artist;
    list.ExtensionText = QStringLiteral("NA");
    list.TotalFilesText = QStringLiteral("3");
    const char *const names[] = {"a.mp3", "b.mp3", "Ünï.ogg"};
    const char *const folders[] = {"/", "/music", "/music/sub"};
    for (int i = 0; i < 3; ++i) {
        list.Paths[i] = QString::fromUtf8(folders[i]);
        list.Titles[i] = QString::fromUtf8(names[i]);
        list.Sizes[i] = QString::number(100 * (i + 1));
        list.DateTimes[i] = QStringLiteral("09/03/2024 14:05:0%1").arg(i);
    }
    return list;
}

} // namespace

class CurrentListFileTest : public QObject
{
    Q_OBJECT

private slots:
    void writesEightLinesPerFileByteForByte()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(file::FileName);
        const auto result = file::write(path, threeFiles(QString()));
        QVERIFY(!result.failure.isSet());
        QVERIFY(!result.limitExceeded);
        const QByteArray expected = "CD01\r\n/\r\na.mp3\r\nNA\r\n100\r\n09/03/2024 14:05:00\r\n\r\n3\r\n"
                                    "CD01\r\n/music\r\nb.mp3\r\nNA\r\n200\r\n09/03/2024 14:05:01\r\n\r\n3\r\n"
                                    "CD01\r\n/music/sub\r\n\xc3\x9cn\xc3\xaf.ogg\r\nNA\r\n300\r\n"
                                    "09/03/2024 14:05:02\r\n\r\n3\r\n";
        QCOMPARE(readAll(path), expected);
    }

    void anEmptyScanWritesAnEmptyFile()
    {
        QTemporaryDir dir;
        CurrentList list;
        list.FileCount = 0;
        QVERIFY(!file::write(dir.filePath(file::FileName), list).failure.isSet());
        QCOMPARE(readAll(dir.filePath(file::FileName)), QByteArray());
    }

    void readsBackIntoTheStore()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(file::FileName);
        file::write(path, threeFiles(QStringLiteral("Björk")));
        CurrentList back;
        back.FileCount = 77;
        const auto read = file::read(path, &back);
        QVERIFY(!read.failure.isSet());
        QCOMPARE(read.records, 3);
        QVERIFY(!read.truncated);
        QCOMPARE(back.FileCount, 77); // the reader leaves the count alone
        QCOMPARE(back.Titles.at(2), QStringLiteral("Ünï.ogg"));
        QCOMPARE(back.Paths.at(0), QStringLiteral("/"));
        QCOMPARE(back.ArtistText, QStringLiteral("Björk"));
        QCOMPARE(back.TotalFilesText, QStringLiteral("3"));
    }

    void aLineBreakInANameNeverShiftsTheRecords()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(file::FileName);
        CurrentList list = threeFiles(QStringLiteral("x\r\ny"));
        list.Titles[1] = QStringLiteral("two\nlines.mp3");
        file::write(path, list);
        const QByteArray bytes = readAll(path);
        QCOMPARE(bytes.count("\r\n"), 24);
        QCOMPARE(bytes.count('\n'), 24);
        CurrentList back;
        QCOMPARE(file::read(path, &back).records, 3);
        QCOMPARE(back.Titles.at(1), QStringLiteral("two\u2424lines.mp3"));
        QCOMPARE(back.Sizes.at(1), QStringLiteral("200"));
        QCOMPARE(back.ArtistText, QStringLiteral("x\u240D\u2424y"));
    }

    void theLimitKeepsTenThousandAndOneRecordsAndOneLineMore()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(file::FileName);
        CurrentList list;
        list.DiskLabel = QStringLiteral("BIG");
        list.FileCount = CurrentList::Capacity;
        QVERIFY(!file::write(path, list).limitExceeded);
        QCOMPARE(readAll(path).count("\r\n"), qsizetype(8) * CurrentList::Capacity);

        list.FileCount = CurrentList::Capacity + 1;
        const auto result = file::write(path, list);
        QVERIFY(result.limitExceeded);
        const QByteArray bytes = readAll(path);
        QCOMPARE(bytes.count("\r\n"), qsizetype(8) * CurrentList::Capacity + 1);
        QVERIFY(bytes.endsWith("\r\nBIG\r\n"));
        CurrentList back;
        const auto read = file::read(path, &back);
        QCOMPARE(read.records, CurrentList::Capacity);
        QVERIFY(read.truncated);
    }

    void aMissingFileIsFileNotFound()
    {
        QTemporaryDir dir;
        CurrentList back;
        QCOMPARE(file::read(dir.filePath(file::FileName), &back).failure.number, platform::err::FileNotFound);
    }
};

QTEST_GUILESS_MAIN(CurrentListFileTest)
#include "currentlistfile_test.moc"
