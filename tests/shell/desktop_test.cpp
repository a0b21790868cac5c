// SPDX-License-Identifier: GPL-3.0-or-later
#include "shellsamples.h"
#include "support/readability.h"
#include "support/tempapp.h"
#include "support/virtualscreen.h"

#include "ui/helpwindow.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>

// The main window and the windows it opens, as a person sees them: every text
// readable in a dark palette (a light one shows the colours as designed), the
// information windows closed from the keyboard, and every window within a
// small screen at twice the scale.

namespace {

struct Fixture
{
    Fixture()
    {
        QFile session(app.file(QStringLiteral("populnv.ppl")));
        if (session.open(QIODevice::WriteOnly))
            session.write(ThreeSessions);
        session.close();
        window = std::make_unique<shell::MainWindow>(app.context(), state);
        window->start();
        // The main window is in front before anything opens over it.
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("the main window did not become active");
    }
    ~Fixture()
    {
        help.reset();
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Opens one of the windows the main window leads to, the way a person does.
    QWidget *open(const QString &name)
    {
        if (name == QLatin1String("Main")) {
            return window.get();
        } else if (name == QLatin1String("prginfo")) {
            QTest::mouseClick(window->findChild<QWidget *>(QStringLiteral("Label21")), Qt::LeftButton);
        } else if (name == QLatin1String("Session")) {
            QTest::mouseClick(window->findChild<QWidget *>(QStringLiteral("Label2")), Qt::LeftButton);
        } else if (name == QLatin1String("HelpViewer")) {
            if (!help)
                help = std::make_unique<shell::HelpWindowViewer>();
            help->showContents(QStringLiteral(QUENMORA_SOURCE_DIR "/help/DizaRore.hlp"), window.get());
        }
        return topLevel(name);
    }

    TempApp app;
    shell::SharedState state;
    std::unique_ptr<shell::MainWindow> window;
    std::unique_ptr<shell::HelpWindowViewer> help;
};

} // namespace

class DesktopTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QApplication::setPalette(QApplication::style()->standardPalette()); }

    void everyTextReadsInADarkPalette_data()
    {
        QTest::addColumn<QString>("window");
        for (const char *name : {"Main", "prginfo", "Session", "HelpViewer"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void everyTextReadsInADarkPalette()
    {
        QFETCH(QString, window);
        QApplication::setPalette(darkerPalette());
        Fixture f;
        QWidget *w = f.open(window);
        QVERIFY(w);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QVERIFY(!textContrasts(w).isEmpty());
        const QStringList poor = poorlyReadable(w);
        QVERIFY2(poor.isEmpty(), qPrintable(poor.join(QLatin1Char('\n'))));
    }

    void informationWindowsCloseFromTheKeyboard_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QKeySequence>("keys");
        for (const char *name : {"prginfo", "Session", "HelpViewer"}) {
            QTest::addRow("%s Escape", name) << QString::fromLatin1(name) << QKeySequence(Qt::Key_Escape);
            QTest::addRow("%s Ctrl+W", name) << QString::fromLatin1(name) << QKeySequence(Qt::CTRL | Qt::Key_W);
        }
    }

    void informationWindowsCloseFromTheKeyboard()
    {
        QFETCH(QString, window);
        QFETCH(QKeySequence, keys);
        Fixture f;
        QWidget *w = f.open(window);
        QVERIFY(w);
        // A window over the main window counts as active with it; wait for its own turn.
        QTRY_COMPARE(QApplication::activeWindow(), w);
        QTest::keySequence(w, keys);
        QTRY_VERIFY(!w->isVisible());
        QVERIFY(f.window->isVisible());
        // Opened again, it comes back as it was.
        QCOMPARE(f.open(window), w);
        QVERIFY(w->isVisible());
    }

    // The test screen is 1000 x 700 pixels at twice the scale: 500 x 350 in the windows' units.
    void windowsFitTheScreen_data()
    {
        QTest::addColumn<QString>("window");
        for (const char *name : {"prginfo", "Session", "HelpViewer"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void windowsFitTheScreen()
    {
        QFETCH(QString, window);
        Fixture f;
        const QRect available = f.window->screen()->availableGeometry();
        QCOMPARE(available.size(), QSize(500, 350));
        QWidget *w = f.open(window);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QVERIFY2(available.contains(w->frameGeometry()), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                        .arg(w->frameGeometry().x())
                                                                        .arg(w->frameGeometry().y())
                                                                        .arg(w->frameGeometry().width())
                                                                        .arg(w->frameGeometry().height())));
        QVERIFY(w->minimumSize().width() <= available.width() && w->minimumSize().height() <= available.height());
        // Centred on the main window.
        QVERIFY((w->frameGeometry().center() - f.window->frameGeometry().center()).manhattanLength() <= 4);

        // Made smaller, moved and shown again, it stays where the person left it.
        w->hide();
        w->resize(w->minimumSize().expandedTo(QSize(200, 150)));
        w->move(available.topLeft() + QPoint(3, 5));
        const QRect left = w->frameGeometry();
        QCOMPARE(f.open(window), w);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QCOMPARE(w->frameGeometry(), left);
    }
};

// A small screen at twice the scale, which the windows must fit.
int main(int argc, char *argv[])
{
    return execOnScreen<DesktopTest>(argc, argv, 500, 350, 2);
}

#include "desktop_test.moc"
