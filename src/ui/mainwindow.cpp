// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/mainwindow.h"

#include "platform/version.h"
#include "shell/loadtime.h"
#include "shell/mainsounds.h"
#include "ui/adddatawindow.h"
#include "ui/desktop/boldcaption.h"
#include "ui/desktop/busywork.h"
#include "ui/desktop/fixedcolours.h"
#include "ui/desktop/windowplacement.h"
#include "ui/mainpictures.h"
#include "ui/makeslistwindow.h"
#include "ui/picturelabel.h"
#include "ui/programinfowindow.h"
#include "ui/sessionwindow.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

namespace shell {

namespace {

const QColor ButtonColour(0xC0, 0xFF, 0xC0);
// The caption colour that goes with the buttons' fixed back colour.
const QColor ButtonTextColour(0, 0, 0);
const QColor LightText(226, 236, 244);

const QString DataSourceNotice = QStringLiteral(
    "         MAKE DSN TO CHANGE DATABASE FILE\r\n\r\n"
    "For making DSN read the method 'How to make a DSN for\r\n"
    "my database' given in the 'Help' topics of this Quenmora.\r\n"
    "Name of DSN must be 'Orvandel'.");

const QString SessionFileOpenText = QStringLiteral(
    "Unexpected error has occured within the\r\n"
    "Program. Contact your Software vendor.\r\n"
    "Continued use of this package may lead\r\n"
    "to some other complications.");

void setTextColour(QWidget *w, const QColor &colour)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, colour);
    w->setPalette(pal);
}

} // namespace

MainWindow::MainWindow(platform::AppContext &app, SharedState &state, QWidget *parent)
    : QMainWindow(parent)
    , m_app(app)
    , m_state(state)
    , m_sessionLog(app.file(QStringLiteral("populnv.ppl")))
    , m_sessionStart(app.clock->now())
    , m_banner(3500)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Quenmora (Zimbrel) - Main"));
    setWindowIcon(MainPictures::icon(MainPictures::Icon::Window, 32));
    setFixedSize(mainlayout::Client);
    setMouseTracking(true);
    m_background = MainPictures::background(devicePixelRatioF());

    buildControls();
    buildSoundControls();

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    // The banner runs from the moment the window exists until start-up stops it.
    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(m_banner.interval());
    connect(m_timer1, &QTimer::timeout, this, &MainWindow::Timer1_Timer);
    m_timer1->start();
}

MainWindow::~MainWindow()
{
    // The other windows are simply destroyed: none of their close handlers runs.
    delete m_makeSList;
    delete m_addData;
    delete m_session;
    delete m_prginfo;
}

