// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/desktop/qtmediaplayer.h"

#include "platform/audioduration.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>
#include <QWidget>

namespace platform {

namespace {

constexpr int CannotPlay = 5;

QString soundFont()
{
    static const char *const candidates[] = {
        "/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2",
        "/usr/share/sounds/sf2/TimGM6mb.sf2",   "/usr/share/sounds/sf3/default-GM.sf3",
        "/usr/share/soundfonts/default.sf2",    "/usr/share/soundfonts/FluidR3_GM.sf2",
    };
    for (const char *c : candidates) {
        if (QFileInfo::exists(QString::fromLatin1(c)))
            return QString::fromLatin1(c);
    }
    return {};
}

QString synthesizer()
{
    return QStandardPaths::findExecutable(QStringLiteral("fluidsynth"));
}

class QtMediaPlayer final : public MediaPlayer
{
public:
    explicit QtMediaPlayer(QWidget *surface)
        : m_surface(surface)
    {
    }

    ~QtMediaPlayer() override
    {
        stopMidi();
        dropPlayer();
    }

    bool setFileName(const QString &path) override
    {
        if (!open(path))
            return false;
        if (path.isEmpty())
            return true;
        if (m_midi) {
            return startMidi()
                || fail(CannotPlay, QStringLiteral("MIDI files need fluidsynth and a General MIDI soundfont to play"));
        }
        play();
        return true;
    }

    bool open(const QString &path) override
    {
        close();
        m_file = path;
        if (path.isEmpty())
            return true;
        const QFileInfo info(path);
        if (!info.exists())
            return fail(err::FileNotFound, QStringLiteral("File not found"));
        if (info.isDir() || !info.isReadable())
            return fail(err::PathFileAccess, QStringLiteral("Path/File access error"));

        m_duration = audioDurationSeconds(path).value_or(0.0);
        if (isMidiFile(path)) {
            m_midi = true;
            return true;
        }

        QMediaPlayer &p = player();
        if (!p.isAvailable())
            return fail(CannotPlay, QStringLiteral("No media backend is available"));
        p.setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
        if (p.error() != QMediaPlayer::NoError || p.mediaStatus() == QMediaPlayer::InvalidMedia) {
            const QString why = p.errorString().isEmpty() ? QStringLiteral("Unsupported format") : p.errorString();
            // A player keeps its error after a failed file: the next file gets a fresh one.
            dropPlayer();
            return fail(CannotPlay, why);
        }
        showVideoIfAny();
        return true;
    }

    QString fileName() const override { return m_file; }

    void play() override
    {
        if (m_file.isEmpty() || m_failure.isSet())
            return;
        if (m_midi) {
            if (!isPlaying())
                startMidi();
            return;
        }
        if (!m_player)
            return;
        routeSound();
        m_player->play();
    }

    void stop() override
    {
        stopMidi();
        if (m_player)
            m_player->stop();
    }

    double duration() const override
    {
        if (m_duration > 0 || m_midi || !m_player || m_file.isEmpty())
            return m_duration;
        return m_player->duration() / 1000.0;
    }

    bool isPlaying() const override
    {
        if (m_midi)
            return m_synth && m_synth->state() != QProcess::NotRunning;
        return m_player && m_player->playbackState() == QMediaPlayer::PlayingState;
    }

    Failure lastFailure() const override { return m_failure; }

    void setFailureHandler(std::function<void()> handler) override { m_onFailure = std::move(handler); }

private:
    // Told after the signal has returned: the handler may close the file.
    void failedWhilePlaying(int number, const QString &description)
    {
        if (m_file.isEmpty())
            return;
        m_failure = {number, description};
        if (m_onFailure)
            m_onFailure();
    }

    bool fail(int number, const QString &description)
    {
        m_failure = {number, description};
        return false;
    }

    void close()
    {
        stopMidi();
        if (m_player && !m_player->source().isEmpty()) {
            m_player->stop();
            m_player->setSource(QUrl());
        }
        m_midi = false;
        m_duration = 0;
        m_failure = {};
    }

