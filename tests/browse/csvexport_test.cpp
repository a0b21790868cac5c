// SPDX-License-Identifier: GPL-3.0-or-later
#include "browse/csvexport.h"
#include "browse/savedlist.h"
#include "support/files.h"

#include <QTemporaryDir>
#include <QTest>

using browse::CsvExport;

// A CSV file is opened in spreadsheets: no field of it may become a formula.
class CsvExportTest : public QObject
{
    Q_OBJECT

private slots:
    void aFieldThatLooksLikeAFormulaIsGuarded_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("field");
        QTest::newRow("empty") << QString() << QByteArray();
        QTest::newRow("equals sign") << QStringLiteral("=1+2.mp3") << QByteArray("'=1+2.mp3");
        QTest::newRow("plus") << QStringLiteral("+31 20 555") << QByteArray("'+31 20 555");
        QTest::newRow("minus") << QStringLiteral("-2+3") << QByteArray("'-2+3");
        QTest::newRow("at sign") << QStringLiteral("@SUM(A1)") << QByteArray("'@SUM(A1)");
        QTest::newRow("tab") << QStringLiteral("\t=1") << QByteArray("'\t=1");
        QTest::newRow("carriage return") << QStringLiteral("\r=1") << QByteArray("\"'\r=1\"");
        QTest::newRow("formula with quotes and commas")
            << QStringLiteral("=HYPERLINK(\"http://x.example/\",\"Song\").mp3")
            << QByteArray("\"'=HYPERLINK(\"\"http://x.example/\"\",\"\"Song\"\").mp3\"");
        QTest::newRow("sign inside") << QStringLiteral("a=b-c@d") << QByteArray("a=b-c@d");
        QTest::newRow("line feed first") << QStringLiteral("\n=1") << QByteArray("\"\n=1\"");
        QTest::newRow("apostrophe first") << QStringLiteral("'quoted") << QByteArray("'quoted");
    }
    void aFieldThatLooksLikeAFormulaIsGuarded()
    {
        QFETCH(QString, value);
        QFETCH(QByteArray, field);
        QByteArray line("x,");
        CsvExport::appendField(&line, value.toUtf8());
        QCOMPARE(line, QByteArray("x,") + field);
    }

    // Only the CSV form is guarded: the text list keeps the lines as they are.
    void onlyTheCsvFormIsGuarded()
    {
        QTemporaryDir dir;
        songdb::TitleLines lines;
        lines.append(0, QStringLiteral("=HYPERLINK(\"http://x.example/\")"));
        lines.append(0, QStringLiteral("-minus"));
        lines.append(0, QStringLiteral("plain"));
        const QString csv = dir.filePath(QStringLiteral("labels.csv"));
        const QString text = dir.filePath(QStringLiteral("labels.txt"));
        QVERIFY(!CsvExport::writeColumn(csv, QStringLiteral("TitleSID"), lines).isSet());
        QVERIFY(!browse::SavedList::write(text, lines).isSet());
        QCOMPARE(
            readAll(csv), QByteArray("TitleSID\r\n\"'=HYPERLINK(\"\"http://x.example/\"\")\"\r\n'-minus\r\nplain\r\n"));
        QCOMPARE(readAll(text), QByteArray("=HYPERLINK(\"http://x.example/\")\r\n-minus\r\nplain\r\n"));
    }
};

QTEST_GUILESS_MAIN(CsvExportTest)
#include "csvexport_test.moc"
