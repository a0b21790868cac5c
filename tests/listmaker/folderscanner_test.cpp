// SPDX-License-Identifier: GPL-3.0-or-later
#include "treemaker.h"

#include "listmaker/currentlist.h"
#include "listmaker/folderscanner.h"
#include "platform/datetext.h"

#include <QTest>

using listmaker::CurrentList;
using listmaker::FolderScanner;

namespace {

QStringList stored(const CurrentList &list, const QVector<QString> &field)
{
    QStringList out;
    for (int i = 0; i < list.storedCount(); ++i)
        out << field.at(i);
    return out;
}

} // namespace

class FolderScannerTest : public QObject
{
    Q_OBJECT

private slots:
    void walksDepthFirstFilesBeforeSubfolders()
    {
        QTemporaryDir dir;
        const QString a = dir.path() + QStringLiteral("/A");
        const QDateTime when(QDate(2024, 3, 9), QTime(14, 5, 7));
        QVERIFY(treemaker::file(a + QStringLiteral("/a2"), "22", when));
        QVERIFY(treemaker::file(a + QStringLiteral("/a1"), "1", when));
        QVERIFY(treemaker::file(a + QStringLiteral("/D/d1"), "dddd", when));
        QVERIFY(treemaker::file(a + QStringLiteral("/B/b1"), "b", when));
        QVERIFY(treemaker::file(a + QStringLiteral("/B/C/c1"), "ccc", when));

        CurrentList list;
        QStringList seen;
        const auto outcome = listmaker::ScanFolders(a, list, [&](const QString &f) { seen << f; });
        QCOMPARE(outcome.fileCount, 5);
        QCOMPARE(outcome.foldersScanned, 3);
        QCOMPARE(list.FileCount, 5);
        QCOMPARE(stored(list, list.Titles), (QStringList{"a1", "a2", "b1", "c1", "d1"}));
        QCOMPARE(stored(list, list.Paths), (QStringList{a, a, a + "/B", a + "/B/C", a + "/D"}));
        QCOMPARE(stored(list, list.Sizes), (QStringList{"1", "2", "1", "3", "4"}));
        QCOMPARE(list.DateTimes.at(4), platform::generalDateText(when));
        QCOMPARE(seen, (QStringList{a, a + "/B", a + "/B/C", a + "/D"}));
    }

    void ordersNamesWithoutRegardToCase()
    {
        QTemporaryDir dir;
        for (const char *name : {"b.mp3", "C.mp3", "a.mp3", "B.mp3"})
            QVERIFY(treemaker::file(dir.filePath(QString::fromLatin1(name))));
        for (const char *name : {"zeta", "Alpha", "beta"})
            QVERIFY(treemaker::file(dir.filePath(QString::fromLatin1(name) + QStringLiteral("/x"))));
        CurrentList list;
        listmaker::ScanFolders(dir.path(), list);
        QCOMPARE(stored(list, list.Titles), (QStringList{"a.mp3", "B.mp3", "b.mp3", "C.mp3", "x", "x", "x"}));
        QCOMPARE(list.Paths.at(4), dir.path() + "/Alpha");
        QCOMPARE(list.Paths.at(6), dir.path() + "/zeta");
    }

    void skipsHiddenNamesAndNeverFollowsLinkedFolders()
    {
        QTemporaryDir dir;
        const QString root = dir.path();
        QVERIFY(treemaker::file(root + "/song.mp3"));
        QVERIFY(treemaker::file(root + "/.hidden.mp3"));
        QVERIFY(treemaker::file(root + "/.cache/inside.mp3"));
        QVERIFY(treemaker::file(root + "/sub/deep.mp3", "12345"));
        // A loop back to the top, a link to a folder elsewhere, a link to a
        // file and a dangling link.
        QVERIFY(QFile::link(root, root + "/sub/loop"));
        QVERIFY(QFile::link(root + "/sub", root + "/alias"));
        QVERIFY(QFile::link(root + "/sub/deep.mp3", root + "/linked.mp3"));
        QVERIFY(QFile::link(root + "/gone.mp3", root + "/dangling.mp3"));

        CurrentList list;
        const auto outcome = listmaker::ScanFolders(root, list);
        QCOMPARE(stored(list, list.Titles), (QStringList{"linked.mp3", "song.mp3", "deep.mp3"}));
        QCOMPARE(list.Sizes.at(0), QStringLiteral("5")); // the size of the file the link names
        QCOMPARE(outcome.foldersScanned, 1);

        // The browser still offers the linked folder to open by hand.
        const auto listing = listmaker::listFolder(root);
        QCOMPARE(listing.folders, (QStringList{"alias", "sub"}));
        QCOMPARE(listing.files, (QStringList{"linked.mp3", "song.mp3"}));
    }

