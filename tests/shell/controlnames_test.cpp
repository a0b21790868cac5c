// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/tempapp.h"

#include "ui/adddatawindow.h"
#include "ui/mainwindow.h"
#include "ui/makeslistwindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

// Other programs drive Quenmora through the names and kinds of its windows
// and controls: every one of them must be there, of the agreed kind.
class ControlNamesTest : public QObject
{
    Q_OBJECT

private:
    static QWidget *topLevel(const QString &name)
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->objectName() == name)
                return w;
        }
        return nullptr;
    }

    static void expect(QWidget *window, const char *kind, const QStringList &names)
    {
        for (const QString &name : names) {
            QObject *o = window->findChild<QObject *>(name);
            QVERIFY2(o, qPrintable(window->objectName() + QLatin1Char('.') + name + QLatin1String(" is missing")));
            QVERIFY2(o->inherits(kind),
                qPrintable(window->objectName() + QLatin1Char('.') + name + QLatin1String(" is a ")
                    + QLatin1String(o->metaObject()->className()) + QLatin1String(", not a ") + QLatin1String(kind)));
        }
    }

    static QStringList numbered(const QString &stem, const QList<int> &numbers)
    {
        QStringList out;
        for (int n : numbers)
            out << stem + QString::number(n);
        return out;
    }

private slots:
    void everyWindowHasItsControls()
    {
        TempApp app;
        shell::SharedState state;
        shell::MainWindow main(app.context(), state);
        main.start();

        QCOMPARE(main.objectName(), QStringLiteral("Main"));
        expect(&main, "QPushButton", {"DisplayRecords", "CreateRecordsToAppend", "HelpMain", "Exitz"});
        expect(&main, "QLabel",
            {"Image5", "Image7", "Image6", "Image8_1", "Image8_2", "Image13", "Image12", "Label6", "Label7", "Label3",
                "Label4", "Label2", "Label21", "Image33", "Image4", "Image11"});
        expect(&main, "QRadioButton", {"Option1_0", "Option1_1", "Option2"});
        expect(&main, "QTimer", {"Timer1"});

        QWidget *lists = &main.createListWindow();
        QCOMPARE(lists->objectName(), QStringLiteral("MakeSList"));
        expect(lists, "QComboBox", {"Drive1"});
        expect(lists, "QListWidget", {"Dir1", "File1", "List1", "List2", "List3", "List4"});
        expect(lists, "QLineEdit", {"Text1", "Text2", "Text3", "Text4"});
        expect(
            lists, "QPushButton", {"AddList", "ExistingDisk", "AddToAccess", "SortList", "EditList4", "Concatanate"});
        expect(lists, "QLabel", numbered(QStringLiteral("Label"), {1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 14, 15, 16, 17}));
        expect(lists, "QWidget", {"MediaPlayer1", "MediaPlayer2", "MediaPlayer3"});
        expect(lists, "QAction",
            {"Back", "ClearList", "SaveSequential", "SaveSorted", "SaveX", "SaveEdited", "TagTitles", "UpdateDisk",
                "About", "Help"});
        for (const char *name : {"Drive1", "Dir1", "File1"})
            QVERIFY2(lists->findChild<QObject *>(QString::fromLatin1(name))->property("path").isValid(), name);

        QWidget *nav = &main.navigationWindow();
        QCOMPARE(nav->objectName(), QStringLiteral("AddData"));
        expect(nav, "QLineEdit",
            numbered(QStringLiteral("Text"), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}) << "txtID");
        expect(nav, "QLabel",
            numbered(QStringLiteral("Label"), {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 20, 21, 23})
                << "RecordNo"
                << "Image8"
                << "Image3"
                << "Image4"
                << "Image7");
        expect(nav, "QPushButton",
            {"OK", "AppendFileList", "EditRecord", "DeleteDisk", "DeleteAll", "ShowAll", "Find", "SearchDisks",
                "Occasion", "Status"});
        // The record lists may hold millions of lines: list views over models of their own.
        expect(nav, "QListView", {"DataList1", "List1"});
        for (const char *name : {"DataList1", "List1"})
            QVERIFY2(nav->findChild<QListView *>(QString::fromLatin1(name))->model(), name);
        expect(nav, "QComboBox", {"Combo1"});
        expect(nav, "QCheckBox", {"FindAsYouType"});
        expect(nav, "QGroupBox", {"Frame1"});
        expect(nav, "QTimer", {"Timer1"});
        expect(nav, "QWidget", {"MediaPlayer1", "MediaPlayer2"});
        expect(nav, "QAction", {"Back", "PrintList", "SaveList", "Duplicates", "Help", "About"});
        QVERIFY(!nav->findChild<QAction *>(QStringLiteral("PrintList"))->isEnabled());

        QVERIFY(topLevel(QStringLiteral("prginfo")));

        QTest::mouseClick(main.findChild<QLabel *>(QStringLiteral("Label2")), Qt::LeftButton);
        QWidget *session = topLevel(QStringLiteral("Session"));
        QVERIFY(session);
        expect(session, "QLabel", {"Label1", "Label2", "Label3", "Label4"});
        expect(session, "QTableWidget", {"MSFlexGrid1"});
    }
};

QTEST_MAIN(ControlNamesTest)
#include "controlnames_test.moc"
