// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clock.h"
#include "platform/drives.h"
#include "platform/mediaplayer.h"
#include "ui/desktop/helpviewer.h"

#include <QFileInfo>
#include <QHash>
#include <QStringList>

// A clock the test moves by hand; its monotonic reading may also move by
// msPerReading at every read, as a real one does during a command.
class FakeClock final : public platform::Clock
{
public:
    QDateTime now() const override { return current; }
    double milliseconds() const override
    {
        const double reading = ms;
        ms += msPerReading;
        return reading;
    }
    void advanceSeconds(int s) { advanceMilliseconds(1000 * qint64(s)); }
    void advanceMilliseconds(qint64 m)
    {
        current = current.addMSecs(m);
        ms += double(m);
    }

    QDateTime current{QDate(2026, 12, 7), QTime(9, 30, 0)};
    mutable double ms = 1000.0;
    double msPerReading = 0.0;
};

// A player that records what it was asked to do.
class FakePlayer final : public platform::MediaPlayer
{
public:
    bool setFileName(const QString &path) override
    {
        calls << QStringLiteral("open:") + path;
        return take(path);
    }
    bool open(const QString &path) override
    {
        calls << QStringLiteral("open-stopped:") + path;
        const bool opened = take(path);
        m_playing = false;
        return opened;
    }
    QString fileName() const override { return m_file; }
    void play() override
    {
        calls << QStringLiteral("play");
        m_playing = !m_file.isEmpty() && !failure.isSet();
    }
    void stop() override
    {
        calls << QStringLiteral("stop");
        m_playing = false;
    }
    double duration() const override { return durations.value(m_file, 0.0); }
    bool isPlaying() const override { return m_playing; }
    platform::Failure lastFailure() const override { return failure; }
    void setFailureHandler(std::function<void()> handler) override { onFailure = std::move(handler); }

    // Playback stops on a failure, as when the file's medium goes away.
    void failWhilePlaying(const platform::Failure &f)
    {
        failure = f;
        m_playing = false;
        if (onFailure)
            onFailure();
    }
    std::function<void()> onFailure;

    QStringList calls;
    QHash<QString, double> durations;
    QHash<QString, int> unplayable; // path -> failure number
    platform::Failure failure;

private:
    bool take(const QString &path)
    {
        m_file = path;
        m_playing = false;
        if (path.isEmpty())
            return true;
        if (!QFileInfo::exists(path) || unplayable.contains(path)) {
            failure = {53, QStringLiteral("File not found")};
            if (unplayable.contains(path))
                failure = {unplayable.value(path), QStringLiteral("Cannot play this file")};
            return false;
        }
        failure = {};
        m_playing = true;
        return true;
    }

    QString m_file;
    bool m_playing = false;
};

class FakeHelp final : public platform::HelpViewer
{
public:
    std::optional<QString> showContents(const QString &helpFile, QWidget *owner) override
    {
        requests << helpFile;
        owners << owner;
        return error;
    }
    QStringList requests;
    QList<QWidget *> owners;
    std::optional<QString> error;
};

class FakeDrives final : public platform::Drives
{
public:
    QVector<platform::Drive> list() const override { return drives; }
    QString volumeLabel(const QString &folder) const override
    {
        for (const auto &d : drives) {
            if (folder == d.path || folder.startsWith(d.path + QLatin1Char('/')))
                return d.label;
        }
        return {};
    }
    bool isReady(const QString &drivePath) const override { return !notReady.contains(drivePath); }
    std::unique_ptr<QObject> watch(std::function<void()> onChange) override
    {
        onMediaChange = std::move(onChange);
        auto watching = std::make_unique<QObject>();
        QObject::connect(watching.get(), &QObject::destroyed, [this] { onMediaChange = nullptr; });
        return watching;
    }
    // Tells the watcher that media were mounted or unmounted.
    void mediaChanged() const
    {
        if (onMediaChange)
            onMediaChange();
    }

    std::function<void()> onMediaChange;
    QVector<platform::Drive> drives;
    QStringList notReady;
};
