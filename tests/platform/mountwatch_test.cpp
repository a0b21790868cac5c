// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/mountwatch.h"
#include "platform/systemdrives.h"

#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <sys/mount.h>

// The mount table as the drive list watches it. Mounting needs the right
// to (root with CAP_SYS_ADMIN); without it the test is skipped.
class MountWatchTest : public QObject
{
    Q_OBJECT

private slots:
    void mountsAndUnmountsAreTold()
    {
        QTemporaryDir dir;
        int changes = 0;
        platform::MountWatch watch([&] { ++changes; });
        QVERIFY(watch.isWatching());
        QCoreApplication::processEvents();
        QCOMPARE(changes, 0);

        const QByteArray point = QFile::encodeName(dir.path());
        if (::mount("quenmora-test", point.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("mounting a file system is not allowed here");
        const auto unmount = qScopeGuard([&] { ::umount2(point.constData(), MNT_DETACH); });
        QTRY_VERIFY(changes >= 1);
        const int mounted = changes;
        QVERIFY(::umount(point.constData()) == 0);
        QTRY_VERIFY(changes > mounted);
    }

    void aTableThatCannotBeOpenedWatchesNothing()
    {
        platform::MountWatch watch([] {}, QStringLiteral("/nonexistent/mountinfo"));
        QVERIFY(!watch.isWatching());
        platform::SystemDrives drives;
        QVERIFY(drives.watch([] {}) != nullptr);
    }
};

QTEST_GUILESS_MAIN(MountWatchTest)
#include "mountwatch_test.moc"
