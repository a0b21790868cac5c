// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/systemdrives.h"

#include "platform/mountwatch.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

namespace platform {

namespace {

QString unescapeMount(const QByteArray &field)
{
    QByteArray out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field.at(i) == '\\' && i + 3 < field.size()) {
            const QByteArray digits = field.mid(i + 1, 3);
            bool ok = std::all_of(digits.cbegin(), digits.cend(), [](char c) { return c >= '0' && c <= '7'; });
            if (ok) {
                out += char(digits.toInt(&ok, 8));
                i += 3;
                continue;
            }
        }
        out += field.at(i);
    }
    return QFile::decodeName(out);
}

// udev writes a blank in a label as \x20.
QString unescapeUdev(const QString &name)
{
    QByteArray raw = QFile::encodeName(name);
    QByteArray out;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw.at(i) == '\\' && i + 3 < raw.size() && raw.at(i + 1) == 'x') {
            bool ok = false;
            const int code = raw.mid(i + 2, 2).toInt(&ok, 16);
            if (ok) {
                out += char(code);
                i += 3;
                continue;
            }
        }
        out += raw.at(i);
    }
    return QString::fromUtf8(out);
}

bool isPseudo(const QString &type)
{
    static const QSet<QString> pseudo = {
        QStringLiteral("proc"),      QStringLiteral("sysfs"),     QStringLiteral("devtmpfs"),
        QStringLiteral("devpts"),    QStringLiteral("cgroup"),    QStringLiteral("cgroup2"),
        QStringLiteral("securityfs"), QStringLiteral("pstore"),   QStringLiteral("debugfs"),
        QStringLiteral("tracefs"),   QStringLiteral("configfs"),  QStringLiteral("fusectl"),
        QStringLiteral("mqueue"),    QStringLiteral("hugetlbfs"), QStringLiteral("bpf"),
        QStringLiteral("binfmt_misc"), QStringLiteral("autofs"),  QStringLiteral("rpc_pipefs"),
        QStringLiteral("nsfs"),      QStringLiteral("efivarfs"),  QStringLiteral("swap"),
        QStringLiteral("none"),      QStringLiteral("fuse.gvfsd-fuse"), QStringLiteral("fuse.portal"),
    };
    return pseudo.contains(type);
}

bool isMediaPoint(const QString &mountPoint)
{
    for (const char *root : {"/media", "/run/media", "/mnt"}) {
        const QString r = QString::fromLatin1(root);
        if (mountPoint.startsWith(r + QLatin1Char('/')) || (mountPoint == r && r == QLatin1String("/mnt")))
            return true;
    }
    return false;
}

QString labelFor(const QHash<QString, QString> &labels, const QString &device)
{
    const auto it = labels.constFind(device);
    if (it != labels.constEnd())
        return *it;
    // A device named through a link (/dev/disk/by-uuid/..., /dev/mapper/...).
    const QString resolved = QFileInfo(device).canonicalFilePath();
    return resolved.isEmpty() ? QString() : labels.value(resolved);
}

Drive makeDrive(const QString &path, const QString &label)
{
    Drive d;
    d.path = path;
    d.label = label;
    d.display = label.isEmpty() ? path : path + QStringLiteral(" [") + label + QLatin1Char(']');
    return d;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QVector<MountEntry> mountedNow()
{
    return parseMountTable(readAll(QStringLiteral("/proc/self/mounts")));
}

QHash<QString, QString> labelsNow()
{
    QHash<QString, QString> labels;
    QDirIterator it(QStringLiteral("/dev/disk/by-label"), QDir::System | QDir::Files | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString device = it.fileInfo().canonicalFilePath();
        if (!device.isEmpty())
            labels.insert(device, unescapeUdev(it.fileName()));
    }
    return labels;
}

} // namespace

QVector<MountEntry> parseMountTable(const QByteArray &text)
{
    QVector<MountEntry> entries;
    for (const QByteArray &rawLine : text.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() < 3)
            continue;
        entries.append({unescapeMount(fields.at(0)), unescapeMount(fields.at(1)), QString::fromLatin1(fields.at(2))});
    }
    return entries;
}

QString mountPointOf(const QVector<MountEntry> &mounted, const QString &folder)
{
    QString best;
    for (const MountEntry &m : mounted) {
        const QString &p = m.mountPoint;
        const bool holds = p == QLatin1String("/") || folder == p || folder.startsWith(p + QLatin1Char('/'));
        if (holds && p.size() >= best.size())
            best = p;
    }
    return best;
}

QVector<Drive> drivesFrom(const QVector<MountEntry> &mounted, const QVector<MountEntry> &configured,
                          const QHash<QString, QString> &labels, const QString &home)
{
    // The last mount on a point is the one seen there.
    QHash<QString, QString> deviceAt;
    QStringList media;
    for (const MountEntry &m : mounted) {
        deviceAt.insert(m.mountPoint, m.device);
        if (!isPseudo(m.type) && isMediaPoint(m.mountPoint) && !media.contains(m.mountPoint))
            media << m.mountPoint;
    }
    for (const MountEntry &m : configured) {
        if (!isPseudo(m.type) && isMediaPoint(m.mountPoint) && !media.contains(m.mountPoint))
            media << m.mountPoint;
    }
    std::sort(media.begin(), media.end());

    QVector<Drive> drives;
    drives << makeDrive(QStringLiteral("/"), labelFor(labels, deviceAt.value(QStringLiteral("/"))));
    if (!home.isEmpty() && home != QLatin1String("/")) {
        const QString homeMount = mountPointOf(mounted, home);
        drives << makeDrive(home, labelFor(labels, deviceAt.value(homeMount)));
    }
    for (const QString &point : media) {
        const auto it = deviceAt.constFind(point);
        drives << makeDrive(point, it == deviceAt.constEnd() ? QString() : labelFor(labels, *it));
    }
    return drives;
}

QVector<Drive> SystemDrives::list() const
{
    return drivesFrom(mountedNow(), parseMountTable(readAll(QStringLiteral("/etc/fstab"))), labelsNow(),
                      QDir::homePath());
}

QString SystemDrives::volumeLabel(const QString &folder) const
{
    const QVector<MountEntry> mounted = mountedNow();
    const QString point = mountPointOf(mounted, folder);
    QString device;
    for (const MountEntry &m : mounted) {
        if (m.mountPoint == point)
            device = m.device;
    }
    return device.isEmpty() ? QString() : labelFor(labelsNow(), device);
}

bool SystemDrives::isReady(const QString &drivePath) const
{
    if (isMediaPoint(drivePath)) {
        // A mount point of fstab whose medium is not in: nothing is mounted there.
        bool mounted = false;
        for (const MountEntry &m : mountedNow()) {
            if (m.mountPoint == drivePath)
                mounted = true;
        }
        if (!mounted)
            return false;
    }
    const QFileInfo info(drivePath);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

std::unique_ptr<QObject> SystemDrives::watch(std::function<void()> onChange)
{
    auto w = std::make_unique<MountWatch>(std::move(onChange));
    if (!w->isWatching())
        return nullptr;
    return w;
}

} // namespace platform
