// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/readability.h"
#include "support/tempapp.h"
#include "support/virtualscreen.h"

#include "ui/adddatawindow.h"
#include "ui/mainwindow.h"
#include "ui/makeslistwindow.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// The navigation and Create File List windows as a person meets them: opened
// from the main window on a screen of 1600 x 1200 pixels at twice the scale
// (800 x 600 in the windows' units), read in a dark palette, used from the keyboard.

namespace {

const QString LongTitle = QStringLiteral("Driving through the long night with the windows down");

QString rect(const QRect &r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

struct Fixture
{
    Fixture()
    {
        // A medium with a long name among the drives: it must not widen the window.
        const QString longMedium = QStringLiteral("/media/someone/The very long volume label of a removable disk");
        app.drives.drives = {{QStringLiteral("/"), QString(), QStringLiteral("/")},
            {longMedium, QStringLiteral("Holiday"), longMedium + QStringLiteral(" [Holiday]")}};
        // Two records, one with values longer than their boxes.
        app.addRecord({QStringLiteral("ER_ROAD_TRIP_FINAL_SELECTION"), QStringLiteral("E:\\Music\\Road trip"),
            LongTitle, QStringLiteral("mp3"), QStringLiteral("7340032"), QStringLiteral("12/08/2026 21:14:05"),
            QStringLiteral("The Very Long Band Name Orchestra"), QStringLiteral("2"), QString(), QString()});
        app.addRecord({QStringLiteral("CD01"), QStringLiteral("D:\\"), QStringLiteral("Morning"), QStringLiteral("mp3"),
            QStringLiteral("4194304"), QStringLiteral("12/08/2026 21:15:40"), QStringLiteral("Solo"),
            QStringLiteral("2"), QStringLiteral("Wedding"), QStringLiteral("Lent")});
        main = std::make_unique<shell::MainWindow>(app.context(), state);
        main->start();
        if (!QTest::qWaitForWindowActive(main.get()))
            qWarning("the main window did not become active");
    }
    ~Fixture()
    {
        main.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    songdb::AddDataWindow &navigation()
    {
        QTest::mouseClick(main->findChild<QPushButton *>(QStringLiteral("DisplayRecords")), Qt::LeftButton);
        return main->navigationWindow();
    }
    listmaker::MakeSListWindow &createList()
    {
        QTest::mouseClick(main->findChild<QPushButton *>(QStringLiteral("CreateRecordsToAppend")), Qt::LeftButton);
        return main->createListWindow();
    }
    // A list of three files made in the Create File List window.
    listmaker::MakeSListWindow &madeList()
    {
        listmaker::MakeSListWindow &w = createList();
        for (const char *name : {"b song.mp3", "a song.mp3", "c song.mp3"}) {
            QFile file(media.filePath(QLatin1String(name)));
            if (file.open(QIODevice::WriteOnly))
                file.write("x");
        }
        w.findChild<QObject *>(QStringLiteral("Dir1"))->setProperty("path", media.path());
        w.findChild<QLineEdit *>(QStringLiteral("Text3"))->setText(QStringLiteral("CD02"));
        w.findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("Harbour Choir"));
        w.findChild<QPushButton *>(QStringLiteral("AddList"))->click();
        return w;
    }
    // The navigation window as the Create File List window hands a list over to it.
    songdb::AddDataWindow &appendMode()
    {
        madeList().findChild<QPushButton *>(QStringLiteral("AddToAccess"))->click();
        return main->navigationWindow();
    }

    template <typename T = QWidget> static T *child(QWidget *w, const char *name)
    {
        T *found = w->findChild<T *>(QLatin1String(name));
        if (!found)
            qWarning("no control %s", name);
        return found;
    }

    TempApp app;
    QTemporaryDir media;
    shell::SharedState state;
    std::unique_ptr<shell::MainWindow> main;
};

// Opens one of the ways the windows are seen, named by the data rows below.
QWidget *openAs(Fixture &f, const QString &view)
{
    if (view.startsWith(QLatin1String("MakeSList"))) {
        listmaker::MakeSListWindow &w = f.madeList();
        auto *sortList = Fixture::child<QPushButton>(&w, "SortList");
        if (view.endsWith(QLatin1String("sorted"))) {
            sortList->click();
        } else if (view.endsWith(QLatin1String("list-x"))) {
            sortList->click();
            sortList->click();
        } else if (view.endsWith(QLatin1String("editing"))) {
            Fixture::child<QPushButton>(&w, "EditList4")->click();
            Fixture::child<QListWidget>(&w, "List4")->setCurrentRow(1);
        }
        return &w;
    }
    if (view.startsWith(QLatin1String("AddData append"))) {
        songdb::AddDataWindow &w = f.appendMode();
        auto *prompt = Fixture::child<QLabel>(&w, "Label14");
        if (view.endsWith(QLatin1String("red"))) {
            // The prompt's timer ticks until it shows red.
            auto *timer = Fixture::child<QTimer>(&w, "Timer1");
            for (int tick = 0; tick < 2 && prompt->palette().color(QPalette::WindowText).hslHue() != 0; ++tick)
                QMetaObject::invokeMethod(timer, "timeout");
        } else if (view.endsWith(QLatin1String("appended"))) {
            f.app.dialogs.queueAnswer(platform::Button::Ok);
            Fixture::child<QPushButton>(&w, "AppendFileList")->click();
        }
        return &w;
    }
    songdb::AddDataWindow &w = f.navigation();
    Fixture::child<QPushButton>(&w, "ShowAll")->click();
    if (view.endsWith(QLatin1String("editing"))) {
        Fixture::child<QPushButton>(&w, "EditRecord")->click();
    } else if (view.endsWith(QLatin1String("found"))) {
        Fixture::child<QLineEdit>(&w, "Text2")->setText(QStringLiteral("o"));
        Fixture::child<QPushButton>(&w, "Find")->click();
    }
    return &w;
}

QStringList views()
{
    return {QStringLiteral("AddData"), QStringLiteral("AddData editing"), QStringLiteral("AddData found"),
        QStringLiteral("AddData append"), QStringLiteral("AddData append red"),
        QStringLiteral("AddData append appended"), QStringLiteral("MakeSList"), QStringLiteral("MakeSList sorted"),
        QStringLiteral("MakeSList list-x"), QStringLiteral("MakeSList editing")};
}

// The letter Alt takes a caption to, lower case; empty without one.
QString mnemonicOf(const QString &caption)
{
    const QKeySequence key = QKeySequence::mnemonic(caption);
    return key.isEmpty() ? QString() : key.toString().section(QLatin1Char('+'), -1).toLower();
}

} // namespace

class WorkWindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QApplication::setPalette(QApplication::style()->standardPalette()); }

    void everyTextReadsInADarkPalette_data()
    {
        QTest::addColumn<QString>("view");
        for (const QString &view : views())
            QTest::newRow(qPrintable(view)) << view;
    }

    void everyTextReadsInADarkPalette()
    {
        QFETCH(QString, view);
        QApplication::setPalette(darkerPalette());
        Fixture f;
        QWidget *w = openAs(f, view);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QVERIFY(!textContrasts(w).isEmpty());
        const QStringList poor = poorlyReadable(w);
        QVERIFY2(poor.isEmpty(), qPrintable(poor.join(QLatin1Char('\n'))));
    }

    // In a light palette every fixed colour of a window shows exactly as chosen.
    void fixedColoursStayInALightPalette_data()
    {
        QTest::addColumn<QString>("view");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QColor>("colour");
        const QColor navy(0, 0, 128);
        const QColor darkRed(128, 0, 0);
        const QColor red(255, 0, 0);
        const auto row = [](const char *name, const char *view, const char *control, const QColor &colour) {
            QTest::newRow(name) << QString::fromLatin1(view) << QString::fromLatin1(control) << colour;
        };
        row("heading", "AddData", "Label6", navy);
        row("locked title", "AddData", "Text5", darkRed);
        row("locked status", "AddData", "Text12", darkRed);
        row("open artist", "AddData editing", "Text9", red);
        row("open occasion", "AddData editing", "Text8", red);
        row("found results caption", "AddData found", "Frame1", QColor(0, 0, 255));
        row("prompt", "AddData append red", "Label14", red);
        row("prompt after the append", "AddData append appended", "Label14", navy);
        row("sequential list", "MakeSList", "List1", QColor(Qt::black));
        row("sorted list", "MakeSList sorted", "List2", QColor(Qt::blue));
        row("List-x", "MakeSList list-x", "List3", QColor(128, 0, 128));
        row("edited list", "MakeSList editing", "List4", QColor(Qt::white));
    }

    void fixedColoursStayInALightPalette()
    {
        QFETCH(QString, view);
        QFETCH(QString, control);
        QFETCH(QColor, colour);
        Fixture f;
        QWidget *w = openAs(f, view);
        QWidget *c = w->findChild<QWidget *>(control);
        QVERIFY(c);
        // Boxes and lists draw their text in the palette's text colour.
        const bool textRole = qobject_cast<QLineEdit *>(c) || qobject_cast<QAbstractItemView *>(c);
        QCOMPARE(c->palette().color(QPalette::Active, textRole ? QPalette::Text : c->foregroundRole()), colour);
    }

    void windowsFitTheScreen_data()
    {
        QTest::addColumn<QString>("view");
        QTest::newRow("navigation") << QStringLiteral("AddData");
        QTest::newRow("navigation for an append") << QStringLiteral("AddData append");
        QTest::newRow("Create File List") << QStringLiteral("MakeSList");
    }

    void windowsFitTheScreen()
    {
        QFETCH(QString, view);
        Fixture f;
        const QRect available = f.main->screen()->availableGeometry();
        QCOMPARE(available.size(), QSize(800, 600));
        const QRect mainFrame = f.main->frameGeometry();
        QWidget *w = openAs(f, view);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const QRect frame = w->frameGeometry();
        QVERIFY2(available.contains(frame), qPrintable(rect(frame)));
        QVERIFY2(w->minimumSize().width() <= available.width() && w->minimumSize().height() <= available.height(),
            qPrintable(rect(QRect(QPoint(), w->minimumSize()))));
        // Its minimum is the layout's own: the screen did not have to cut it down.
        QCOMPARE(w->minimumSize(), w->minimumSizeHint().expandedTo(w->minimumSize()));
        // Centred on the main window, as far as the screen lets it.
        const QPoint off = frame.center() - mainFrame.center();
        QVERIFY2(qAbs(off.x()) <= 4 || frame.left() == available.left() || frame.right() == available.right(),
            qPrintable(rect(frame)));
        QVERIFY2(qAbs(off.y()) <= 4 || frame.top() == available.top() || frame.bottom() == available.bottom(),
            qPrintable(rect(frame)));

        // Made smaller, moved and shown again, it stays where the person left it.
        w->hide();
        w->resize(w->minimumSize());
        w->move(available.topLeft() + QPoint(3, 5));
        const QRect left = w->frameGeometry();
        f.main->show();
        QWidget *again = openAs(f, QStringLiteral("MakeSList") == view ? view : QStringLiteral("AddData"));
        QCOMPARE(again, w);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QCOMPARE(w->frameGeometry(), left);
    }

    // At the window's smallest each record box still shows a dozen
    // characters; a value shows from its start, whole in the tool tip when it does not fit.
    void recordBoxesShowTheirValues()
    {
        Fixture f;
        QWidget *w = openAs(f, QStringLiteral("AddData"));
        QVERIFY(QTest::qWaitForWindowExposed(w));
        w->resize(w->minimumSize());
        QTRY_COMPARE(w->size(), w->minimumSize());
        const QStringList boxes
            = {QStringLiteral("txtID"), QStringLiteral("Text1"), QStringLiteral("Text3"), QStringLiteral("Text4"),
                QStringLiteral("Text5"), QStringLiteral("Text6"), QStringLiteral("Text7"), QStringLiteral("Text8"),
                QStringLiteral("Text9"), QStringLiteral("Text10"), QStringLiteral("Text11"), QStringLiteral("Text12")};
        for (const QString &name : boxes) {
            auto *box = w->findChild<QLineEdit *>(name);
            QVERIFY(box);
            const int dozen = box->fontMetrics().horizontalAdvance(QString(12, QLatin1Char('x')));
            QVERIFY2(box->width() >= dozen, qPrintable(name + QStringLiteral(": ") + QString::number(box->width())));
        }
        auto *title = w->findChild<QLineEdit *>(QStringLiteral("Text5"));
        QCOMPARE(title->text(), LongTitle);
        QCOMPARE(title->cursorPosition(), 0);
        QCOMPARE(title->toolTip(), LongTitle);
        auto *extension = w->findChild<QLineEdit *>(QStringLiteral("Text11"));
        QCOMPARE(extension->text(), QStringLiteral("mp3"));
        QVERIFY(extension->toolTip().isEmpty());
        // Made wide enough, the whole title shows and the tip goes.
        w->setMinimumSize(0, 0);
        w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        w->resize(3000, w->height());
        QTRY_VERIFY(title->toolTip().isEmpty());
    }

    // Alt and a letter reach every menu title; no title shares its letter
    // with another or with a button of the same window.
    void menusHaveTheirOwnLetters_data()
    {
        QTest::addColumn<QString>("view");
        QTest::addColumn<QStringList>("otherCaptions"); // captions a button takes later
        QTest::newRow("navigation") << QStringLiteral("AddData") << QStringList {QStringLiteral("&Update")};
        QTest::newRow("Create File List") << QStringLiteral("MakeSList") << QStringList();
    }

    void menusHaveTheirOwnLetters()
    {
        QFETCH(QString, view);
        QFETCH(QStringList, otherCaptions);
        Fixture f;
        QWidget *w = openAs(f, view);
        QStringList buttons;
        for (const QAbstractButton *b : w->findChildren<QAbstractButton *>())
            buttons << mnemonicOf(b->text());
        for (const QString &caption : otherCaptions)
            buttons << mnemonicOf(caption);
        auto *bar = w->findChild<QMenuBar *>();
        QVERIFY(bar);
        QStringList menus;
        for (const QAction *a : bar->actions()) {
            const QString letter = mnemonicOf(a->text());
            QVERIFY2(!letter.isEmpty(), qPrintable(a->text()));
            QVERIFY2(!menus.contains(letter), qPrintable(a->text()));
            QVERIFY2(!buttons.contains(letter), qPrintable(a->text()));
            menus << letter;
        }
        // Alt and the letter of "Back" go back.
        QTRY_COMPARE(QApplication::activeWindow(), w);
        const QAction *back = w->findChild<QAction *>(QStringLiteral("Back"));
        QTest::keySequence(w, QKeySequence(QStringLiteral("Alt+") + mnemonicOf(back->text())));
        QTRY_VERIFY(!w->isVisible());
        QVERIFY(f.main->isVisible());
    }

    // Enter runs the search from the search box and checks the password from
    // its box; in the record-number box it does nothing.
    void enterWhereAPersonExpectsIt()
    {
        Fixture f;
        QWidget *w = openAs(f, QStringLiteral("AddData"));
        auto *search = Fixture::child<QLineEdit>(w, "Text2");
        search->setText(QStringLiteral("Morn"));
        QTest::keyClick(search, Qt::Key_Return);
        QVERIFY(Fixture::child(w, "List1")->isVisible());
        QCOMPARE(Fixture::child<QLabel>(w, "Label15")->text(), QStringLiteral("Matched List (1):"));
        QCOMPARE(Fixture::child<QLineEdit>(w, "Text5")->text(), QStringLiteral("Morning"));

        f.app.dialogs.clear();
        auto *number = Fixture::child<QLineEdit>(w, "Text13");
        QTest::keyClick(number, Qt::Key_Enter);
        QTest::keyClick(number, Qt::Key_Return);
        QVERIFY(f.app.dialogs.shown.isEmpty());
        QVERIFY(number->text().isEmpty());

        f.app.dialogs.queueAnswer(platform::Button::Yes);
        Fixture::child<QPushButton>(w, "DeleteAll")->click();
        auto *password = Fixture::child<QLineEdit>(w, "Text14");
        QVERIFY(password->isVisible());
        QTest::keyClicks(password, QStringLiteral("guess"));
        QTest::keyClick(password, Qt::Key_Return);
        QCOMPARE(f.app.dialogs.texts().last(),
            QStringLiteral(
                "Incorrect password, only authorised persons can delete\r\nall contents of the Database file"));
        QVERIFY(!password->isVisible());
        QCOMPARE(f.app.rowCount(), 2);
    }

    // Enter alone, or a box closed without a choice, never deletes a disk.
    void deletingADiskDefaultsToNo()
    {
        Fixture f;
        QWidget *w = openAs(f, QStringLiteral("AddData"));
        Fixture::child<QPushButton>(w, "SearchDisks")->click();
        f.app.dialogs.clear();
        Fixture::child<QPushButton>(w, "DeleteDisk")->click();
        QCOMPARE(f.app.dialogs.shown.size(), 1);
        const platform::Message question = f.app.dialogs.shown.first();
        QVERIFY(question.text.startsWith(QStringLiteral("Really want to delete the enteries of Disk labelled ")));
        QCOMPARE(question.buttons, platform::Buttons::YesNo);
        QVERIFY(question.defaultButton.has_value());
        QCOMPARE(*question.defaultButton, platform::Button::No);
        QCOMPARE(f.app.rowCount(), 2);
    }

    // Editing shows which boxes take typing, puts the cursor in the first,
    // and moves nothing; Update locks them again.
    void editModeShowsTheOpenBoxes_data()
    {
        QTest::addColumn<int>("record");
        QTest::addColumn<QString>("first");
        QTest::newRow("short title") << 1 << QStringLiteral("Text5");
        QTest::newRow("title of 16 characters or more") << 0 << QStringLiteral("Text9");
    }

    void editModeShowsTheOpenBoxes()
    {
        QFETCH(int, record);
        QFETCH(QString, first);
        Fixture f;
        QWidget *w = openAs(f, QStringLiteral("AddData"));
        QVERIFY(QTest::qWaitForWindowActive(w));
        auto *allRecords = Fixture::child<QAbstractItemView>(w, "DataList1");
        allRecords->setCurrentIndex(allRecords->model()->index(record, 0));
        QList<QRect> places;
        const QList<QLineEdit *> boxes = Fixture::child(w, "Frame1")->findChildren<QLineEdit *>();
        for (const QLineEdit *box : boxes)
            places << box->geometry();
        const auto looksEditable = [](const QLineEdit *box) {
            return !box->isReadOnly() && box->hasFrame()
                && box->palette().color(QPalette::Base) == box->parentWidget()->palette().color(QPalette::Base);
        };
        const auto looksLocked = [](const QLineEdit *box) {
            return box->isReadOnly() && !box->hasFrame()
                && box->palette().color(QPalette::Base) == box->palette().color(QPalette::Window);
        };
        for (const QLineEdit *box : boxes)
            QVERIFY2(looksLocked(box), qPrintable(box->objectName()));

        Fixture::child<QPushButton>(w, "EditRecord")->click();
        QStringList open = {QStringLiteral("Text8"), QStringLiteral("Text9"), QStringLiteral("Text12")};
        if (first == QLatin1String("Text5"))
            open << QStringLiteral("Text5");
        for (const QLineEdit *box : boxes)
            QVERIFY2(open.contains(box->objectName()) ? looksEditable(box) : looksLocked(box),
                qPrintable(box->objectName()));
        QTRY_COMPARE(QApplication::focusWidget(), Fixture::child(w, qPrintable(first)));
        QApplication::processEvents();
        for (int i = 0; i < boxes.size(); ++i)
            QCOMPARE(boxes.at(i)->geometry(), places.at(i));

        Fixture::child<QPushButton>(w, "EditRecord")->click();
        for (const QLineEdit *box : boxes)
            QVERIFY2(looksLocked(box), qPrintable(box->objectName()));
    }

    // After Update the counter tells the line of the list in front.
    void updateLeavesTheCounterOnTheListShown()
    {
        Fixture f;
        QWidget *w = openAs(f, QStringLiteral("MakeSList list-x"));
        auto *sequential = Fixture::child<QListWidget>(w, "List1");
        sequential->setCurrentRow(2);
        Fixture::child<QPushButton>(w, "EditList4")->click();
        auto *edited = Fixture::child<QListWidget>(w, "List4");
        edited->setCurrentRow(1);
        QCOMPARE(Fixture::child<QLabel>(w, "Label16")->text(), QStringLiteral("2/3"));
        Fixture::child<QPushButton>(w, "EditList4")->click();
        QVERIFY(sequential->isVisible());
        QCOMPARE(Fixture::child<QLabel>(w, "Label16")->text(), QStringLiteral("3/3"));
        // The mode stays the one chosen before editing: the next click goes on from there.
        QCOMPARE(Fixture::child<QLabel>(w, "Label9")->text(), QStringLiteral("List-X"));
    }
};

int main(int argc, char *argv[])
{
    return execOnScreen<WorkWindowsTest>(argc, argv, 800, 600, 2);
}

#include "workwindows_test.moc"
