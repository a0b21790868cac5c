// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/systemdrives.h"

#include <QTest>

using platform::Drive;

class SystemDrivesTest : public QObject
{
    Q_OBJECT

private slots:
    void readsMountTablesWithTheirEscapes()
    {
        const auto entries = platform::parseMountTable("# a comment\n"
                                                       "/dev/sdb1 /media/ann/MY\\040DISK vfat rw,nosuid 0 0\n"
                                                       "\n"
                                                       "broken-line\n"
                                                       "/dev/sda2\t/\text4 rw 0 0\n");
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries.at(0).device, QStringLiteral("/dev/sdb1"));
        QCOMPARE(entries.at(0).mountPoint, QStringLiteral("/media/ann/MY DISK"));
        QCOMPARE(entries.at(0).type, QStringLiteral("vfat"));
        QCOMPARE(entries.at(1).mountPoint, QStringLiteral("/"));
    }

    void listsRootHomeAndMedia()
    {
        const auto mounted = platform::parseMountTable("/dev/sda2 / ext4 rw 0 0\n"
                                                       "proc /proc proc rw 0 0\n"
                                                       "tmpfs /run tmpfs rw 0 0\n"
                                                       "/dev/sdb1 /media/ann/MY\\040DISK vfat rw 0 0\n"
                                                       "/dev/sr0 /mnt/cd iso9660 ro 0 0\n"
                                                       "systemd-1 /mnt/auto autofs rw 0 0\n"
                                                       "/dev/sdc1 /run/media/ann/STICK exfat rw 0 0\n");
        const auto configured = platform::parseMountTable("UUID=1234 / ext4 defaults 0 1\n"
                                                          "/dev/sr1 /media/cdrom0 udf,iso9660 user,noauto 0 0\n"
                                                          "/swapfile none swap sw 0 0\n");
        const QHash<QString, QString> labels = {{QStringLiteral("/dev/sda2"), QStringLiteral("system")},
                                                {QStringLiteral("/dev/sdb1"), QStringLiteral("MY DISK")}};
        const QVector<Drive> drives = platform::drivesFrom(mounted, configured, labels, QStringLiteral("/home/ann"));
        QStringList paths;
        QStringList shown;
        for (const Drive &d : drives) {
            paths << d.path;
            shown << d.display;
        }
        QCOMPARE(paths, (QStringList{"/", "/home/ann", "/media/ann/MY DISK", "/media/cdrom0", "/mnt/cd",
                                     "/run/media/ann/STICK"}));
        QCOMPARE(drives.at(0).label, QStringLiteral("system"));
        QCOMPARE(drives.at(1).label, QStringLiteral("system")); // home lies on the root file system
        QCOMPARE(drives.at(2).label, QStringLiteral("MY DISK"));
        QCOMPARE(shown.at(2), QStringLiteral("/media/ann/MY DISK [MY DISK]"));
        QCOMPARE(drives.at(3).label, QString());
        QCOMPARE(shown.at(4), QStringLiteral("/mnt/cd"));
    }

    void findsTheMountThatHoldsAFolder()
    {
        const auto mounted = platform::parseMountTable("/dev/a / ext4 rw 0 0\n/dev/b /media/x vfat rw 0 0\n"
                                                       "/dev/c /media/xy vfat rw 0 0\n");
        QCOMPARE(platform::mountPointOf(mounted, QStringLiteral("/media/xy/music")), QStringLiteral("/media/xy"));
        QCOMPARE(platform::mountPointOf(mounted, QStringLiteral("/media/x")), QStringLiteral("/media/x"));
        QCOMPARE(platform::mountPointOf(mounted, QStringLiteral("/home")), QStringLiteral("/"));
    }

    void theRealSystemHasARoot()
    {
        platform::SystemDrives drives;
        const auto list = drives.list();
        QVERIFY(!list.isEmpty());
        QCOMPARE(list.first().path, QStringLiteral("/"));
        QVERIFY(drives.isReady(QStringLiteral("/")));
        QVERIFY(!drives.isReady(QStringLiteral("/no/such/medium")));
    }
};

QTEST_GUILESS_MAIN(SystemDrivesTest)
#include "systemdrives_test.moc"