void MainWindow::buildControls()
{
    using namespace mainlayout;
    const qreal ratio = devicePixelRatioF();

    m_image13 = makePicture("Image13", MainPictures::bannerStrip(false, ratio), BannerStrip);
    m_image12 = makePicture("Image12", MainPictures::bannerStrip(true, ratio), BannerStrip);
    m_image13->raise();
    m_label6 = new QLabel(QStringLiteral("Parvello"), this);
    m_label6->setObjectName(QStringLiteral("Label6"));
    QFont times(QStringLiteral("Times New Roman"));
    times.setStyleHint(QFont::Serif);
    times.setPointSize(12);
    times.setBold(true);
    m_label6->setFont(times);
    m_label6->setAlignment(Qt::AlignCenter);
    // Clicks on the text belong to the strip beneath it.
    m_label6->setAttribute(Qt::WA_TransparentForMouseEvents);
    placeBanner();

    m_image33 = makePicture("Image33", MainPictures::icon(MainPictures::Icon::Info, 20, ratio), Image33,
                            QStringLiteral("Show Program Info"));
    m_label21 = makeText("Label21", QStringLiteral("Welcome to Make DizaRore Database"), Label21,
                         QStringLiteral("Show Program Info"));
    QFont welcome = m_label21->font();
    welcome.setPointSize(13);
    welcome.setBold(true);
    m_label21->setFont(welcome);
    setTextColour(m_label21, QColor(246, 214, 128));
    m_image5 = makePicture("Image5", MainPictures::icon(MainPictures::Icon::Exit, 20, ratio), Image5,
                           QStringLiteral("Click to Exit"));

    m_displayRecords = makeButton("DisplayRecords", QStringLiteral("&Navigate"),
                                  QStringLiteral("Navigate through the database"), 0);
    m_createRecordsToAppend = makeButton("CreateRecordsToAppend", QStringLiteral("&Append"),
                                         QStringLiteral("Create List to append in database"), 1);
    m_helpMain = makeButton("HelpMain", QStringLiteral("&Help"), QStringLiteral("Quenmora help"), 2);
    m_exitz = makeButton("Exitz", QStringLiteral("&Exit"), QStringLiteral("Exit this application"), 3);
    m_displayRecords->setEnabled(false);
    m_createRecordsToAppend->setEnabled(false);
    m_helpMain->setEnabled(false);

    const auto plate = [ratio](const char *word, QSize size, bool lit) {
        return MainPictures::wordPlate(QLatin1String(word), size, lit, ratio);
    };
    m_image6 = makePicture("Image6", plate("Database", Image6.size(), true), Image6,
                           QStringLiteral("Select Database File"));
    m_image7 = makePicture("Image7", plate("Select", Image6.size(), false), Image6);
    m_image8_1 = makePicture("Image8_1", plate("Load Logo", Image8.size(), true), Image8);
    m_image8_2 = makePicture("Image8_2", plate("Load Logo", Image8.size(), false), Image8);
    m_image8_1->setCursor(Qt::PointingHandCursor);
    m_image6->setCursor(Qt::PointingHandCursor);
    m_image12->setCursor(Qt::PointingHandCursor);

    m_label7 = makeText("Label7", QString(), Label7, QStringLiteral("Quenmora Version"));
    m_label3 = makeText("Label3", QString(), Label3, QStringLiteral("This is loading time in ms"));
    m_label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_label4 = makeText("Label4", platform::programVersion(), Label4, QStringLiteral("Quenmora Version"));
    m_label4->setAlignment(Qt::AlignCenter);
    m_label2 = makeText("Label2", QString(), Label2, QStringLiteral("Popularity details"));
    m_label2->setAlignment(Qt::AlignCenter);
    m_label2->setCursor(Qt::PointingHandCursor);
    m_label21->setCursor(Qt::PointingHandCursor);
    QFont footer = m_label2->font();
    footer.setBold(true);
    m_label2->setFont(footer);
    m_label4->setFont(footer);
    m_label3->setFont(footer);

    // The covers lie over what they hide and the banner text over both strips.
    m_image7->raise();
    m_image8_2->raise();
    m_label6->raise();
    for (QWidget *w : {static_cast<QWidget *>(m_image7), static_cast<QWidget *>(m_image13),
                       static_cast<QWidget *>(m_image8_2)}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }

    // Showing a working window may load it, which opens the connection anew:
    // never beside background work.
    connect(m_displayRecords, &QPushButton::clicked, this, platform::unlessBusy([this] { DisplayRecords_Click(); }));
    connect(m_createRecordsToAppend, &QPushButton::clicked, this,
            platform::unlessBusy([this] { CreateRecordsToAppend_Click(); }));
    connect(m_helpMain, &QPushButton::clicked, this, &MainWindow::HelpMain_Click);
    connect(m_exitz, &QPushButton::clicked, this, &MainWindow::ExitApplication);
    connect(m_image5, &PictureLabel::clicked, this, &MainWindow::ExitApplication);
    connect(m_image6, &PictureLabel::pressed, this, &MainWindow::Image6_MouseDown);
    connect(m_image8_1, &PictureLabel::clicked, this, &MainWindow::Image8_1_Click);
    connect(m_image12, &PictureLabel::clicked, this, &MainWindow::Image12_Click);
    connect(m_image33, &PictureLabel::clicked, this, [this] { showProgramInfo(0); });
    connect(m_label21, &PictureLabel::clicked, this, [this] { showProgramInfo(0); });
    connect(m_label2, &PictureLabel::clicked, this, &MainWindow::Label2_Click);
}