    void skipsAFolderThatCannotBeEntered()
    {
        QTemporaryDir dir;
        const QString root = dir.path();
        QVERIFY(treemaker::file(root + "/a/one.mp3"));
        QVERIFY(treemaker::file(root + "/b/locked.mp3"));
        QVERIFY(treemaker::file(root + "/c/three.mp3"));
        // Readable but not searchable: the names can be read, their sizes cannot.
        QVERIFY(treemaker::file(root + "/d/blind.mp3", "123"));
        treemaker::openToAll(root);
        for (const char *sub : {"/a", "/c"})
            treemaker::openToAll(root + QString::fromLatin1(sub));
        QVERIFY(QFile::setPermissions(root + "/b", {}));
        QVERIFY(QFile::setPermissions(root + "/d", QFileDevice::ReadOwner | QFileDevice::ReadGroup
                                                       | QFileDevice::ReadOther));

        CurrentList list;
        // Values of an earlier scan must not show through.
        for (int i = 0; i < 4; ++i) {
            list.Sizes[i] = QStringLiteral("999");
            list.DateTimes[i] = QStringLiteral("old");
        }
        listmaker::ScanOutcome outcome;
        {
            treemaker::WithoutRootRights limited;
            outcome = listmaker::ScanFolders(root, list);
        }
        QFile::setPermissions(root + "/b", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QFile::setPermissions(root + "/d", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

        QCOMPARE(stored(list, list.Titles), (QStringList{"one.mp3", "three.mp3", "blind.mp3"}));
        QCOMPARE(outcome.foldersScanned, 4);
        QCOMPARE(list.Sizes.at(2), QString());
        QCOMPARE(list.DateTimes.at(2), QString());
        QCOMPARE(list.Sizes.at(1), QStringLiteral("1"));
    }

    void readsNamesInAnyLanguageAndNamesThatAreNoUtf8()
    {
        QTemporaryDir dir;
        const QString name = QStringLiteral("Ölçü – 日本語 – Ελληνικά – עברית.mp3");
        QVERIFY(treemaker::file(dir.filePath(name), "abc"));
        QVERIFY(treemaker::rawFile(QFile::encodeName(dir.path()), QByteArray("caf\xe9.mp3"), "12345678"));
        CurrentList list;
        listmaker::ScanFolders(dir.path(), list);
        QCOMPARE(list.FileCount, 2);
        const int utf8 = list.Titles.at(0) == name ? 0 : 1;
        QCOMPARE(list.Titles.at(utf8), name);
        QCOMPARE(list.Sizes.at(utf8), QStringLiteral("3"));
        QVERIFY(list.Titles.at(1 - utf8).startsWith(QStringLiteral("caf")));
        QCOMPARE(list.Sizes.at(1 - utf8), QStringLiteral("8"));
        QVERIFY(!list.DateTimes.at(1 - utf8).isEmpty());
        // Such a name cannot be removed through a QString path.
        ::unlink(QByteArray(QFile::encodeName(dir.path()) + "/caf\xe9.mp3").constData());
    }

    void countsPastTheStoreButKeepsOnlyItsRecords()
    {
        QTemporaryDir dir;
        QVERIFY(treemaker::spread(dir.path(), CurrentList::Capacity + 1, 7));
        CurrentList list;
        const auto outcome = listmaker::ScanFolders(dir.path(), list);
        QCOMPARE(outcome.fileCount, CurrentList::Capacity + 1);
        QCOMPARE(list.storedCount(), CurrentList::Capacity);
        QCOMPARE(list.Titles.size(), CurrentList::Capacity);
        QVERIFY(!list.Titles.last().isEmpty());
    }

    void joinsTheRootFolderWithItsOneSlash()
    {
        QCOMPARE(listmaker::joinPath(QStringLiteral("/"), QStringLiteral("a.mp3")), QStringLiteral("/a.mp3"));
        QCOMPARE(listmaker::joinPath(QStringLiteral("/music"), QStringLiteral("a.mp3")),
                 QStringLiteral("/music/a.mp3"));
    }

    void aMissingStartFolderGivesAnEmptyList()
    {
        CurrentList list;
        list.FileCount = 12;
        const auto outcome = listmaker::ScanFolders(QStringLiteral("/no/such/folder"), list);
        QCOMPARE(outcome.fileCount, 0);
        QCOMPARE(list.FileCount, 0);
    }
};

QTEST_GUILESS_MAIN(FolderScannerTest)
#include "folderscanner_test.moc"
