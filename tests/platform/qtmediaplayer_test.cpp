// SPDX-License-Identifier: GPL-3.0-or-later
#include "mediafiles.h"

#include "ui/desktop/qtmediaplayer.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

// The real player, run where there may be no audio device at all: it must
// know a file's length at once and never bring the process down.
class QtMediaPlayerTest : public QObject
{
    Q_OBJECT

private slots:
    void knowsTheLengthAsSoonAsTheFileIsOpened()
    {
        QTemporaryDir dir;
        const QString song = dir.filePath("song.wav");
        QVERIFY(mediafiles::write(song, mediafiles::wav(2.5)));
        QWidget surface;
        auto player = platform::makeQtMediaPlayer(&surface);
        QVERIFY2(player->setFileName(song), qPrintable(player->lastFailure().description));
        QCOMPARE(player->fileName(), song);
        QCOMPARE(player->duration(), 2.5);
        player->stop();
        player->play();
        for (int i = 0; i < 20; ++i)
            QCoreApplication::processEvents();
        QVERIFY(player->setFileName(QString()));
        QCOMPARE(player->duration(), 0.0);
        QVERIFY(!player->isPlaying());
    }

    void refusesWhatItCannotPlay()
    {
        QTemporaryDir dir;
        QVERIFY(mediafiles::write(dir.filePath("notes.txt"), "no sound here\n"));
        auto player = platform::makeQtMediaPlayer(nullptr);
        QVERIFY(!player->setFileName(dir.filePath("missing.mp3")));
        QCOMPARE(player->lastFailure().number, platform::err::FileNotFound);
        QVERIFY(!player->setFileName(dir.filePath("notes.txt")));
        QVERIFY(player->lastFailure().isSet());
        QVERIFY(!player->setFileName(dir.path()));
        QVERIFY(!player->isPlaying());
        player->play(); // nothing open: nothing happens
        QVERIFY(!player->isPlaying());

        // A refused file leaves nothing behind that would refuse the next one.
        QVERIFY(mediafiles::write(dir.filePath("song.wav"), mediafiles::wav(1.0)));
        QVERIFY2(player->setFileName(dir.filePath("song.wav")), qPrintable(player->lastFailure().description));
        QCOMPARE(player->duration(), 1.0);
        QVERIFY(!player->lastFailure().isSet());
    }

    void midiLengthIsKnownWithOrWithoutASynthesizer()
    {
        QTemporaryDir dir;
        const QString tune = dir.filePath("tune.mid");
        QVERIFY(mediafiles::write(tune, mediafiles::midi()));
        auto player = platform::makeQtMediaPlayer(nullptr);
        const bool opened = player->setFileName(tune);
        QCOMPARE(opened, platform::canPlayMidi());
        QCOMPARE(player->duration(), 3.0);
        player->stop();
        QVERIFY(!player->isPlaying());
    }
};

QTEST_MAIN(QtMediaPlayerTest)
#include "qtmediaplayer_test.moc"
