// SPDX-License-Identifier: GPL-3.0-or-later
#include "shellsamples.h"
#include "support/files.h"
#include "support/tempapp.h"

#include "platform/version.h"
#include "ui/adddatawindow.h"
#include "ui/mainwindow.h"
#include "ui/makeslistwindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace {

// The first reading is the start of loading; every later one is 12.4 ms on.
class LoadClock final : public platform::Clock
{
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 7), QTime(9, 30, 0)); }
    double milliseconds() const override { return m_read++ == 0 ? 1000.0 : 1012.4; }

private:
    mutable int m_read = 0;
};

struct Fixture
{
    Fixture() { window = std::make_unique<shell::MainWindow>(app.context(), state); }
    ~Fixture()
    {
        window.reset();
        // Windows closed during the test are deleted later.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    template <typename T = QWidget>
    T *child(const char *name) const
    {
        T *w = window->findChild<T *>(QLatin1String(name));
        if (!w)
            qWarning("no control %s", name);
        return w;
    }
    QString sessionFile() const { return app.file(QStringLiteral("populnv.ppl")); }

    TempApp app;
    shell::SharedState state;
    std::unique_ptr<shell::MainWindow> window;
};

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void controlsCarryTheirCaptionsAndTips_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tip");
        QTest::newRow("DisplayRecords") << "DisplayRecords" << "&Navigate" << "Navigate through the database";
        QTest::newRow("CreateRecordsToAppend")
            << "CreateRecordsToAppend" << "&Append" << "Create List to append in database";
        QTest::newRow("HelpMain") << "HelpMain" << "&Help" << "Quenmora help";
        QTest::newRow("Exitz") << "Exitz" << "&Exit" << "Exit this application";
        QTest::newRow("Image5") << "Image5" << "" << "Click to Exit";
        QTest::newRow("Image6") << "Image6" << "" << "Select Database File";
        QTest::newRow("Label6") << "Label6" << "Parvello" << "";
        QTest::newRow("Label7") << "Label7" << "" << "Quenmora Version";
        QTest::newRow("Label3") << "Label3" << "" << "This is loading time in ms";
        QTest::newRow("Label4") << "Label4" << platform::programVersion() << "Quenmora Version";
        QTest::newRow("Label2") << "Label2" << "" << "Popularity details";
        QTest::newRow("Label21") << "Label21" << "Welcome to Make DizaRore Database" << "Show Program Info";
        QTest::newRow("Image33") << "Image33" << "" << "Show Program Info";
        QTest::newRow("Option1_1") << "Option1_1" << "" << "pukarta chala gaya";
        QTest::newRow("Option1_0") << "Option1_0" << "" << "Close Music";
        QTest::newRow("Option2") << "Option2" << "" << "Select your own music";
        QTest::newRow("Image4") << "Image4" << "" << "Stop background music";
        QTest::newRow("Image11") << "Image11" << "" << "Play title song";
        QTest::newRow("MediaPlayer1") << "MediaPlayer1" << "" << "";
    }

    void controlsCarryTheirCaptionsAndTips()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, tip);
        Fixture f;
        QWidget *w = f.window->findChild<QWidget *>(name);
        QVERIFY(w);
        QCOMPARE(w->toolTip(), tip);
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            QCOMPARE(b->text(), caption);
        else if (auto *l = qobject_cast<QLabel *>(w))
            QCOMPARE(l->text(), caption);
    }

    void windowBeforeStart()
    {
        Fixture f;
        QCOMPARE(f.window->objectName(), QStringLiteral("Main"));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Quenmora (Zimbrel) - Main"));
        QCOMPARE(f.window->size(), QSize(582, 406));
        QVERIFY(f.window->hasMouseTracking());
        QVERIFY(!f.child("DisplayRecords")->isEnabled());
        QVERIFY(!f.child("CreateRecordsToAppend")->isEnabled());
        QVERIFY(!f.child("HelpMain")->isEnabled());
        QVERIFY(f.child("Exitz")->isEnabled());
        QCOMPARE(f.child<QLabel>("Image7")->pixmap().size(), QSize(87, 20));
        QCOMPARE(f.child<QLabel>("Image6")->pixmap().size(), QSize(87, 20));
        QCOMPARE(f.child<QLabel>("Image8_1")->pixmap().size(), QSize(80, 20));
        QCOMPARE(f.child<QLabel>("Image8_2")->pixmap().size(), QSize(80, 20));
        QCOMPARE(f.child<QLabel>("Image12")->pixmap().size(), QSize(582, 21));
        QCOMPARE(f.child<QLabel>("Image13")->pixmap().size(), QSize(582, 21));
        QCOMPARE(f.child<QLabel>("Label6")->font().family(), QStringLiteral("Times New Roman"));
        auto *timer = f.window->findChild<QTimer *>(QStringLiteral("Timer1"));
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 200);
        for (const char *name : {"Option1_1", "Option1_0", "Option2"}) {
            auto *option = f.child<QRadioButton>(name);
            QVERIFY(!option->isChecked());
            QCOMPARE(option->width(), 15);
        }
    }

    void startUpWithoutSessionFile()
    {
        Fixture f;
        f.window->start();
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.child<QLabel>("Label2")->text(), QStringLiteral("1"));
        QCOMPARE(f.child<QLabel>("Label7")->text(), QString());
        QCOMPARE(f.child<QLabel>("Label3")->text(), QString()); // the fake clock stood still
        QCOMPARE(f.window->cursor().shape(), Qt::ArrowCursor);
        for (const char *name : {"DisplayRecords", "CreateRecordsToAppend", "HelpMain", "Exitz"}) {
            auto *b = f.child<QPushButton>(name);
            QVERIFY2(b->isEnabled(), name);
            QCOMPARE(b->palette().color(QPalette::Button), QColor(0xC0, 0xFF, 0xC0));
        }
        auto *timer = f.window->findChild<QTimer *>(QStringLiteral("Timer1"));
        QVERIFY(!timer->isActive());
        QCOMPARE(timer->interval(), 0);

        // The other windows are loaded and stay hidden.
        for (const char *name : {"MakeSList", "AddData", "prginfo"}) {
            QWidget *w = topLevel(QLatin1String(name));
            QVERIFY2(w, name);
            QVERIFY2(!w->isVisible(), name);
        }
        QVERIFY(f.app.dialogs.shown.isEmpty());
        QVERIFY(!QFile::exists(f.sessionFile()));
    }

    void startUpCountsOnFromTheLastSession()
    {
        Fixture f;
        writeBytes(f.sessionFile(), ThreeSessions + " 32767 x y 1 \r\n");
        f.window->start();
        QCOMPARE(f.child<QLabel>("Label2")->text(), QStringLiteral("32768"));
        QCOMPARE(f.window->sessionNumber(), 32768);
        QVERIFY(f.child("DisplayRecords")->isEnabled());
    }

    void loadTimeIsShownInWholeMilliseconds()
    {
        Fixture f;
        LoadClock clock;
        f.app.context().clock = &clock;
        f.window->start();
        QCOMPARE(f.child<QLabel>("Label3")->text(), QStringLiteral("12"));
    }

    void startUpThatFailsLeavesOnlyExit()
    {
        Fixture f;
        writeBytes(f.sessionFile(), " 2147483647 x y 1 \r\n");
        f.window->start();
        QVERIFY(!f.child("DisplayRecords")->isEnabled());
        QVERIFY(!f.child("CreateRecordsToAppend")->isEnabled());
        QVERIFY(!f.child("HelpMain")->isEnabled());
        QVERIFY(f.child("Exitz")->isEnabled());
        QCOMPARE(f.child<QLabel>("Label7")->text(), QString());
        QVERIFY(f.child("Image8_1")->isVisible()); // only a missing file takes Load Logo away
        QCOMPARE(f.window->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(f.app.dialogs.shown.isEmpty());
    }

    void exitWritesOneRecord_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("Exitz") << "Exitz";
        QTest::newRow("Image5") << "Image5";
        QTest::newRow("close box") << "close";
    }

    void exitWritesOneRecord()
    {
        QFETCH(QString, way);
        Fixture f;
        f.window->start();
        f.app.clock.advanceSeconds(42);
        if (way == QLatin1String("close"))
            f.window->close();
        else
            QTest::mouseClick(f.window->findChild<QWidget *>(way), Qt::LeftButton);
        QCOMPARE(f.app.quitCode, 0);
        QCOMPARE(readAll(f.sessionFile()),
                 QByteArray(" 1            7 Dec 2026 09:30:00         7 Dec 2026 09:30:42          42 \r\n"));
        QVERIFY(f.app.dialogs.shown.isEmpty());
    }

    void exitLogsTheLengthBetweenTheWrittenTimes()
    {
        Fixture f;
        f.app.clock.current = QDateTime(QDate(2026, 12, 8), QTime(13, 49, 58, 900));
        f.window->start();
        f.app.clock.advanceMilliseconds(200);
        f.window->ExitApplication();
        QCOMPARE(readAll(f.sessionFile()),
                 QByteArray(" 1            8 Dec 2026 13:49:58         8 Dec 2026 13:49:59          1 \r\n"));
    }

    void exitAppendsToEarlierSessions()
    {
        Fixture f;
        writeBytes(f.sessionFile(), ThreeSessions);
        f.window->start();
        f.app.clock.advanceSeconds(5);
        f.window->ExitApplication();
        QCOMPARE(readAll(f.sessionFile()),
                 ThreeSessions + " 4            7 Dec 2026 09:30:00         7 Dec 2026 09:30:05          5 \r\n");
    }

    void exitWhenTheFileIsOpen()
    {
        Fixture f;
        f.window->start();
        f.window->sessionLog().setAppender([](const QString &, const QStringList &) {
            return platform::Failure{platform::err::FileAlreadyOpen, QStringLiteral("File already open")};
        });
        f.window->ExitApplication();
        QCOMPARE(f.app.dialogs.texts(), QStringList(QStringLiteral("Unexpected error has occured within the\r\n"
                                                                   "Program. Contact your Software vendor.\r\n"
                                                                   "Continued use of this package may lead\r\n"
                                                                   "to some other complications.")));
        QCOMPARE(f.app.dialogs.shown.at(0).icon, platform::Icon::Critical);
        QCOMPARE(f.app.dialogs.shown.at(0).title, QStringLiteral("Quenmora"));
        QCOMPARE(f.app.quitCode, 0);
        QVERIFY(!QFile::exists(f.sessionFile()));
    }

    void exitWhenTheFileCannotBeWritten()
    {
        Fixture f;
        QVERIFY(QDir().mkpath(f.sessionFile())); // a folder in the file's place
        f.window->start();
        f.window->ExitApplication();
        QVERIFY(f.app.dialogs.shown.isEmpty());
        QCOMPARE(f.app.quitCode, 0);
    }

    void bannerStartsAndStopsOnClick()
    {
        Fixture f;
        f.window->start();
        auto *timer = f.window->findChild<QTimer *>(QStringLiteral("Timer1"));
        auto *label6 = f.child<QLabel>("Label6");
        const int left = label6->x();
        QTest::qWait(0);
        QCOMPARE(label6->x(), left);

        QTest::mouseClick(f.child("Image12"), Qt::LeftButton);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 200);
        QTRY_VERIFY(label6->x() < left);
        QVERIFY(left - label6->x() >= 100 / 15);

        QTest::mouseClick(f.child("Image12"), Qt::LeftButton);
        QVERIFY(!timer->isActive());
        QCOMPARE(timer->interval(), 0);
    }

    void doubleClickOnTheBannerFlipsItOnce()
    {
        Fixture f;
        f.window->start();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        auto *timer = f.window->findChild<QTimer *>(QStringLiteral("Timer1"));
        QWidget *strip = f.child("Image12");
        f.child("Image13")->hide(); // as after the pointer crossed the cover
        const QPoint where = strip->geometry().center() + QPoint(120, 0);
        QCOMPARE(f.window->childAt(where), strip);
        // Through the window, so that the second press arrives as a double click.
        QTest::mouseDClick(f.window->windowHandle(), Qt::LeftButton, {}, where);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 200);
    }

    void hoverHidesCoversAndBackgroundRestoresThem()
    {
        Fixture f;
        f.window->start();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        const QPoint bare(300, 250);
        QCOMPARE(f.window->childAt(bare), nullptr);

        auto over = [&](const char *name) {
            QWidget *w = f.child(name);
            QTest::mouseMove(w, QPoint(w->width() / 2 + 1, w->height() / 2));
        };
        over("DisplayRecords");
        over("Exitz");
        QVERIFY(f.child("DisplayRecords")->font().bold());
        QVERIFY(f.child("Exitz")->font().bold());
        QVERIFY(!f.child("HelpMain")->font().bold());
        over("Image7");
        QVERIFY(f.child("Image7")->isHidden());
        over("Image13");
        QVERIFY(f.child("Image13")->isHidden());
        over("Image8_2");
        QVERIFY(f.child("Image8_2")->isHidden());

        over("Label4"); // another control is not the background
        QVERIFY(f.child("Image7")->isHidden());
        QVERIFY(f.child("Exitz")->font().bold());

        QTest::mouseMove(f.window.get(), bare);
        QVERIFY(!f.child("Image7")->isHidden());
        QVERIFY(!f.child("Image13")->isHidden());
        QVERIFY(!f.child("Image8_2")->isHidden());
        for (const char *name : {"DisplayRecords", "CreateRecordsToAppend", "HelpMain", "Exitz"})
            QVERIFY2(!f.child(name)->font().bold(), name);
    }

    void loadLogoIsUsedOnce()
    {
        Fixture f;
        f.window->start();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QTest::mouseClick(f.child("Image8_2"), Qt::LeftButton); // the dim cover does nothing
        QVERIFY(f.child("Image8_2")->isVisible());
        QVERIFY(f.child("Image8_1")->isVisible());

        QTest::mouseClick(f.child("Image8_1"), Qt::LeftButton);
        QVERIFY(f.child("Image8_1")->isHidden());
        QVERIFY(f.child("Image8_2")->isHidden());
        QCOMPARE(f.window->cursor().shape(), Qt::ArrowCursor);

        QTest::mouseMove(f.window.get(), QPoint(300, 250));
        QTest::mouseMove(f.window.get(), QPoint(301, 252));
        QVERIFY(f.child("Image8_2")->isHidden());
    }

    void navigateAndAppendSwitchWindows()
    {
        Fixture f;
        f.window->start();

        QTest::mouseClick(f.child("DisplayRecords"), Qt::LeftButton);
        QWidget *addData = topLevel(QStringLiteral("AddData"));
        QVERIFY(addData && addData->isVisible());
        QVERIFY(!f.window->isVisible());
        QVERIFY(!addData->findChild<QWidget *>(QStringLiteral("AppendFileList"))->isEnabled());
        QVERIFY(addData->findChild<QWidget *>(QStringLiteral("Label14"))->isHidden());

        QPointer<QWidget> closed = addData;
        addData->close(); // its close box goes back to the main window
        QVERIFY(f.window->isVisible());
        QTRY_VERIFY(closed.isNull());

        QTest::mouseClick(f.child("CreateRecordsToAppend"), Qt::LeftButton);
        QWidget *makeSList = topLevel(QStringLiteral("MakeSList"));
        QVERIFY(makeSList && makeSList->isVisible());
        QVERIFY(!f.window->isVisible());
        addData = topLevel(QStringLiteral("AddData")); // loaded again, not shown
        QVERIFY(addData && !addData->isVisible());
        auto *prompt = addData->findChild<QTimer *>(QStringLiteral("Timer1"));
        QVERIFY(prompt && prompt->isActive());
        QCOMPARE(prompt->interval(), 500);

        f.window->showMain();
        QVERIFY(f.window->isVisible());
    }

    void dataSourceNoticeThenHelp()
    {
        Fixture f;
        f.window->start();
        QTest::mousePress(f.child("Image6"), Qt::RightButton);
        QCOMPARE(f.app.dialogs.texts(),
                 QStringList(QStringLiteral("         MAKE DSN TO CHANGE DATABASE FILE\r\n\r\n"
                                            "For making DSN read the method 'How to make a DSN for\r\n"
                                            "my database' given in the 'Help' topics of this Quenmora.\r\n"
                                            "Name of DSN must be 'Orvandel'.")));
        QCOMPARE(f.app.dialogs.shown.at(0).icon, platform::Icon::Information);
        QCOMPARE(f.app.dialogs.shown.at(0).title, QStringLiteral("Quenmora"));
        QCOMPARE(f.app.help.requests, QStringList(f.app.file(QStringLiteral("DizaRore.hlp"))));
        QCOMPARE(f.app.help.owners.at(0), f.window.get());
    }

    void helpFailureIsShownUnderTheCaption()
    {
        Fixture f;
        f.window->start();
        QTest::mouseClick(f.child("HelpMain"), Qt::LeftButton);
        QCOMPARE(f.app.help.requests.size(), 1);
        QVERIFY(f.app.dialogs.shown.isEmpty());

        f.app.help.error = QStringLiteral("The help viewer is not there.");
        QTest::mouseClick(f.child("HelpMain"), Qt::LeftButton);
        QCOMPARE(f.app.dialogs.texts(), QStringList(QStringLiteral("The help viewer is not there.")));
        QCOMPARE(f.app.dialogs.shown.at(0).icon, platform::Icon::None);
        QCOMPARE(f.app.dialogs.shown.at(0).buttons, platform::Buttons::Ok);
        QCOMPARE(f.app.dialogs.shown.at(0).title, QStringLiteral("Quenmora (Zimbrel) - Main"));
    }

    void programInformationOpensNonModal()
    {
        Fixture f;
        f.window->start();
        QTest::mouseClick(f.child("Label21"), Qt::LeftButton);
        QWidget *info = topLevel(QStringLiteral("prginfo"));
        QVERIFY(info && info->isVisible());
        QVERIFY(!info->isModal());
        QVERIFY(f.window->isVisible());
        info->hide();
        QTest::mouseClick(f.child("Image33"), Qt::LeftButton);
        QVERIFY(info->isVisible());
        f.window->showProgramInfo(1);
        QCOMPARE(info->findChild<QTabWidget *>()->currentIndex(), 1);
        f.window->showProgramInfo(99);
        QCOMPARE(info->findChild<QTabWidget *>()->currentIndex(), 0);
    }

    void historyShowsNewestFirst()
    {
        Fixture f;
        writeBytes(f.sessionFile(), ThreeSessions);
        f.window->start();
        QTest::mouseClick(f.child("Label2"), Qt::LeftButton);
        QWidget *session = topLevel(QStringLiteral("Session"));
        QVERIFY(session && session->isVisible());
        QCOMPARE(session->windowTitle(), QStringLiteral("Zimbrel Popularity Count - Parvello"));
        QCOMPARE(session->findChild<QLabel *>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("Logged Sessions of Zimbrel"));
        QCOMPARE(session->findChild<QLabel *>(QStringLiteral("Label4"))->text(), QStringLiteral("Selected..."));
        auto *grid = session->findChild<QTableWidget *>(QStringLiteral("MSFlexGrid1"));
        QVERIFY(grid);

        const QStringList expected[] = {
            {"Session", "Start of Session", "End of Session", "Session Length", ""},
            {"Number", "Date & Time", "Date & Time", "Seconds", ""},
            {"3", "9 Dec 2026 11:00:00      ", "  9 Dec 2026 11:00:30    ", "30", ""},
            {"2", "8 Dec 2026 10:00:00      ", "  8 Dec 2026 10:00:20    ", "20", ""},
            {"1", "7 Dec 2026 09:30:00      ", "  7 Dec 2026 09:30:10    ", "10", ""},
            {"", "", "", "", ""},
        };
        QCOMPARE(grid->rowCount(), 6);
        QCOMPARE(grid->columnCount(), 5);
        for (int r = 0; r < 6; ++r) {
            for (int c = 0; c < 5; ++c)
                QCOMPARE(grid->item(r, c)->text(), expected[r].at(c));
        }
        // The four headed columns are centred throughout; the fifth is not headed.
        for (int r = 0; r < 6; ++r) {
            for (int c = 0; c < 4; ++c)
                QCOMPARE(grid->item(r, c)->textAlignment(), int(Qt::AlignCenter));
        }
        const QFontMetrics metrics = f.window->fontMetrics();
        QCOMPARE(grid->columnWidth(0), metrics.horizontalAdvance(QStringLiteral("ZZZZZZ")));
        QCOMPARE(grid->columnWidth(1), metrics.horizontalAdvance(QString(18, QLatin1Char('Z'))));
        QCOMPARE(grid->columnWidth(3), metrics.horizontalAdvance(QString(13, QLatin1Char('Z'))));

        auto *details = session->findChild<QLabel *>(QStringLiteral("Label2"));
        auto *total = session->findChild<QLabel *>(QStringLiteral("Label3"));
        const QString latest = QStringList(expected[2].mid(0, 4)).join(QStringLiteral("     "));
        QCOMPARE(details->text(), latest);
        QCOMPARE(total->text(), QStringLiteral("Total duration: 0day(s):00h:01m:00s (60 seconds)"));
        QCOMPARE(total->palette().color(QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(grid->currentRow(), 2);
        QVERIFY(grid->item(2, 1)->isSelected() && grid->item(2, 4)->isSelected());
        QVERIFY(!grid->item(3, 1)->isSelected());

        // A click shows that row.
        const QRect cell = grid->visualItemRect(grid->item(4, 2));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(details->text(), QStringList(expected[4].mid(0, 4)).join(QStringLiteral("     ")));
        QVERIFY(grid->item(4, 3)->isSelected());
        QVERIFY(!grid->item(2, 1)->isSelected());

        // The running session is never there, however often the history is opened.
        QTest::mouseClick(f.child("Label2"), Qt::LeftButton);
        QCOMPARE(grid->rowCount(), 6);
        QCOMPARE(details->text(), latest);
        QVERIFY(f.app.dialogs.shown.isEmpty());
    }

    void historyOfAnEmptyFile()
    {
        Fixture f;
        writeBytes(f.sessionFile(), QByteArray());
        f.window->start();
        QTest::mouseClick(f.child("Label2"), Qt::LeftButton);
        QWidget *session = topLevel(QStringLiteral("Session"));
        auto *grid = session->findChild<QTableWidget *>(QStringLiteral("MSFlexGrid1"));
        QCOMPARE(grid->rowCount(), 3);
        QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("Session"));
        QCOMPARE(grid->item(1, 3)->text(), QStringLiteral("Seconds"));
        QCOMPARE(grid->item(2, 0)->text(), QString());
        QCOMPARE(session->findChild<QLabel *>(QStringLiteral("Label3"))->text(),
                 QStringLiteral("Total duration: 0day(s):00h:00m:00s (0 seconds)"));
    }

    void historyOfAMissingFileKeepsWhatItShowed()
    {
        Fixture f;
        writeBytes(f.sessionFile(), ThreeSessions);
        f.window->start();
        QTest::mouseClick(f.child("Label2"), Qt::LeftButton);
        QVERIFY(QFile::remove(f.sessionFile()));
        QTest::mouseClick(f.child("Label2"), Qt::LeftButton);
        QCOMPARE(f.app.dialogs.texts(), QStringList(QStringLiteral("Error 53\r\nFile not found")));
        QCOMPARE(f.app.dialogs.shown.at(0).icon, platform::Icon::Critical);
        QCOMPARE(f.app.dialogs.shown.at(0).title, QStringLiteral("Quenmora"));
        QWidget *session = topLevel(QStringLiteral("Session"));
        QVERIFY(session->isVisible());
        QCOMPARE(session->findChild<QTableWidget *>(QStringLiteral("MSFlexGrid1"))->rowCount(), 6);
    }

    void soundControlsDriveOnePlayer()
    {
        Fixture f;
        const QString audio = f.app.file(QStringLiteral("Photographs/Audio"));
        QVERIFY(QDir().mkpath(audio));
        for (const char *name : {"/pukarta.mid", "/title.wav"}) {
            QFile file(audio + QLatin1String(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        f.window->start();
        FakePlayer *player = f.app.players.front(); // the main window's player comes first
        QVERIFY(player->calls.isEmpty()); // nothing plays at start

        QTest::mouseClick(f.child("Option1_1"), Qt::LeftButton);
        QVERIFY(f.child<QRadioButton>("Option1_1")->isChecked());
        QCOMPARE(player->fileName(), audio + QStringLiteral("/pukarta.mid"));
        QVERIFY(player->isPlaying());

        f.app.dialogs.queueFile(std::nullopt);
        QTest::mouseClick(f.child("Option2"), Qt::LeftButton);
        QCOMPARE(f.app.dialogs.opened.size(), 1);
        QCOMPARE(player->fileName(), audio + QStringLiteral("/pukarta.mid"));
        QVERIFY(player->isPlaying());
        QVERIFY(!f.child<QRadioButton>("Option1_1")->isChecked());

        QTest::mouseClick(f.child("Image11"), Qt::LeftButton);
        QCOMPARE(player->fileName(), audio + QStringLiteral("/title.wav"));
        QTest::mouseClick(f.child("Image4"), Qt::LeftButton);
        QVERIFY(!player->isPlaying());

        // Hiding the main window does not touch the music.
        QTest::mouseClick(f.child("Option1_1"), Qt::LeftButton);
        QTest::mouseClick(f.child("DisplayRecords"), Qt::LeftButton);
        QVERIFY(player->isPlaying());

        f.window->showMain();
        QTest::mouseClick(f.child("Option1_0"), Qt::LeftButton);
        QCOMPARE(player->fileName(), QString());
        QVERIFY(!player->isPlaying());
        QVERIFY(f.app.dialogs.shown.isEmpty());
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
