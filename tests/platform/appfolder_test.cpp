#include "platform/appfolder.h"
#include "support/files.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using platform::AppFolderPlan;

namespace {

QProcessEnvironment environment(const QString &home, const QString &xdgDataHome)
{
    QProcessEnvironment e;
    if (!home.isNull())
        e.insert(QStringLiteral("HOME"), home);
    if (!xdgDataHome.isNull())
        e.insert(QStringLiteral("XDG_DATA_HOME"), xdgDataHome);
    return e;
}

// Every file and folder below a folder, with its size and time, to show that nothing changed.
QStringList snapshot(const QString &folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries << info.filePath() + QLatin1Char(' ') + QString::number(info.size()) + QLatin1Char(' ')
                + QString::number(info.lastModified().toMSecsSinceEpoch());
    }
    entries.sort();
    return entries;
}

// The permission bits of a file or folder (not of a link's target).
int modeOf(const QString &path)
{
    struct stat info = {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return -1;
    return int(info.st_mode & 07777);
}

} // namespace

class AppFolderTest : public QObject
{
    Q_OBJECT

private slots:
    void decidesWhereTheProgramKeepsItsFiles_data()
    {
        QTest::addColumn<bool>("shipped");
        QTest::addColumn<QString>("home");
        QTest::addColumn<QString>("xdgDataHome");
        QTest::addColumn<QString>("expected"); // all paths lie in a temporary folder; the program is in /P/bin

        QTest::newRow("portable") << false << "/H"
                                  << "/X"
                                  << "/P/bin";
        QTest::newRow("installed") << true << "/H" << QString() << "/H/.local/share/Quenmora";
        QTest::newRow("installed, own data folder") << true << "/H"
                                                    << "/X/data/"
                                                    << "/X/data/Quenmora";
        QTest::newRow("installed, relative data folder ignored") << true << "/H"
                                                                 << "data"
                                                                 << "/H/.local/share/Quenmora";
        QTest::newRow("installed, empty data folder ignored") << true << "/H"
                                                              << ""
                                                              << "/H/.local/share/Quenmora";
    }

    void decidesWhereTheProgramKeepsItsFiles()
    {
        QFETCH(bool, shipped);
        QFETCH(QString, home);
        QFETCH(QString, xdgDataHome);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString root = dir.path();
        QVERIFY(QDir().mkpath(root + QStringLiteral("/P/bin")));
        QVERIFY(QDir().mkpath(root + QStringLiteral("/P/share")));
        if (shipped)
            QVERIFY(QDir().mkpath(root + QStringLiteral("/P/share/quenmora")));
        else // a file of that name is no installation
            writeBytes(root + QStringLiteral("/P/share/quenmora"), "not a folder");
        const auto rooted = [&](const QString &p) { return p.startsWith(QLatin1Char('/')) ? root + p : p; };

        const AppFolderPlan plan
            = platform::planAppFolder(root + QStringLiteral("/P/bin"), environment(rooted(home), rooted(xdgDataHome)));

        QCOMPARE(plan.folder, root + expected);
        QCOMPARE(plan.installed(), shipped);
        QCOMPARE(plan.shippedFiles, shipped ? root + QStringLiteral("/P/share/quenmora") : QString());
    }

