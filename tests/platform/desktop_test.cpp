// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windowfit.h"
#include "ui/desktop/boldcaption.h"
#include "ui/desktop/contrast.h"
#include "ui/desktop/fixedcolours.h"
#include "ui/desktop/qtdialogs.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

Q_DECLARE_METATYPE(platform::Buttons)
Q_DECLARE_METATYPE(platform::Button)

using platform::contrastRatio;
using platform::readableShade;

class DesktopTest : public QObject
{
    Q_OBJECT

private slots:
    void contrastRatios_data()
    {
        QTest::addColumn<QColor>("a");
        QTest::addColumn<QColor>("b");
        QTest::addColumn<double>("ratio");
        QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
        QTest::newRow("the same colour") << QColor(120, 30, 200) << QColor(120, 30, 200) << 1.0;
        QTest::newRow("either way round") << QColor(Qt::white) << QColor(Qt::black) << 21.0;
        QTest::newRow("mid grey on white") << QColor(0x77, 0x77, 0x77) << QColor(Qt::white) << 4.48;
        QTest::newRow("red on white") << QColor(Qt::red) << QColor(Qt::white) << 4.0;
    }

    void contrastRatios()
    {
        QFETCH(QColor, a);
        QFETCH(QColor, b);
        QFETCH(double, ratio);
        QVERIFY2(qAbs(contrastRatio(a, b) - ratio) < 0.01, qPrintable(QString::number(contrastRatio(a, b))));
    }

    // A text colour that reads stays; one that does not becomes a shade of
    // its own hue that does, lighter on dark backgrounds, darker on light ones.
    void readableShades_data()
    {
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<int>("direction"); // 0 unchanged, 1 lighter, -1 darker
        QTest::newRow("navy on a light window") << QColor(0, 0, 128) << QColor(239, 239, 239) << 0;
        QTest::newRow("navy on a dark window") << QColor(0, 0, 128) << QColor(0x22, 0x20, 0x20) << 1;
        QTest::newRow("dark red on a dark box") << QColor(128, 0, 0) << QColor(0x3d, 0x3d, 0x3d) << 1;
        QTest::newRow("red on a dark window") << QColor(255, 0, 0) << QColor(0x22, 0x20, 0x20) << 1;
        QTest::newRow("red on a light window") << QColor(255, 0, 0) << QColor(239, 239, 239) << -1;
        QTest::newRow("pale gold on white") << QColor(246, 214, 128) << QColor(Qt::white) << -1;
        QTest::newRow("white on dark blue") << QColor(Qt::white) << QColor(12, 32, 60) << 0;
        QTest::newRow("grey on middle grey") << QColor(128, 128, 128) << QColor(118, 118, 118) << 1;
    }

    void readableShades()
    {
        QFETCH(QColor, text);
        QFETCH(QColor, background);
        QFETCH(int, direction);
        const QColor shade = readableShade(text, background);
        QVERIFY2(contrastRatio(shade, background) >= 4.5, qPrintable(shade.name()));
        const double change = shade.toHsl().lightnessF() - text.toHsl().lightnessF();
        if (direction == 0)
            QCOMPARE(shade, text);
        else
            QVERIFY2(direction > 0 ? change > 0 : change < 0, qPrintable(shade.name()));
        // The hue stays where there is one.
        if (text.hslSaturation() > 0 && direction != 0 && shade.hslSaturation() > 0)
            QVERIFY(qAbs(shade.hslHue() - text.hslHue()) <= 2);
        // Not further from the colour asked for than it has to be.
        if (direction != 0) {
            const QColor halfway = QColor::fromHslF(text.toHsl().hslHueF(), text.toHsl().hslSaturationF(),
                                                    float(shade.toHsl().lightnessF() - change / 20));
            QVERIFY(contrastRatio(halfway, background) < 4.6);
        }
    }

    // A fixed back colour keeps its text colour in any palette; a fixed text
    // colour shows unchanged in a light palette and in a shade that reads in a dark one.
    void fixedColoursHoldInAnyPalette()
    {
        QWidget window;
        auto *button = new QPushButton(QStringLiteral("&Navigate"), &window);
        auto *label = new QLabel(QStringLiteral("TOTAL TIME"), &window);
        platform::setFixedColours(button, QColor(0xC0, 0xFF, 0xC0), Qt::black);
        platform::setReadableTextColour(label, Qt::red);

        QPalette dark = window.palette();
        dark.setColor(QPalette::Window, QColor(0x22, 0x20, 0x20));
        dark.setColor(QPalette::Button, QColor(0x42, 0x42, 0x45));
        dark.setColor(QPalette::ButtonText, Qt::white);
        for (const QPalette &palette : {QPalette(QColor(239, 239, 239)), dark}) {
            window.setPalette(palette);
            QCOMPARE(button->palette().color(QPalette::Button), QColor(0xC0, 0xFF, 0xC0));
            QCOMPARE(button->palette().color(QPalette::ButtonText), QColor(Qt::black));
            QVERIFY(contrastRatio(button->palette().color(QPalette::Disabled, QPalette::ButtonText),
                                  QColor(0xC0, 0xFF, 0xC0))
                    > 1.5);
            const QColor text = label->palette().color(QPalette::WindowText);
            if (platform::isDark(palette.color(QPalette::Window)))
                QVERIFY2(contrastRatio(text, palette.color(QPalette::Window)) >= 4.5, qPrintable(text.name()));
            else
                QCOMPARE(text, QColor(Qt::red));
            QCOMPARE(text.hslHue(), 0);
        }
    }

