// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/appfolder.h"
#include "platform/settingsfile.h"
#include "support/files.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
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

    // --app-folder: a folder of the user's choice, perhaps on a memory stick,
    // gets the shipped files from the installation or from a portable copy's
    // own folder (its sounds, not its disk photographs) and keeps its modes.
    void usesTheChosenFolder_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("earlier"); // what lies at the chosen place beforehand
        QTest::addColumn<bool>("used");
        QTest::newRow("installed, new folder") << true << "nothing" << true;
        QTest::newRow("installed, open folder") << true << "folder 0755" << true;
        QTest::newRow("portable, new folder") << false << "nothing" << true;
        QTest::newRow("portable, the program's own folder") << false << "program's folder" << true;
        QTest::newRow("the folder above is missing") << true << "no folder above" << false;
        QTest::newRow("a file") << true << "file" << false;
        QTest::newRow("a folder closed to writing") << false << "folder 0555" << false;
    }

    void usesTheChosenFolder()
    {
        QFETCH(bool, installed);
        QFETCH(QString, earlier);
        QFETCH(bool, used);
        if (earlier == QLatin1String("folder 0555") && getuid() == 0)
            QSKIP("the superuser writes in any folder");
        QTemporaryDir dir;
        const QString program = dir.filePath(installed ? QStringLiteral("P/bin") : QStringLiteral("P"));
        const QString shipped = installed ? dir.filePath(QStringLiteral("P/share/quenmora")) : program;
        QVERIFY(QDir().mkpath(program));
        QVERIFY(QDir().mkpath(shipped + QStringLiteral("/Photographs/Audio")));
        writeBytes(shipped + QStringLiteral("/DizaRore.hlp"), "help");
        writeBytes(shipped + QStringLiteral("/Photographs/Audio/title.wav"), "title");
        writeBytes(shipped + QStringLiteral("/Photographs/CD01.jpg"), "a disk's photograph");
        QString chosen = dir.filePath(QStringLiteral("stick/Quenmora"));
        QVERIFY(QDir().mkdir(dir.filePath(QStringLiteral("stick"))));
        if (earlier == QLatin1String("folder 0755") || earlier == QLatin1String("folder 0555")) {
            QVERIFY(QDir().mkdir(chosen));
            QCOMPARE(
                ::chmod(QFile::encodeName(chosen).constData(), earlier.endsWith(QLatin1String("0755")) ? 0755 : 0555),
                0);
        } else if (earlier == QLatin1String("program's folder")) {
            chosen = program;
        } else if (earlier == QLatin1String("no folder above")) {
            chosen = dir.filePath(QStringLiteral("gone/Quenmora"));
        } else if (earlier == QLatin1String("file")) {
            writeBytes(chosen, "not a folder");
        }
        const QStringList before = snapshot(dir.filePath(QStringLiteral("P")));

        const AppFolderPlan plan = platform::chooseAppFolder(chosen + QStringLiteral("/."), program);
        QCOMPARE(plan.folder, chosen);
        QVERIFY(plan.chosen && !plan.installed() && !plan.inTemporaryFolder);

        const platform::Failure claimed = platform::claimAppFolder(plan);
        QCOMPARE(!claimed.isSet(), used);
        QCOMPARE(!platform::prepareAppFolder(plan).isSet(), used);
        if (used) {
            QCOMPARE(readAll(chosen + QStringLiteral("/DizaRore.hlp")), QByteArray("help"));
            QCOMPARE(readAll(chosen + QStringLiteral("/Photographs/Audio/title.wav")), QByteArray("title"));
            if (chosen != program)
                QVERIFY(!QFileInfo::exists(chosen + QStringLiteral("/Photographs/CD01.jpg")));
            if (earlier == QLatin1String("folder 0755"))
                QCOMPARE(modeOf(chosen), 0755);
            QCOMPARE(snapshot(dir.filePath(QStringLiteral("P"))), before);
        } else {
            QVERIFY2(
                claimed.description.contains(chosen) && claimed.description.contains(QStringLiteral("--app-folder")),
                qPrintable(claimed.description));
            QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("gone"))));
        }
    }

    void takesARelativeChosenFolderFromTheCurrentFolder()
    {
        QTemporaryDir dir;
        const QString current = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        const AppFolderPlan plan
            = platform::chooseAppFolder(QStringLiteral("stick/../Q"), dir.filePath(QStringLiteral("P")));
        QVERIFY(QDir::setCurrent(current));
        QCOMPARE(plan.folder, QDir(dir.path()).canonicalPath() + QStringLiteral("/Q"));
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

    // The settings file keeps lines it does not know, and one it may write
    // but not read is not written over.
    void settingsFileKeepsWhatItCannotRead()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(platform::SettingsFile::FileName);
        writeBytes(path, "Other=x\r\nFindAsYouType=0\r\n");
        platform::SettingsFile settings(dir.path());
        QVERIFY(!settings.setFlag(QStringLiteral("FindAsYouType"), true).isSet());
        QCOMPARE(readAll(path), QByteArray("Other=x\r\nFindAsYouType=1\r\n"));

        // The super-user reads everything: the file then belongs to another user, who writes as that user.
        const bool root = ::geteuid() == 0;
        const QByteArray file = QFile::encodeName(path);
        QVERIFY(::chmod(file.constData(), 0200) == 0);
        if (root)
            QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0777) == 0
                && ::chown(file.constData(), 65534, 65534) == 0 && ::seteuid(65534) == 0);
        const platform::Failure failure = settings.setFlag(QStringLiteral("FindAsYouType"), false);
        if (root && ::seteuid(0) != 0)
            std::abort();
        QVERIFY(failure.isSet());
        QVERIFY(::chmod(file.constData(), 0600) == 0);
        QCOMPARE(readAll(path), QByteArray("Other=x\r\nFindAsYouType=1\r\n"));
    }
};

QTEST_GUILESS_MAIN(AppFolderTest)
#include "appfolder_test.moc"
