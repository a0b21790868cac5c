// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/tempapp.h"

#include "ui/helpwindow.h"

#include <QFile>
#include <QTest>
#include <QTextBrowser>

class HelpWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void missingFileIsReported()
    {
        TempApp app;
        shell::HelpWindowViewer viewer;
        const auto error = viewer.showContents(app.file(QStringLiteral("DizaRore.hlp")), nullptr);
        QVERIFY(error);
        QVERIFY(error->contains(app.file(QStringLiteral("DizaRore.hlp"))));
        QVERIFY(!viewer.window());
    }

    void helpFileOfAnotherKindIsReported()
    {
        TempApp app;
        const QString path = app.file(QStringLiteral("DizaRore.hlp"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("?_\x03\0\0\0\xff\xff", 8));
        file.close();
        shell::HelpWindowViewer viewer;
        QWidget owner;
        const auto error = viewer.showContents(path, &owner);
        QVERIFY(error);
        QVERIFY(error->contains(path));
        QVERIFY(!viewer.window());
    }

    void shipsTheHelpThatTheProgramPromises()
    {
        shell::HelpWindowViewer viewer;
        QWidget owner;
        const QString file = QStringLiteral(QUENMORA_SOURCE_DIR "/help/DizaRore.hlp");
        QVERIFY(!viewer.showContents(file, &owner));
        QWidget *window = viewer.window();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->parentWidget(), &owner);
        auto *browser = window->findChild<QTextBrowser *>();
        QVERIFY(browser);
        const QString text = browser->toPlainText();
        // The data-source notice of the main window sends the user to this topic.
        QVERIFY(text.contains(QStringLiteral("How to make a DSN for my database")));
        for (const char *needle :
            {"Orvandel", "odbcinst", "Driver=SQLite3", "Database=", ".odbc.ini", "Make List", "Show All",
                "Find and Display", "Edit", "Delete Disk", "Results", "session history", "quenmora-setup-dsn"})
            QVERIFY2(text.contains(QLatin1String(needle)), needle);

        // Asked again, the one window comes back.
        window->hide();
        QVERIFY(!viewer.showContents(file, &owner));
        QCOMPARE(viewer.window(), window);
        QVERIFY(window->isVisible());
    }

    void windowGoesWithItsOwner()
    {
        shell::HelpWindowViewer viewer;
        const QString file = QStringLiteral(QUENMORA_SOURCE_DIR "/help/DizaRore.hlp");
        {
            QWidget owner;
            QVERIFY(!viewer.showContents(file, &owner));
        }
        QVERIFY(!viewer.window());
        QWidget other;
        QVERIFY(!viewer.showContents(file, &other));
        QCOMPARE(viewer.window()->parentWidget(), &other);
    }
};

QTEST_MAIN(HelpWindowTest)
#include "helpwindow_test.moc"
