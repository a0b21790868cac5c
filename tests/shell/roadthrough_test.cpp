// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/tempapp.h"

#include "ui/adddatawindow.h"
#include "ui/mainwindow.h"
#include "ui/makeslistwindow.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

// The road a user takes through the whole program: scan a folder in the
// create-list window, hand the list over, append it, and find it again in
// the navigation window; then leave through the exit.
class RoadThroughTest : public QObject
{
    Q_OBJECT

private:
    template <typename T> static T *control(QWidget *window, const char *name)
    {
        T *w = window->findChild<T *>(QString::fromLatin1(name));
        if (!w)
            qWarning("no control %s in %s", name, qPrintable(window->objectName()));
        return w;
    }

    // The lines of a list box or of a list view over a model.
    static QStringList lines(QListView *list)
    {
        QStringList out;
        for (int i = 0; i < list->model()->rowCount(); ++i)
            out << list->model()->index(i, 0).data().toString();
        return out;
    }

    static void touch(const QString &path, int bytes)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(bytes, 'x'));
    }

private slots:
    void scanAppendBrowseAndExit()
    {
        TempApp app;
        const QString disk = app.file(QStringLiteral("medium"));
        touch(disk + QStringLiteral("/b song.mp3"), 10);
        touch(disk + QStringLiteral("/A song.mp3"), 20);
        touch(disk + QStringLiteral("/sub/c song.mp3"), 30);
        app.drives.drives = {platform::Drive {QStringLiteral("/"), QString(), QStringLiteral("/")}};

        shell::SharedState state;
        shell::MainWindow main(app.context(), state);
        main.start();
        QVERIFY(main.isVisible());
        QCOMPARE(control<QLabel>(&main, "Label2")->text(), QStringLiteral("1"));

        // "&Append": the create-list window comes to the front.
        control<QPushButton>(&main, "CreateRecordsToAppend")->click();
        QWidget *lists = &main.createListWindow();
        QTRY_VERIFY(lists->isVisible());
        QVERIFY(!main.isVisible());

        control<QObject>(lists, "Dir1")->setProperty("path", disk);
        control<QLineEdit>(lists, "Text3")->setText(QStringLiteral("ROAD-01"));
        control<QLineEdit>(lists, "Text1")->setText(QStringLiteral("The Walkers"));
        control<QPushButton>(lists, "AddList")->click();
        QCOMPARE(app.dialogs.texts().last(), QStringLiteral("LIST of Files and other informations CREATED."));
        QCOMPARE(lines(control<QListWidget>(lists, "List1")),
            QStringList({QStringLiteral("A song.mp3"), QStringLiteral("b song.mp3"), QStringLiteral("c song.mp3")}));
        QCOMPARE(control<QLabel>(lists, "Label1")->text(), QStringLiteral("Contents of Current list (3 Files)."));

        // Hand-over: the navigation window opens in append mode.
        control<QPushButton>(lists, "AddToAccess")->click();
        QWidget *nav = &main.navigationWindow();
        QTRY_VERIFY(nav->isVisible());
        QVERIFY(!lists->isVisible());
        QVERIFY(!QFile::exists(app.file(QStringLiteral("~tmplist.txt"))));
        auto *append = control<QPushButton>(nav, "AppendFileList");
        QVERIFY(append->isEnabled());

        app.dialogs.queueAnswer(platform::Button::Ok);
        append->click();
        QVERIFY(app.dialogs.texts().contains(
            QStringLiteral("You are going to append 3 files to the existing Database 'DizaRore'.")));
        QCOMPARE(app.rowCount(), 3);
        QCOMPARE(control<QLabel>(nav, "Label4")->text(), QStringLiteral("3"));
        QVERIFY(!append->isEnabled());
        // The create-list window is ready for the next medium.
        QVERIFY(control<QLineEdit>(lists, "Text3")->text().isEmpty());
        QVERIFY(control<QPushButton>(lists, "AddList")->isEnabled());

        // "Sho&w All" lists what was appended, each line carrying its record's key.
        control<QPushButton>(nav, "ShowAll")->click();
        auto *all = control<QListView>(nav, "DataList1");
        QCOMPARE(lines(all),
            QStringList({QStringLiteral("A song.mp3"), QStringLiteral("b song.mp3"), QStringLiteral("c song.mp3")}));
        all->setCurrentIndex(all->model()->index(2, 0));
        QCOMPARE(control<QLineEdit>(nav, "Text5")->text(), QStringLiteral("c song.mp3"));
        QCOMPARE(control<QLineEdit>(nav, "Text3")->text(), disk + QStringLiteral("/sub"));
        QCOMPARE(control<QLineEdit>(nav, "Text9")->text(), QStringLiteral("The Walkers"));
        QCOMPARE(control<QLineEdit>(nav, "Text8")->text(), QStringLiteral("Un-categorized"));
        QCOMPARE(control<QLineEdit>(nav, "txtID")->text(), all->model()->index(2, 0).data(Qt::UserRole).toString());

        // The same Disk ID is refused for the next medium, whatever its case.
        app.dialogs.clear();
        main.showMain();
        control<QPushButton>(&main, "CreateRecordsToAppend")->click();
        control<QLineEdit>(lists, "Text3")->setText(QStringLiteral("road-01"));
        control<QLineEdit>(lists, "Text1")->setText(QStringLiteral("Someone"));
        control<QPushButton>(lists, "AddList")->click();
        QVERIFY(app.dialogs.texts().last().startsWith(
            QStringLiteral("You are already having a Disk with ID mark 'road-01'.")));

        // Leaving logs the session.
        QCOMPARE(app.quitCode, -1);
        control<QPushButton>(&main, "Exitz")->click();
        QCOMPARE(app.quitCode, 0);
        QFile log(app.file(QStringLiteral("populnv.ppl")));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().startsWith(" 1 "));
    }
};

QTEST_MAIN(RoadThroughTest)
#include "roadthrough_test.moc"
