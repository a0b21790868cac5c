#include "treemaker.h"

#include "listmaker/folderscanner.h"
#include "listmaker/tagtitles.h"
#include "listmaker/vanishedmedium.h"

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
    // Takes a folder away, as a removed medium or a dropped share does.
    bool remove(const QString &relative)
    {
        const QString path = relative.isEmpty() ? root : root + QLatin1Char('/') + relative;
        return QDir().rename(path, dir.filePath(QStringLiteral("away")));
    }

    QTemporaryDir dir;
    QString root = dir.filePath(QStringLiteral("media/CD07"));
};

// Takes a folder away when the walk is about to read another folder, or
// once it has read a file.
class Remover final : public FolderScanner::Visitor
{
public:
    Remover(Medium &medium, QString at, QString what)
        : m_medium(medium)
        , m_at(std::move(at))
        , m_what(std::move(what))
    {
    }
    void enterFolder(const QString &folder) override
    {
        if (!m_at.isNull() && folder == m_medium.root + m_at)
            QVERIFY(m_medium.remove(m_what));
    }
    void file(const QString &folder, const QString &name, const FolderScanner::FileFacts &) override
    {
        files << folder.mid(m_medium.root.size()) + QLatin1Char('/') + name;
        if (!m_at.isNull() && files.last() == m_at)
            QVERIFY(m_medium.remove(m_what));
    }
    QStringList files;

private:
    Medium &m_medium;
    QString m_at;
    QString m_what;
};

} // namespace

class VanishedMediumTest : public QObject
{
    Q_OBJECT

private slots:
    void vanishedFolderNamesWhatWentAway_data()
    {
        QTest::addColumn<QString>("removed");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("named");
        QTest::newRow("there") << "-"
                               << "b/deep"
                               << "";
        QTest::newRow("the folder itself") << "b/deep"
                                           << "b/deep"
                                           << "b/deep";
        QTest::newRow("a folder above it") << "b"
                                           << "b/deep"
                                           << "b";
        QTest::newRow("the whole medium") << ""
                                          << "b/deep"
                                          << "";
        QTest::newRow("with a closing slash") << "b"
                                              << "b/deep/"
                                              << "b";
    }
    void vanishedFolderNamesWhatWentAway()
    {
        QFETCH(QString, removed);
        QFETCH(QString, asked);
        QFETCH(QString, named);
        Medium m;
        if (removed != QLatin1String("-"))
            QVERIFY(m.remove(removed));
        const QString expected = removed.isEmpty() ? m.root : named.isEmpty() ? QString() : m.root + '/' + named;
        QCOMPARE(listmaker::vanishedFolder(m.root + '/' + asked), expected);
    }

    // at: the folder the walk is about to read, or the file it has just
    // read, when the folder removed goes (relative to the medium; empty: the
    // medium). Files read before stay
    // with the visitor; the walk names what went away and goes no further.
    void aFolderGoingAwayEndsTheWalk_data()
    {
        QTest::addColumn<QString>("at");
        QTest::addColumn<QString>("removed");
        QTest::addColumn<QString>("vanished");
        QTest::addColumn<QStringList>("files");
        const QStringList all {"/top.mp3", "/a/1.mp3", "/a/2.mp3", "/b/3.mp3", "/b/deep/4.mp3", "/c/5.mp3"};
        QTest::newRow("nothing goes") << QString() << QString() << QString() << all;
        QTest::newRow("a folder listed a moment ago") << "/a"
                                                      << "b"
                                                      << "/b" << QStringList {"/top.mp3", "/a/1.mp3", "/a/2.mp3"};
        QTest::newRow("the medium, halfway") << "/b"
                                             << ""
                                             << "" << QStringList {"/top.mp3", "/a/1.mp3", "/a/2.mp3"};
        QTest::newRow("the medium, after the last file") << "/c/5.mp3"
                                                         << ""
                                                         << "" << all;
    }
    void aFolderGoingAwayEndsTheWalk()
    {
        QFETCH(QString, at);
        QFETCH(QString, removed);
        QFETCH(QString, vanished);
        QFETCH(QStringList, files);
        Medium m;
        Remover visitor(m, at, removed);
        QString gone = QStringLiteral("unset");
        FolderScanner::walk(m.root, visitor, &gone);
        QCOMPARE(visitor.files, files);
        QCOMPARE(gone, at.isNull() ? QString() : m.root + vanished);
    }

    // The medium goes after the second file: no title of the list is taken.
    void tagReadingStopsWhenTheMediumGoes()
    {
        Medium m;
        const QStringList lines {"top.mp3", "1.mp3", "2.mp3"};
        const QStringList files {m.root + "/top.mp3", m.root + "/a/1.mp3", m.root + "/a/2.mp3"};
        bool removed = false;
        const auto out = listmaker::TagTitles::apply(lines, files, [&](int done) {
            if (done == 2)
                removed = m.remove(QString());
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