    void seedsTheDataFolderWithoutTouchingTheInstallation()
    {
        QTemporaryDir dir;
        const QString shipped = dir.filePath(QStringLiteral("P/share/quenmora"));
        QVERIFY(QDir().mkpath(shipped + QStringLiteral("/Photographs/Audio")));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("P/bin"))));
        writeBytes(shipped + QStringLiteral("/DizaRore.hlp"), "help 2");
        writeBytes(shipped + QStringLiteral("/Photographs/Audio/pukarta.mid"), "song");
        writeBytes(shipped + QStringLiteral("/Photographs/Audio/title.wav"), "title");
        writeBytes(shipped + QStringLiteral("/Dizarore-structure.sqlite"), "structure");
        writeBytes(shipped + QStringLiteral("/setup-dsn.sh"), "script");
        QFile::setPermissions(
            shipped + QStringLiteral("/DizaRore.hlp"), QFileDevice::ReadOwner | QFileDevice::ReadOther);
        const QStringList before = snapshot(dir.filePath(QStringLiteral("P")));

        const QProcessEnvironment env = environment(dir.filePath(QStringLiteral("home")), QString());
        const AppFolderPlan plan = platform::planAppFolder(dir.filePath(QStringLiteral("P/bin")), env);
        const QString app = plan.folder;

        // The first start makes the folder, private to the user, with what the program looks for.
        QVERIFY(!platform::prepareAppFolder(plan).isSet());
        const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
            | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
        QVERIFY(!(QFileInfo(dir.filePath(QStringLiteral("home/.local/share"))).permissions() & others));
        QCOMPARE(readAll(app + QStringLiteral("/DizaRore.hlp")), QByteArray("help 2"));
        QCOMPARE(readAll(app + QStringLiteral("/Photographs/Audio/pukarta.mid")), QByteArray("song"));
        QCOMPARE(readAll(app + QStringLiteral("/Photographs/Audio/title.wav")), QByteArray("title"));
        QVERIFY(!QFileInfo::exists(app + QStringLiteral("/Dizarore-structure.sqlite")));
        QVERIFY(!QFileInfo::exists(app + QStringLiteral("/setup-dsn.sh")));

        // Later starts bring the help up to the installed version and leave the user's sounds alone.
        writeBytes(app + QStringLiteral("/DizaRore.hlp"), "help 1");
        writeBytes(app + QStringLiteral("/Photographs/Audio/title.wav"), "my own title");
        QFile::remove(app + QStringLiteral("/Photographs/Audio/pukarta.mid"));
        QVERIFY(!platform::prepareAppFolder(plan).isSet());
        QCOMPARE(readAll(app + QStringLiteral("/DizaRore.hlp")), QByteArray("help 2"));
        QCOMPARE(readAll(app + QStringLiteral("/Photographs/Audio/title.wav")), QByteArray("my own title"));
        QCOMPARE(readAll(app + QStringLiteral("/Photographs/Audio/pukarta.mid")), QByteArray("song"));

        QCOMPARE(snapshot(dir.filePath(QStringLiteral("P"))), before);
    }

    // Group and others get nothing of the data folder, whether it is new or
    // was made open by an earlier version.
    void keepsTheDataFolderPrivate_data()
    {
        QTest::addColumn<int>("earlierMode"); // -1: the folder is not there yet
        QTest::newRow("new") << -1;
        QTest::newRow("made open before") << 0755;
    }

    void keepsTheDataFolderPrivate()
    {
        QFETCH(int, earlierMode);
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("P/share/quenmora"))));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("P/bin"))));
        const AppFolderPlan plan = platform::planAppFolder(
            dir.filePath(QStringLiteral("P/bin")), environment(dir.filePath(QStringLiteral("home")), QString()));
        if (earlierMode >= 0) {
            QVERIFY(QDir().mkpath(plan.folder));
            writeBytes(plan.folder + QStringLiteral("/populnv.ppl"), "a session\r\n");
            QCOMPARE(::chmod(QFile::encodeName(plan.folder).constData(), mode_t(earlierMode)), 0);
        }
        QVERIFY(!platform::prepareAppFolder(plan).isSet());
        QCOMPARE(modeOf(plan.folder), 0700);
        if (earlierMode >= 0)
            QCOMPARE(readAll(plan.folder + QStringLiteral("/populnv.ppl")), QByteArray("a session\r\n"));
    }

    // Without a home the data folder lies in the temporary folder, where
    // anyone may have made a folder of that name first.
    void usesOnlyItsOwnFolderInTheTemporaryFolder_data()
    {
        QTest::addColumn<bool>("used"); // the row says what lies at the data home's place beforehand
        QTest::newRow("nothing") << true;
        QTest::newRow("own folder, open") << true;
        QTest::newRow("own folder, data folder another's") << false;
        QTest::newRow("another's folder") << false;
        QTest::newRow("link to an own folder") << false;
        QTest::newRow("a file") << false;
    }

    void usesOnlyItsOwnFolderInTheTemporaryFolder()
    {
        QFETCH(bool, used);
        const QByteArray earlier = QTest::currentDataTag();
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("P/share/quenmora"))));
        const QString home = dir.filePath(QStringLiteral("quenmora-") + QString::number(getuid()));
        AppFolderPlan plan;
        plan.folder = home + QStringLiteral("/Quenmora");
        plan.shippedFiles = dir.filePath(QStringLiteral("P/share/quenmora"));
        plan.inTemporaryFolder = true;

        if (earlier.contains("another's") && getuid() != 0)
            QSKIP("only the superuser can make a folder that another user owns");
        const auto giveAway
            = [](const QString &path) { return ::chown(QFile::encodeName(path).constData(), 65534, 65534) == 0; };
        if (earlier == "own folder, open") {
            QVERIFY(QDir().mkdir(home));
            QCOMPARE(::chmod(QFile::encodeName(home).constData(), 0755), 0);
        } else if (earlier == "own folder, data folder another's") {
            QVERIFY(QDir().mkpath(plan.folder));
            QVERIFY(giveAway(plan.folder));
        } else if (earlier == "another's folder") {
            QVERIFY(QDir().mkdir(home));
            QVERIFY(giveAway(home));
        } else if (earlier == "link to an own folder") {
            QVERIFY(QDir().mkdir(dir.filePath(QStringLiteral("elsewhere"))));
            QVERIFY(QFile::link(dir.filePath(QStringLiteral("elsewhere")), home));
        } else if (earlier == "a file") {
            writeBytes(home, "not a folder");
        }

        const platform::Failure claimed = platform::prepareAppFolder(plan);
        QCOMPARE(!claimed.isSet(), used);
        if (used) {
            QCOMPARE(modeOf(home), 0700);
            QCOMPARE(modeOf(plan.folder), 0700);
        } else {
            QVERIFY2(claimed.description.contains(QStringLiteral("Set HOME")), qPrintable(claimed.description));
            QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("elsewhere/Quenmora"))));
        }
    }

    void leavesAPortableCopyAsItIs()
    {
        QTemporaryDir dir;
        const QStringList before = snapshot(dir.path());
        const AppFolderPlan plan
            = platform::planAppFolder(dir.path(), environment(dir.filePath(QStringLiteral("home")), QString()));
        QVERIFY(!platform::prepareAppFolder(plan).isSet());
        QCOMPARE(snapshot(dir.path()), before);
    }
};

QTEST_GUILESS_MAIN(AppFolderTest)
#include "appfolder_test.moc"
