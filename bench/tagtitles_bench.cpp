// SPDX-License-Identifier: GPL-3.0-or-later
// Song titles from tags: "Song Titles from Tags" on a 10001-file list of MP3
// files with ID3v2 titles, through the real window, and the longest time the
// window went without handling its events meanwhile.

#include "bench.h"
#include "listwindowrig.h"

#include "listmaker/currentlist.h"
#include "ui/adddatawindow.h"
#include "ui/desktop/appcontext.h"
#include "ui/makeslistwindow.h"
#include "ui/navigator.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <taglib/id3v2tag.h>

#include <algorithm>
#include <vector>

namespace {

// MP3 files of three silent frames behind an ID3v2 tag with a title, 100 a folder.
bool makeTaggedTree(const QString &root, int files)
{
    QByteArray frame = QByteArray::fromHex("fffb9064");
    frame += QByteArray(417 - frame.size(), char(0));
    const QByteArray audio = frame.repeated(3);
    for (int i = 0; i < files; ++i) {
        const QString folder = root + QStringLiteral("/album%1").arg(i / 100, 3, 10, QLatin1Char('0'));
        if (i % 100 == 0 && !QDir().mkpath(folder))
            return false;
        TagLib::ID3v2::Tag tag;
        tag.setTitle(TagLib::String(QStringLiteral("Song title number %1").arg(i).toUtf8().constData(),
                                    TagLib::String::UTF8));
        const TagLib::ByteVector rendered = tag.render();
        QFile f(folder + QStringLiteral("/%1 - track.mp3").arg(i, 6, 10, QLatin1Char('0')));
        if (!f.open(QIODevice::WriteOnly) || f.write(rendered.data(), rendered.size()) != qint64(rendered.size())
            || f.write(audio) != audio.size())
            return false;
    }
    return true;
}

int tagTitles10k()
{
    QTemporaryDir trees;
    const QString tree = trees.filePath(QStringLiteral("tree"));
    const int files = listmaker::CurrentList::Capacity;
    if (!makeTaggedTree(tree, files))
        return 1;

    bench::ListWindowRig rig(bench::SilentPlayer::factory());
    listmaker::MakeSListWindow &window = *rig.window;
    window.show();

    // Ticks as often as the window handles its events; the longest gap is the longest freeze.
    QElapsedTimer sinceTick;
    double longestGap = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, double(sinceTick.nsecsElapsed()) / 1e6);
        sinceTick.restart();
    });

    std::vector<double> runs;
    std::vector<double> gaps;
    const QString expected = QStringLiteral("Titles from tags: %1 of %1").arg(files);
    for (int run = 0; run < 4; ++run) {
        window.findChild<QAction *>(QStringLiteral("ClearList"))->trigger();
        window.findChild<QObject *>(QStringLiteral("Dir1"))->setProperty("path", tree);
        window.findChild<QLineEdit *>(QStringLiteral("Text3"))->setText(QStringLiteral("TAGS%1").arg(run));
        window.findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("Artist"));
        window.findChild<QPushButton *>(QStringLiteral("AddList"))->click();
        if (window.findChild<QListWidget *>(QStringLiteral("List4"))->count() != files)
            return 1;

        ticker.start();
        sinceTick.start();
        longestGap = 0;
        QElapsedTimer t;
        t.start();
        window.findChild<QAction *>(QStringLiteral("TagTitles"))->trigger();
        const double ms = double(t.nsecsElapsed()) / 1e6;
        longestGap = std::max(longestGap, double(sinceTick.nsecsElapsed()) / 1e6);
        ticker.stop();
        if (window.findChild<QLabel *>(QStringLiteral("Label6"))->text() != expected)
            return 1;
        if (run > 0) { // the first run warms the cache
            runs.push_back(ms);
            gaps.push_back(longestGap);
        }
    }
    bench::report(QStringLiteral("tag_titles_10k_ms"), bench::median(runs), QStringLiteral("ms"));
    bench::report(QStringLiteral("tag_titles_10k_longest_pause_ms"), bench::median(gaps), QStringLiteral("ms"));
    return 0;
}

const bench::Register tagTitlesBench("tag_titles_10k", tagTitles10k);

} // namespace
