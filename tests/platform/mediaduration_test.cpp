// SPDX-License-Identifier: GPL-3.0-or-later
#include "mediafiles.h"

#include "platform/audioduration.h"
#include "platform/mididuration.h"

#include <QTemporaryDir>
#include <QTest>

using namespace mediafiles;

class MediaDurationTest : public QObject
{
    Q_OBJECT

private slots:
    void midiFollowsTheTempoMap()
    {
        const auto seconds = platform::midiDurationSeconds(midi());
        QVERIFY(seconds.has_value());
        QCOMPARE(*seconds, 3.0);
    }

    void midiVariants_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<double>("seconds");

        QByteArray smpte;
        be(smpte, 0, 2);
        be(smpte, 1, 2);
        be(smpte, 0xe728, 2); // 25 frames a second, 40 ticks a frame
        QTest::newRow("time code") << chunk("MThd", smpte) + chunk("MTrk", QByteArray::fromHex("9344ff2f00")) << 2.5;

        QByteArray two;
        be(two, 2, 2);
        be(two, 2, 2);
        be(two, 480, 2);
        const QByteArray quarter = chunk("MTrk", QByteArray::fromHex("8360ff2f00"));
        QTest::newRow("format 2 plays its sequences in turn") << chunk("MThd", two) + quarter + quarter << 1.0;

        QByteArray rmid("RIFF");
        const QByteArray smf = midi();
        le(rmid, quint32(4 + 8 + smf.size()), 4);
        rmid += "RMIDdata";
        le(rmid, quint32(smf.size()), 4);
        rmid += smf;
        QTest::newRow("RIFF wrapper") << rmid << 3.0;

        QByteArray sysex;
        be(sysex, 0, 2);
        be(sysex, 1, 2);
        be(sysex, 96, 2);
        // A system-exclusive message, then an end after a quarter at 120 beats a minute.
        QTest::newRow("system exclusive skipped")
            << chunk("MThd", sysex) + chunk("MTrk", QByteArray::fromHex("00f0037e7ff7" "60ff2f00")) << 0.5;
    }
    void midiVariants()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(double, seconds);
        const auto read = platform::midiDurationSeconds(bytes);
        QVERIFY(read.has_value());
        QCOMPARE(*read, seconds);
    }

    void notMidiGivesNothing()
    {
        QVERIFY(!platform::midiDurationSeconds("hello world").has_value());
        QVERIFY(!platform::midiDurationSeconds(QByteArray()).has_value());
        QVERIFY(!platform::midiDurationSeconds(QByteArray("MThd\0\0\0\6", 8)).has_value());
    }

    void aCutTrackKeepsWhatItRead()
    {
        QByteArray bytes = midi();
        bytes.chop(6);
        QVERIFY(platform::midiDurationSeconds(bytes).has_value());
    }

    void filesOfKnownLength()
    {
        QTemporaryDir dir;
        QVERIFY(write(dir.filePath("song.wav"), wav(185.0)));
        QVERIFY(write(dir.filePath("tune.mid"), midi()));
        QVERIFY(write(dir.filePath("notes.txt"), "nothing to hear"));
        QCOMPARE(platform::audioDurationSeconds(dir.filePath("song.wav")).value_or(-1), 185.0);
        QCOMPARE(platform::audioDurationSeconds(dir.filePath("tune.mid")).value_or(-1), 3.0);
        QVERIFY(platform::isMidiFile(dir.filePath("tune.mid")));
        QVERIFY(!platform::isMidiFile(dir.filePath("song.wav")));
        QVERIFY(!platform::audioDurationSeconds(dir.filePath("notes.txt")).has_value());
        QVERIFY(!platform::audioDurationSeconds(dir.filePath("missing.mp3")).has_value());
    }
};

QTEST_GUILESS_MAIN(MediaDurationTest)
#include "mediaduration_test.moc"