    // Enter alone answers a message box with its default button: the one the
    // question names, else the first that accepts.
    void enterGivesTheDefaultAnswer_data()
    {
        QTest::addColumn<platform::Buttons>("buttons");
        QTest::addColumn<int>("defaultButton"); // -1: none named
        QTest::addColumn<platform::Button>("answer");
        QTest::newRow("yes or no, no named")
            << platform::Buttons::YesNo << int(platform::Button::No) << platform::Button::No;
        QTest::newRow("yes or no, none named") << platform::Buttons::YesNo << -1 << platform::Button::Yes;
        QTest::newRow("OK or cancel, cancel named")
            << platform::Buttons::OkCancel << int(platform::Button::Cancel) << platform::Button::Cancel;
    }

    void enterGivesTheDefaultAnswer()
    {
        QFETCH(platform::Buttons, buttons);
        QFETCH(int, defaultButton);
        QFETCH(platform::Button, answer);
        platform::Message question;
        question.text = QStringLiteral("Really?");
        question.buttons = buttons;
        if (defaultButton >= 0)
            question.defaultButton = platform::Button(defaultButton);
        // Enter, once the box is up.
        std::function<void()> pressEnter = [&pressEnter] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                QTest::keyClick(box, Qt::Key_Return);
            else
                QTimer::singleShot(10, pressEnter);
        };
        QTimer::singleShot(0, pressEnter);
        platform::QtDialogs dialogs;
        QCOMPARE(dialogs.message(question), answer);
    }

    // Where a window opens: inside the free area, shrunk to it where needed,
    // centred on the window it belongs to, its minimum never larger than the screen.
    void windowsFitTheFreeArea_data()
    {
        QTest::addColumn<QSize>("wanted");
        QTest::addColumn<QSize>("minimum");
        QTest::addColumn<QRect>("anchor");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QSize>("fittedMinimum");
        // On a screen of 800 x 600 whose windows get a frame of 4 pixels and a title bar of 20.
        QTest::newRow("fits, centred on its window")
            << QSize(400, 300) << QSize(200, 100) << QRect(100, 100, 400, 300) << QRect(99, 109, 400, 300)
            << QSize(200, 100);
        QTest::newRow("too wide and too tall")
            << QSize(1040, 700) << QSize(900, 650) << QRect(100, 100, 400, 300) << QRect(4, 24, 792, 572)
            << QSize(792, 572);
        QTest::newRow("kept inside at the right edge")
            << QSize(400, 300) << QSize() << QRect(600, 200, 200, 100) << QRect(396, 109, 400, 300) << QSize(0, 0);
        QTest::newRow("kept inside at the top left")
            << QSize(400, 300) << QSize() << QRect(-300, -200, 100, 100) << QRect(4, 24, 400, 300) << QSize(0, 0);
        QTest::newRow("no window to centre on") << QSize(400, 300) << QSize() << QRect() << QRect(199, 159, 400, 300)
                                                << QSize(0, 0);
    }

    void windowsFitTheFreeArea()
    {
        QFETCH(QSize, wanted);
        QFETCH(QSize, minimum);
        QFETCH(QRect, anchor);
        QFETCH(QRect, geometry);
        QFETCH(QSize, fittedMinimum);
        const QRect available(0, 0, 800, 600);
        const QMargins frame(4, 24, 4, 4);
        const platform::WindowFit fit
            = platform::fitWindow(wanted, minimum.isValid() ? minimum : QSize(0, 0), frame, available, anchor);
        QCOMPARE(fit.geometry, geometry);
        QCOMPARE(fit.minimum, fittedMinimum);
        QVERIFY(available.contains(fit.geometry.marginsAdded(frame)));
    }

    // A row of buttons keeps its places while one caption after another turns bold.
    void boldCaptionsMoveNothing()
    {
        QWidget window;
        auto *row = new QHBoxLayout(&window);
        QList<QPushButton *> buttons;
        for (const char *caption : {"Sho&w All", "&Find and Display", "Disk &Labels List", "&Occasion"}) {
            auto *b = new QPushButton(QLatin1String(caption), &window);
            row->addWidget(b);
            platform::reserveBoldRoom(b);
            buttons << b;
        }
        QPushButton *last = buttons.at(3);
        row->addStretch();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto places = [&] {
            QList<QRect> r;
            for (QPushButton *b : buttons)
                r << b->geometry();
            return r;
        };
        const QList<QRect> before = places();
        for (QPushButton *b : buttons) {
            platform::setBoldCaption(b, true);
            QVERIFY(b->font().bold());
            row->activate();
            QCOMPARE(places(), before);
            QVERIFY(b->width() >= b->sizeHint().width());
        }
        for (QPushButton *b : buttons)
            platform::setBoldCaption(b, false);
        row->activate();
        QCOMPARE(places(), before);

        // A caption that changes gets its room when it next turns bold or back.
        last->setText(QStringLiteral("&Update the record now"));
        row->activate();
        const QList<QRect> changed = places();
        platform::setBoldCaption(last, true);
        row->activate();
        QCOMPARE(places().mid(0, 3), changed.mid(0, 3));
        QVERIFY(last->width() >= last->sizeHint().width());
        platform::setBoldCaption(last, false);
        row->activate();
        const QList<QRect> settled = places();
        platform::setBoldCaption(last, true);
        row->activate();
        QCOMPARE(places(), settled);
    }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
