// SPDX-License-Identifier: GPL-3.0-or-later
#include "browse/navfixture.h"

#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QMouseEvent>

namespace {

const char *const Emphasised[] = {"AppendFileList", "DeleteDisk", "Find", "Label13", "Text2", "Combo1",
                                  "SearchDisks", "DeleteAll", "ShowAll", "Occasion", "Status", "EditRecord"};

QStringList boldOnes(const NavFixture &f)
{
    QStringList bold;
    for (const char *name : Emphasised) {
        if (f.w<QWidget>(name)->font().bold())
            bold << QLatin1String(name);
    }
    return bold;
}

void moveOver(QWidget *w, QPoint at = QPoint(-1, -1))
{
    QTest::mouseMove(w, at == QPoint(-1, -1) ? w->rect().center() : at);
}

// A spot of the window that no control covers.
QPoint bareSpot(QWidget *background)
{
    for (int y = background->height() - 2; y > 0; y -= 3) {
        for (int x = background->width() - 2; x > 0; x -= 3) {
            if (!background->childAt(x, y))
                return {x, y};
        }
    }
    return {};
}

void touch(const QString &path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

FakePlayer *fake(platform::MediaPlayer &p)
{
    return dynamic_cast<FakePlayer *>(&p);
}

} // namespace

class HoverHelpLogoTest : public QObject
{
    Q_OBJECT

private slots:
    void captionsTurnBoldUntilTheBackground()
    {
        NavFixture f;
        auto &w = f.load();
        w.showInAppendMode();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(boldOnes(f).isEmpty());

        moveOver(f.w<QWidget>("Find"));
        QTRY_COMPARE(boldOnes(f), QStringList({"Find", "Label13", "Text2", "Combo1"}));
        moveOver(f.w<QWidget>("ShowAll"));
        QTRY_COMPARE(boldOnes(f), QStringList({"Find", "Label13", "Text2", "Combo1", "ShowAll"}));

        // Lists, boxes, labels, frames and the menu bar leave the captions alone.
        for (const char *name : {"List1", "Text13", "Text2", "Label4", "Label14", "Frame1", "Text5", "Image1_0"})
            moveOver(f.w<QWidget>(name));
        moveOver(w.findChild<QMenuBar *>());
        QCOMPARE(boldOnes(f).size(), 5);

        moveOver(f.w<QWidget>("DeleteAll"));
        moveOver(f.w<QWidget>("AppendFileList"));
        QTRY_COMPARE(boldOnes(f).size(), 7);

        // A bare spot is the window itself: no control lies there.
        const QPoint bare = bareSpot(&w);
        QVERIFY(!bare.isNull());
        moveOver(&w, bare);
        QTRY_VERIFY(boldOnes(f).isEmpty());

        // A move handed to the window over a control is the control's, not the background's.
        moveOver(f.w<QWidget>("Status"));
        QTRY_COMPARE(boldOnes(f), QStringList{"Status"});
        const auto moveOnWindow = [&w](QPoint at) {
            QMouseEvent move(QEvent::MouseMove, at, w.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(&w, &move);
        };
        moveOnWindow(f.w<QWidget>("Label4")->geometry().center());
        QCOMPARE(boldOnes(f), QStringList{"Status"});
        moveOnWindow(bare);
        QVERIFY(boldOnes(f).isEmpty());
    }

    // Bold captions keep every control where it was: nothing grows, nothing shifts.
    void boldCaptionsMoveNothing()
    {
        NavFixture f;
        f.addSong(QStringLiteral("CD01"), QStringLiteral("Song of the sea"));
        auto &w = f.load();
        w.showInAppendMode();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const auto places = [&w] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            QStringList out;
            for (const QWidget *c : w.findChildren<QWidget *>()) {
                if (c->isVisible() && !c->objectName().isEmpty()) {
                    const QRect r(c->mapTo(&w, QPoint()), c->size());
                    out << QStringLiteral("%1 %2,%3 %4x%5")
                               .arg(c->objectName())
                               .arg(r.x())
                               .arg(r.y())
                               .arg(r.width())
                               .arg(r.height());
                }
            }
            return out;
        };
        const QStringList before = places();
        for (const char *name : Emphasised)
            moveOver(f.w<QWidget>(name));
        QTRY_VERIFY(boldOnes(f).size() >= 6);
        QCOMPARE(places(), before);
        moveOver(&w, bareSpot(&w));
        QTRY_VERIFY(boldOnes(f).isEmpty());
        QCOMPARE(places(), before);
    }

    void helpAndProgramInformation()
    {
        NavFixture f;
        auto &w = f.load();
        auto *help = w.findChild<QAction *>(QStringLiteral("Help"));
        help->trigger();
        help->trigger();
        QCOMPARE(f.app.help.requests, QStringList(2, f.app.file(QStringLiteral("DizaRore.hlp"))));
        QCOMPARE(f.app.help.owners.value(0), &w);
        QVERIFY(f.app.dialogs.shown.isEmpty());

        f.app.help.error = QStringLiteral("The help file cannot be opened.");
        help->trigger();
        QCOMPARE(f.app.dialogs.shown.size(), 1);
        QCOMPARE(f.app.dialogs.shown[0].text, QStringLiteral("The help file cannot be opened."));
        QCOMPARE(f.app.dialogs.shown[0].title, QStringLiteral("Navigating through  Database - DizaRore"));
        QCOMPARE(f.app.dialogs.shown[0].icon, platform::Icon::None);

        w.findChild<QAction *>(QStringLiteral("About"))->trigger();
        QTest::mouseClick(f.w<QWidget>("Image1_2"), Qt::LeftButton);
        QTest::mouseClick(f.w<QWidget>("Label17_1"), Qt::LeftButton);
        QCOMPARE(f.nav.programInfo, QList<int>({0, 2, 1}));
    }

    void missingLogoPlaysNothingSilently()
    {
        NavFixture f;
        f.load();
        QCOMPARE(f.app.players.size() >= 2, true);
        QVERIFY(f.app.players[0]->calls.isEmpty());
        QVERIFY(f.app.dialogs.shown.isEmpty());
        f.window->LoadUserLogo();
        QVERIFY(f.app.dialogs.shown.isEmpty());
        QVERIFY(!f.app.players[1]->isPlaying());
    }

    void logoPlaysWhateverTheCaseOfItsName()
    {
        NavFixture f;
        const QString logo = f.app.file(QStringLiteral("PARVELLO.avi"));
        touch(logo);
        auto &w = f.load();
        QCOMPARE(f.app.players[0]->calls.value(0), QStringLiteral("open:") + logo);
        QVERIFY(f.app.players[0]->isPlaying());

        w.LoadUserLogo();
        QVERIFY(f.app.players[1]->isPlaying());
        QCOMPARE(f.app.players[1]->fileName(), logo);
        listmaker::MakeSListWindow &createList = f.nav.createListWindow();
        QCOMPARE(fake(createList.mediaPlayer1())->fileName(), logo);
        QVERIFY(fake(createList.mediaPlayer1())->isPlaying());
        // The create-list window's second player is given the file but never started.
        QCOMPARE(fake(createList.mediaPlayer2())->calls, QStringList{QStringLiteral("open-stopped:") + logo});
        QVERIFY(!fake(createList.mediaPlayer2())->isPlaying());
        QVERIFY(f.app.dialogs.shown.isEmpty());
    }
};

QTEST_MAIN(HoverHelpLogoTest)
#include "hoverhelplogo_test.moc"
