// SPDX-License-Identifier: GPL-3.0-or-later
#include "browse/navfixture.h"

#include "ui/desktop/busywork.h"

#include <QAction>
#include <QInputMethodEvent>
#include <QListWidget>
#include <QSemaphore>
#include <QTimer>

// While a worker thread reads through the window's connection, nothing on
// the window thread may use that connection: not text from an input method
// (which comes without a key), and not a command started by another program
// or an accessibility tool, which calls a button's click() past every event
// filter.
class InputDuringWorkTest : public QObject
{
    Q_OBJECT

private slots:
    void nothingUsesTheConnectionBesideARead_data()
    {
        QTest::addColumn<QString>("intrusion");
        // Which line is current and what the record-number box holds afterwards.
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text13");
        QTest::newRow("input method text in the record-number box") << "commit Text13" << 1 << "";
        QTest::newRow("a record number set by a program") << "set Text13" << 1 << "3";
        QTest::newRow("a line selected by a program") << "select line" << 3 << "";
        QTest::newRow("Show All clicked by a program") << "ShowAll" << 1 << "";
        QTest::newRow("Find clicked by a program") << "Find" << 1 << "";
        QTest::newRow("Enter in the search box") << "return Text2" << 1 << "";
        QTest::newRow("Disk Labels clicked by a program") << "SearchDisks" << 1 << "";
        QTest::newRow("Occasion clicked by a program") << "Occasion" << 1 << "";
        QTest::newRow("Update clicked by a program") << "EditRecord" << 1 << "";
        QTest::newRow("Delete All clicked by a program") << "DeleteAll" << 1 << "";
        QTest::newRow("Duplicates chosen by a program") << "action Duplicates" << 1 << "";
        QTest::newRow("Save List chosen by a program") << "action SaveList" << 1 << "";
        QTest::newRow("Existing Disks of the Create File List window") << "ExistingDisk" << 1 << "";
    }

    void nothingUsesTheConnectionBesideARead()
    {
        QFETCH(QString, intrusion);
        QFETCH(int, row);
        QFETCH(QString, text13);
        NavFixture f;
        QList<qint32> ids;
        for (const char *title : {"alpha", "beta", "gamma", "delta"})
            ids << f.addSong(QStringLiteral("CD1"), QString::fromLatin1(title));
        f.load();
        // Loaded first: loading a window opens the connection anew.
        listmaker::MakeSListWindow &createList = f.nav.createListWindow();
        auto *disks = createList.findChild<QListWidget *>(QStringLiteral("List1"));
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        f.click("ShowAll");
        QListView *all = f.list("DataList1");
        NavFixture::setCurrentRow(all, 1);
        f.box("Text2")->setText(QStringLiteral("a"));
        f.click("EditRecord"); // its next click stores the record
        f.app.dialogs.clear();
        QCOMPARE(f.text("txtID"), QString::number(ids[1]));

        // The read of the window's next Find, on a thread of its own.
        const auto query = f.state.database.connection().findQuery(QStringLiteral("TitleSID"), QStringLiteral("ta"));
        QVERIFY(query.ok());
        QSemaphore intruded;
        bool wasBusy = false;
        QTimer::singleShot(0, this, [&] {
            wasBusy = platform::busy();
            intrude(f, intrusion);
            intruded.release();
        });
        songdb::TitleLines found;
        platform::Failure failure;
        platform::runBusy([&] {
            intruded.acquire();
            failure = query.value.run(&found);
        });
        QVERIFY(wasBusy);

        // The read's result is whole.
        QVERIFY2(!failure.isSet(), qPrintable(failure.description));
        QCOMPARE(found.size(), 2);
        QCOMPARE(found.id(0), ids[1]);
        QCOMPARE(found.id(1), ids[3]);
        // And the window is as the read found it.
        QCOMPARE(f.text("txtID"), QString::number(ids[1]));
        QCOMPARE(f.text("Text5"), QStringLiteral("beta"));
        QCOMPARE(f.text("Text13"), text13);
        QCOMPARE(NavFixture::currentRow(all), row);
        QCOMPARE(NavFixture::count(f.list("List1")), 0);
        QCOMPARE(f.w<QPushButton>("EditRecord")->text(), QStringLiteral("&Update"));
        QCOMPARE(f.app.dialogs.texts(), QStringList());
        QVERIFY(f.app.dialogs.saved.isEmpty());
        QCOMPARE(disks->count(), 0);

        // Afterwards the same command runs again.
        if (intrusion == QLatin1String("ShowAll")) {
            NavFixture::setCurrentRow(all, 2);
            f.click("ShowAll");
            QCOMPARE(f.text("txtID"), QString::number(ids[0]));
        }
    }

    // The commands that read or write for long in a large catalogue run
    // beside the window as the others do: it paints under the hourglass.
    void longCommandsRunBesideTheWindow_data()
    {
        QTest::addColumn<QString>("command");
        for (const char *command : {"ShowAll", "Find", "SearchDisks", "Occasion", "Status", "DeleteDisk", "count"})
            QTest::newRow(command) << QString::fromLatin1(command);
    }

    void longCommandsRunBesideTheWindow()
    {
        QFETCH(QString, command);
        NavFixture f;
        for (const char *title : {"alpha", "beta"})
            f.addSong(QStringLiteral("CD1"), QString::fromLatin1(title), QStringLiteral("Party"));
        f.load();
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        f.box("Text2")->setText(QStringLiteral("a"));
        if (command == QLatin1String("DeleteDisk")) {
            f.click("SearchDisks");
            f.app.dialogs.queueAnswer(platform::Button::Yes);
            f.app.dialogs.queueAnswer(platform::Button::No);
        }
        Qt::CursorShape pointer = Qt::ArrowCursor;
        QTimer::singleShot(0, this, [&] { pointer = platform::busy() ? f.window->cursor().shape() : Qt::ArrowCursor; });
        if (command == QLatin1String("count"))
            f.window->CountRecords();
        else
            f.click(command.toLatin1().constData());
        QCOMPARE(pointer, Qt::WaitCursor);
        QCOMPARE(f.window->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(f.window->totalRecords(), command == QLatin1String("DeleteDisk") ? 0 : 2);
    }

private:
    static void intrude(NavFixture &f, const QString &intrusion)
    {
        if (intrusion == QLatin1String("commit Text13")) {
            f.box("Text13")->setFocus();
            QInputMethodEvent event;
            event.setCommitString(QStringLiteral("3"));
            QCoreApplication::sendEvent(f.box("Text13"), &event);
        } else if (intrusion == QLatin1String("set Text13")) {
            f.box("Text13")->setText(QStringLiteral("3"));
        } else if (intrusion == QLatin1String("return Text2")) {
            emit f.box("Text2")->returnPressed();
        } else if (intrusion.startsWith(QLatin1String("action "))) {
            f.window->findChild<QAction *>(intrusion.mid(7))->trigger();
        } else if (intrusion == QLatin1String("select line")) {
            // As a screen reader selects a line, without a click.
            f.list("DataList1")
                ->selectionModel()
                ->setCurrentIndex(NavFixture::line(f.list("DataList1"), 3), QItemSelectionModel::ClearAndSelect);
        } else if (intrusion == QLatin1String("ExistingDisk")) {
            f.nav.createListWindow().findChild<QPushButton *>(QStringLiteral("ExistingDisk"))->click();
        } else {
            f.click(intrusion.toLatin1().constData());
        }
    }
};

QTEST_MAIN(InputDuringWorkTest)
#include "inputduringwork_test.moc"