void MainWindow::buildSoundControls()
{
    using namespace mainlayout;
    const qreal ratio = devicePixelRatioF();

    // The player only sounds; its place on the window stays hidden, as a picture
    // of a chosen video has no room here.
    auto *surface = new QWidget(this);
    surface->setObjectName(QStringLiteral("MediaPlayer1"));
    surface->setGeometry(Image11Left + 30, SoundTop, 20, 20);
    surface->hide();
    m_mediaPlayer1 = m_app.makePlayer(surface);
    m_sounds = std::make_unique<MainSounds>(*m_mediaPlayer1, *m_app.dialogs,
                                            m_app.file(QStringLiteral("Photographs/Audio")));

    auto *group = new QButtonGroup(this);
    group->setExclusive(true);
    auto option = [&](const char *name, int left, const QString &tip) {
        auto *b = new QRadioButton(this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(left, SoundTop, 15, 20);
        b->setToolTip(tip);
        group->addButton(b);
        return b;
    };
    m_option1_1 = option("Option1_1", Option1_1Left, QStringLiteral("pukarta chala gaya"));
    m_option1_0 = option("Option1_0", Option1_0Left, QStringLiteral("Close Music"));
    m_option2 = option("Option2", Option2Left, QStringLiteral("Select your own music"));
    m_image4 = makePicture("Image4", MainPictures::icon(MainPictures::Icon::Stop, 20, ratio),
                           QRect(Image4Left, SoundTop, 20, 20), QStringLiteral("Stop background music"));
    m_image11 = makePicture("Image11", MainPictures::icon(MainPictures::Icon::Title, 20, ratio),
                            QRect(Image11Left, SoundTop, 20, 20), QStringLiteral("Play title song"));
    for (QWidget *w : {static_cast<QWidget *>(m_image4), static_cast<QWidget *>(m_image11),
                       static_cast<QWidget *>(m_image5), static_cast<QWidget *>(m_image33)})
        w->setCursor(Qt::PointingHandCursor);

    connect(m_option1_1, &QRadioButton::clicked, this, [this] { m_sounds->Option1_Click(1); });
    connect(m_option1_0, &QRadioButton::clicked, this, [this] { m_sounds->Option1_Click(0); });
    connect(m_option2, &QRadioButton::clicked, this, [this] { m_sounds->Option2_Click(); });
    connect(m_image4, &PictureLabel::clicked, this, [this] { m_sounds->Image4_Click(); });
    connect(m_image11, &PictureLabel::clicked, this, [this] { m_sounds->Image11_Click(); });
}

QPushButton *MainWindow::makeButton(const char *name, const QString &caption, const QString &tip, int row)
{
    auto *b = new QPushButton(caption, this);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(tip);
    b->setGeometry(mainlayout::DisplayRecords.translated(0, row * mainlayout::ButtonSpacing));
    b->setMouseTracking(true);
    b->installEventFilter(this);
    platform::reserveBoldRoom(b);
    return b;
}

PictureLabel *MainWindow::makePicture(const char *name, const QPixmap &picture, const QRect &where, const QString &tip)
{
    auto *l = new PictureLabel(this);
    l->setObjectName(QLatin1String(name));
    l->setPixmap(picture);
    l->setGeometry(where);
    l->setToolTip(tip);
    return l;
}

PictureLabel *MainWindow::makeText(const char *name, const QString &text, const QRect &where, const QString &tip)
{
    auto *l = new PictureLabel(this);
    l->setObjectName(QLatin1String(name));
    l->setText(text);
    l->setGeometry(where);
    l->setToolTip(tip);
    setTextColour(l, LightText);
    return l;
}

void MainWindow::start()
{
    show();
    // Let the window appear before the slow part begins.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_sessionStart = m_app.clock->now();
    setCursor(Qt::WaitCursor);

    const platform::Failure failure = loadEverything();
    if (failure.number == platform::err::FileNotFound) {
        m_image8_2->hide();
        m_image8_1->hide();
    }
    m_label7->clear();
    unsetCursor();
}

platform::Failure MainWindow::loadEverything()
{
    const double t0 = m_app.clock->milliseconds();
    if (const platform::Failure f = ReadSessionNumber(); f.isSet())
        return f;

    setStatus(QStringLiteral("Loading Append System"));
    createListWindow();
    setStatus(QStringLiteral("Loading Navigation System"));
    navigationWindow();
    setStatus(QStringLiteral("Reading Program Information"));
    programInfoWindow();

    const double t1 = m_app.clock->milliseconds();
    m_label3->setText(loadTimeText(t1 - t0));

    m_createRecordsToAppend->setEnabled(true);
    m_displayRecords->setEnabled(true);
    m_helpMain->setEnabled(true);
    colourButtons(ButtonColour);
    Image12_Click();
    return {};
}

platform::Failure MainWindow::ReadSessionNumber()
{
    const SessionNumber next = m_sessionLog.nextSessionNumber();
    m_sessionNumber = next.value;
    if (next.failure.isSet())
        return next.failure;
    m_label2->setText(QString::number(m_sessionNumber));
    return {};
}

void MainWindow::setStatus(const QString &text)
{
    m_label7->setText(text);
    m_label7->repaint();
}

void MainWindow::colourButtons(const QColor &colour)
{
    for (QPushButton *b : {m_createRecordsToAppend, m_displayRecords, m_helpMain, m_exitz})
        platform::setFixedColours(b, colour, ButtonTextColour);
}

void MainWindow::showMain()
{
    show();
    raise();
    activateWindow();
}

void MainWindow::showProgramInfo(int entry)
{
    ProgramInfoWindow &info = programInfoWindow();
    info.showEntry(entry);
    platform::showFitted(&info, this);
}

ProgramInfoWindow &MainWindow::programInfoWindow()
{
    if (!m_prginfo)
        m_prginfo = new ProgramInfoWindow;
    return *m_prginfo;
}

listmaker::MakeSListWindow &MainWindow::createListWindow()
{
    if (!m_makeSList) {
        m_makeSList = new listmaker::MakeSListWindow(m_app, m_state, *this);
        m_makeSList->setAttribute(Qt::WA_DeleteOnClose);
    }
    return *m_makeSList;
}

songdb::AddDataWindow &MainWindow::navigationWindow()
{
    if (!m_addData) {
        m_addData = new songdb::AddDataWindow(m_app, m_state, *this);
        m_addData->setAttribute(Qt::WA_DeleteOnClose);
    }
    return *m_addData;
}

void MainWindow::ExitApplication()
{
    const platform::Failure f = m_sessionLog.appendSession(m_sessionNumber, m_sessionStart, m_app.clock->now());
    if (f.number == platform::err::FileAlreadyOpen) {
        platform::Message m;
        m.text = SessionFileOpenText;
        m.icon = platform::Icon::Critical;
        m_app.dialogs->message(m);
    }
    m_app.quit(0);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Leaving always goes through ExitApplication, which ends the program itself.
    event->ignore();
    ExitApplication();
}

void MainWindow::paintEvent(QPaintEvent *)
{
    // Moved to a screen of another pixel ratio, the picture is drawn afresh for it.
    if (!qFuzzyCompare(m_background.devicePixelRatio(), devicePixelRatioF()))
        m_background = MainPictures::background(devicePixelRatioF());
    QPainter p(this);
    p.drawPixmap(0, 0, m_background);
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    // Only the bare window counts as background, not the controls on it.
    if (!childAt(event->position().toPoint()))
        restoreHover();
    QMainWindow::mouseMoveEvent(event);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        if (watched == m_image7)
            m_image7->hide();
        else if (watched == m_image13)
            m_image13->hide();
        else if (watched == m_image8_2)
            m_image8_2->hide();
        else if (auto *button = qobject_cast<QPushButton *>(watched))
            platform::setBoldCaption(button, true);
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::restoreHover()
{
    for (QPushButton *b : {m_displayRecords, m_createRecordsToAppend, m_helpMain, m_exitz})
        platform::setBoldCaption(b, false);
    m_image7->show();
    m_image13->show();
    if (!m_image8_1->isHidden())
        m_image8_2->show();
}

void MainWindow::DisplayRecords_Click()
{
    navigationWindow().showInBrowseMode();
    hide();
}

void MainWindow::CreateRecordsToAppend_Click()
{
    platform::showFitted(&createListWindow(), this);
    hide();
    navigationWindow().setPromptInterval(500);
}

void MainWindow::HelpMain_Click()
{
    showHelpContents();
}

void MainWindow::showHelpContents()
{
    m_app.showHelp(this);
}

void MainWindow::Image6_MouseDown()
{
    platform::Message m;
    m.text = DataSourceNotice;
    m.icon = platform::Icon::Information;
    m_app.dialogs->message(m);
    showHelpContents();
}

void MainWindow::Image8_1_Click()
{
    setCursor(Qt::WaitCursor);
    navigationWindow().LoadUserLogo();
    m_image8_2->hide();
    m_image8_1->hide();
    unsetCursor();
}

void MainWindow::Image12_Click()
{
    const int interval = m_banner.toggle();
    m_timer1->setInterval(interval);
    if (interval > 0)
        m_timer1->start();
    else
        m_timer1->stop();
}

void MainWindow::Timer1_Timer()
{
    m_banner.step();
    placeBanner();
}

void MainWindow::placeBanner()
{
    QRect r = mainlayout::Label6;
    r.moveLeft(Banner::pixels(m_banner.leftTwips()));
    m_label6->setGeometry(r);
    const qint32 c = m_banner.colour();
    setTextColour(m_label6, QColor(Banner::red(c), Banner::green(c), Banner::blue(c)));
}

void MainWindow::Label2_Click()
{
    if (!m_session)
        m_session = new SessionWindow;
    platform::showFitted(m_session, this);

    const SessionHistory history = m_sessionLog.readHistory();
    if (history.failure.isSet()) {
        platform::Message m;
        m.text = QStringLiteral("Error ") + QString::number(history.failure.number) + QStringLiteral("\r\n")
                 + history.failure.description;
        m.icon = platform::Icon::Critical;
        m_app.dialogs->message(m);
        return;
    }
    m_session->display(history, fontMetrics());
}

} // namespace shell
