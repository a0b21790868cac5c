// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/tempapp.h"

#include "shell/mainsounds.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("RIFF");
}

} // namespace

class MainSoundsTest : public QObject
{
    Q_OBJECT

private slots:
    void optionsReplaceTheSong()
    {
        TempApp app;
        const QString audio = app.file(QStringLiteral("Photographs/Audio"));
        touch(audio + QStringLiteral("/pukarta.mid"));
        touch(audio + QStringLiteral("/title.wav"));
        FakePlayer player;
        shell::MainSounds sounds(player, app.dialogs, audio);

        sounds.Option1_Click(1);
        QCOMPARE(player.fileName(), audio + QStringLiteral("/pukarta.mid"));
        QVERIFY(player.isPlaying());

        sounds.Image11_Click(); // the title sound replaces the song
        QCOMPARE(player.fileName(), audio + QStringLiteral("/title.wav"));
        QVERIFY(player.isPlaying());

        sounds.Image4_Click(); // stopped, but the file stays open
        QVERIFY(!player.isPlaying());
        QCOMPARE(player.fileName(), audio + QStringLiteral("/title.wav"));

        sounds.Option1_Click(0);
        QCOMPARE(player.fileName(), QString());
        QVERIFY(!player.isPlaying());
        QCOMPARE(player.calls.mid(player.calls.size() - 2),
                 QStringList({QStringLiteral("open:"), QStringLiteral("play")}));
        QVERIFY(app.dialogs.shown.isEmpty());
    }

    void missingBuiltInSongIsSilent()
    {
        TempApp app;
        FakePlayer player;
        shell::MainSounds sounds(player, app.dialogs, app.file(QStringLiteral("Photographs/Audio")));
        sounds.Option1_Click(1);
        QVERIFY(!player.isPlaying());
        QVERIFY(!player.calls.contains(QStringLiteral("play")));
        QVERIFY(app.dialogs.shown.isEmpty());
    }

    void missingTitleSoundIsReported()
    {
        TempApp app;
        FakePlayer player;
        shell::MainSounds sounds(player, app.dialogs, app.file(QStringLiteral("Photographs/Audio")));
        sounds.Image11_Click();
        QCOMPARE(app.dialogs.texts(), QStringList(QStringLiteral("53\r\nFile not found")));
        QCOMPARE(app.dialogs.shown.at(0).buttons, platform::Buttons::Ok);
    }

    void ownMusicDialogAndCancel()
    {
        TempApp app;
        const QString audio = app.file(QStringLiteral("Photographs/Audio"));
        touch(audio + QStringLiteral("/pukarta.mid"));
        FakePlayer player;
        shell::MainSounds sounds(player, app.dialogs, audio);
        sounds.Option1_Click(1);

        app.dialogs.queueFile(std::nullopt);
        sounds.Option2_Click();
        QCOMPARE(app.dialogs.opened.size(), 1);
        QCOMPARE(app.dialogs.opened.at(0).initialFolder, audio);
        QCOMPARE(app.dialogs.opened.at(0).filter,
                 QStringLiteral("Supported audio files (*.wav,*.mid,*.mp3)|*.wav;*.mid;*.mp3"));
        QVERIFY(app.dialogs.shown.isEmpty());
        QCOMPARE(player.fileName(), audio + QStringLiteral("/pukarta.mid"));
        QVERIFY(player.isPlaying());

        const QString own = app.file(QStringLiteral("mine.mp3"));
        touch(own);
        app.dialogs.queueFile(own);
        sounds.Option2_Click();
        QCOMPARE(player.fileName(), own);
        QVERIFY(player.isPlaying());
        QVERIFY(app.dialogs.shown.isEmpty());
    }

    void failingFile_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("short file") << 62 << "The data file does not have sufficient data";
        QTest::newRow("other") << 75 << "Error while loading file.\r\nError no. 75\r\nCannot play this file";
    }

    void failingFile()
    {
        QFETCH(int, number);
        QFETCH(QString, text);
        TempApp app;
        const QString bad = app.file(QStringLiteral("bad.wav"));
        touch(bad);
        FakePlayer player;
        player.unplayable.insert(bad, number);
        shell::MainSounds sounds(player, app.dialogs, app.file(QStringLiteral("Photographs/Audio")));
        app.dialogs.queueFile(bad);
        sounds.Option2_Click();
        QCOMPARE(app.dialogs.texts(), QStringList(text));
        QCOMPARE(app.dialogs.shown.at(0).icon, platform::Icon::Exclamation);
        QCOMPARE(app.dialogs.shown.at(0).title, QStringLiteral("Quenmora"));
        QVERIFY(!player.calls.contains(QStringLiteral("play")));
    }
};

QTEST_GUILESS_MAIN(MainSoundsTest)
#include "mainsounds_test.moc"
