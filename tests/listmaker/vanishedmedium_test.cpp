// SPDX-License-Identifier: GPL-3.0-or-later
#include "treemaker.h"

#include "listmaker/folderscanner.h"
#include "listmaker/tagtitles.h"
#include "listmaker/vanishedmedium.h"
#include "platform/mediafiles.h"

#include <QTest>

using listmaker::FolderScanner;

namespace {

// A medium: <dir>/media/CD07 with files at the top and in three folders.
struct Medium
{
    Medium()
    {
        for (const char *name : {"top.mp3", "a/1.mp3", "a/2.mp3", "b/3.mp3", "b/deep/4.mp3", "c/5.mp3"})
            treemaker::file(root + QLatin1Char('/') + QString::fromLatin1(name));
    }
    // The folder below the medium (empty: the medium; null: none).
    QString path(const QString &relative) const
    {
        return relative.isNull() ? QString() : relative.isEmpty() ? root : root + QLatin1Char('/') + relative;
    }
    // Takes a folder away, as a removed medium or a dropped share does.
    bool remove(const QString &relative) { return QDir().rename(path(relative), dir.filePath(QStringLiteral("away"))); }

    QTemporaryDir dir;
    QString root = dir.filePath(QStringLiteral("media/CD07"));
};

// Takes a folder away when the walk is about to read the folder at, or
// once it has read the file at (both below the medium).
struct Remover final : FolderScanner::Visitor
{
    Remover(Medium &m, const QString &place, const QString &folder)
        : medium(m)
        , at(place)
        , what(folder)
    {
    }
    void enterFolder(const QString &folder) override { reached(folder.mid(medium.root.size())); }
    void file(const QString &folder, const QString &name, const FolderScanner::FileFacts &) override
    {
        files << folder.mid(medium.root.size()) + QLatin1Char('/') + name;
        reached(files.last());
    }
    void reached(const QString &place)
    {
        if (!at.isNull() && place == at)
            QVERIFY(medium.remove(what));
    }

    Medium &medium;
    const QString at;
    const QString what;
    QStringList files;
};

} // namespace

class VanishedMediumTest : public QObject
{
    Q_OBJECT

private slots:
    // at: the folder the walk is about to read, or the file it has just read,
    // when the folder removed goes. Files read before stay with the visitor;
    // the walk names what went away and goes no further.
    void aFolderGoingAwayEndsTheWalk_data()
    {
        QTest::addColumn<QString>("at");
        QTest::addColumn<QString>("removed");
        QTest::addColumn<QStringList>("files");
        const QStringList all {"/top.mp3", "/a/1.mp3", "/a/2.mp3", "/b/3.mp3", "/b/deep/4.mp3", "/c/5.mp3"};
        QTest::newRow("nothing goes") << QString() << QString() << all;
        QTest::newRow("a folder listed a moment ago") << QStringLiteral("/a") << "b" << all.mid(0, 3);
        QTest::newRow("the medium, halfway") << QStringLiteral("/b") << "" << all.mid(0, 3);
        QTest::newRow("the medium, after the last file") << QStringLiteral("/c/5.mp3") << "" << all;
    }
    void aFolderGoingAwayEndsTheWalk()
    {
        QFETCH(QString, at);
        QFETCH(QString, removed);
        Medium m;
        Remover visitor(m, at, removed);
        QString gone = QStringLiteral("unset");
        FolderScanner::walk(m.root, visitor, &gone);
        QTEST(visitor.files, "files");
        QCOMPARE(gone, m.path(removed));
    }

    // The medium goes after the second file: no title of the list is taken,
    // not even the first file's.
    void tagReadingStopsWhenTheMediumGoes()
    {
        Medium m;
        QVERIFY(mediafiles::taggedMp3(m.root + "/top.mp3", QStringLiteral("Top Title")));
        const QStringList lines {"top.mp3", "1.mp3", "2.mp3"};
        const QStringList files {m.root + "/top.mp3", m.root + "/a/1.mp3", m.root + "/a/2.mp3"};
        bool removed = false;
        const auto out = listmaker::TagTitles::apply(lines, files, [&](int done) {
            if (done == 2)
                removed = m.remove(QStringLiteral(""));
            return true;
        });
        QVERIFY(removed);
        QCOMPARE(out.vanishedFolder, m.root);
        QCOMPARE(out.lines, lines);
        QCOMPARE(out.changed, 0);
    }
};

QTEST_GUILESS_MAIN(VanishedMediumTest)
#include "vanishedmedium_test.moc"