    void dropPlayer()
    {
        if (!m_player)
            return;
        m_player->stop();
        m_player->setAudioOutput(nullptr);
        m_player->setVideoOutput(nullptr);
        m_player.reset();
    }

    QMediaPlayer &player()
    {
        if (!m_player) {
            m_player = std::make_unique<QMediaPlayer>();
            // Some backends learn about the pictures only while loading.
            QObject::connect(m_player.get(), &QMediaPlayer::hasVideoChanged, m_player.get(), [this](bool video) {
                if (video)
                    showVideoIfAny();
            });
            QObject::connect(
                m_player.get(), &QMediaPlayer::errorOccurred, m_player.get(),
                [this](QMediaPlayer::Error error, const QString &text) {
                    if (error != QMediaPlayer::NoError)
                        failedWhilePlaying(CannotPlay, text.isEmpty() ? QStringLiteral("Cannot play this file") : text);
                },
                Qt::QueuedConnection);
            // A file whose medium went away may only end early, without an error.
            QObject::connect(
                m_player.get(), &QMediaPlayer::mediaStatusChanged, m_player.get(),
                [this](QMediaPlayer::MediaStatus status) {
                    if (status == QMediaPlayer::EndOfMedia && !m_file.isEmpty() && !QFileInfo::exists(m_file))
                        failedWhilePlaying(err::FileNotFound, QStringLiteral("File not found"));
                },
                Qt::QueuedConnection);
        }
        return *m_player;
    }

    // Qt 6.4's FFmpeg backend crashes when it renders sound without an audio
    // device, so sound goes out only while the system has one.
    void routeSound()
    {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) {
            m_player->setAudioOutput(nullptr);
            m_audio.reset();
            return;
        }
        if (!m_audio)
            m_audio = std::make_unique<QAudioOutput>();
        if (m_audio->device() != device)
            m_audio->setDevice(device);
        if (m_player->audioOutput() != m_audio.get())
            m_player->setAudioOutput(m_audio.get());
    }

    void showVideoIfAny()
    {
        if (!m_surface || !m_player || !m_player->hasVideo())
            return;
        if (!m_video) {
            m_video = new QVideoWidget(m_surface);
            if (!m_surface->layout()) {
                auto *layout = new QVBoxLayout(m_surface);
                layout->setContentsMargins(0, 0, 0, 0);
            }
            m_surface->layout()->addWidget(m_video);
            m_video->show();
        }
        if (m_player->videoOutput() != m_video.data())
            m_player->setVideoOutput(m_video.data());
    }

    bool startMidi()
    {
        stopMidi();
        const QString program = synthesizer();
        const QString font = soundFont();
        if (program.isEmpty() || font.isEmpty())
            return false;
        m_synth = std::make_unique<QProcess>();
        m_synth->setStandardOutputFile(QProcess::nullDevice());
        m_synth->setStandardErrorFile(QProcess::nullDevice());
        // No MIDI input, no shell: it plays the file and ends.
        m_synth->start(program, {QStringLiteral("-n"), QStringLiteral("-i"), QStringLiteral("-q"), font, m_file});
        return true;
    }

    void stopMidi()
    {
        if (!m_synth)
            return;
        if (m_synth->state() != QProcess::NotRunning) {
            m_synth->kill();
            m_synth->waitForFinished(1000);
        }
        m_synth.reset();
    }

    QPointer<QWidget> m_surface;
    std::unique_ptr<QMediaPlayer> m_player;
    std::unique_ptr<QAudioOutput> m_audio;
    QPointer<QVideoWidget> m_video;
    std::unique_ptr<QProcess> m_synth;
    QString m_file;
    double m_duration = 0;
    bool m_midi = false;
    Failure m_failure;
    std::function<void()> m_onFailure;
};

} // namespace

bool canPlayMidi()
{
    return !synthesizer().isEmpty() && !soundFont().isEmpty();
}

std::unique_ptr<MediaPlayer> makeQtMediaPlayer(QWidget *surface)
{
    return std::make_unique<QtMediaPlayer>(surface);
}

} // namespace platform
