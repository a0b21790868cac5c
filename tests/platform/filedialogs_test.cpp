// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/desktop/qtdialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// Open and save dialogs take their filters in the form "Description|*.a;*.b",
// several joined by '|', and tell which filter the user left chosen.
class FileDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void filtersInQtForm_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("qt");
        QTest::newRow("one") << "Will save as Text File (*.txt)|*.txt"
                             << QStringList {"Will save as Text File (*.txt)"};
        QTest::newRow("patterns added") << "Audio|*.wav;*.mid" << QStringList {"Audio (*.wav *.mid)"};
        QTest::newRow("two") << "Will save as Text File (*.txt)|*.txt|Records with all fields, CSV (*.csv)|*.csv"
                             << QStringList {"Will save as Text File (*.txt)", "Records with all fields, CSV (*.csv)"};
    }
    void filtersInQtForm()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, qt);
        QCOMPARE(platform::qtNameFilters(filter), qt);
        QCOMPARE(platform::qtNameFilter(filter), qt.join(QLatin1String(";;")));
    }

    void saveDialogTellsTheChosenFilter_data()
    {
        QTest::addColumn<int>("choose");
        QTest::newRow("first") << 0;
        QTest::newRow("second") << 1;
    }
    void saveDialogTellsTheChosenFilter()
    {
        QFETCH(int, choose);
        QTemporaryDir dir;
        platform::FileRequest request;
        request.initialFolder = dir.path();
        request.filter = QStringLiteral("Text (*.txt)|*.txt|CSV (*.csv)|*.csv");
        int chosen = -1;
        request.chosenFilter = &chosen;
        QStringList offered;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            offered = dialog->nameFilters();
            dialog->selectNameFilter(offered.value(choose));
            dialog->selectFile(dir.filePath(QStringLiteral("list")));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        platform::QtDialogs dialogs;
        const std::optional<QString> name = dialogs.saveFileName(request);
        QCOMPARE(offered, QStringList({"Text (*.txt)", "CSV (*.csv)"}));
        QCOMPARE(name, std::optional<QString>(dir.filePath(QStringLiteral("list"))));
        QCOMPARE(chosen, choose);
    }
};

QTEST_MAIN(FileDialogsTest)
#include "filedialogs_test.moc"
