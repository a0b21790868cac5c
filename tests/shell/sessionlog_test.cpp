// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/files.h"
#include "support/tempapp.h"

#include "shell/sessionlog.h"

#include <QFile>
#include <QTest>

using shell::SessionEntry;
using shell::SessionLog;

class SessionLogTest : public QObject
{
    Q_OBJECT

private slots:
    void lineUsesPrintZones_data()
    {
        QTest::addColumn<qint32>("number");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("line");

        QTest::newRow("usual") << 1 << "28/08/01 7:28:31 AM" << "28/08/01 7:30:02 AM" << qint64(91)
                               << " 1            28/08/01 7:28:31 AM         28/08/01 7:30:02 AM          91 ";
        QTest::newRow("date alone at midnight")
            << 313 << "7 Dec 2026" << "7 Dec 2026 00:00:10" << qint64(10)
            << " 313          7 Dec 2026    7 Dec 2026 00:00:10          10 ";
        // A text ending in the last column of a zone is followed at once by the next field.
        const QString s28(28, QLatin1Char('s'));
        const QString e28(28, QLatin1Char('e'));
        QTest::newRow("28 characters") << 40000 << s28 << e28 << qint64(86400)
                                       << " 40000        " + s28 + e28 + " 86400 ";
        QTest::newRow("long texts move the next field one zone on")
            << 7 << "Wednesday, 28 August 2001 07:28:31" << "Wednesday, 28 August 2001 09:00:00" << qint64(5489)
            << " 7            Wednesday, 28 August 2001 07:28:31        "
               "Wednesday, 28 August 2001 09:00:00         5489 ";
        QTest::newRow("end at midnight moves the seconds only")
            << 1 << "12/7/26 11:59:50 PM" << "12/8/26" << qint64(10)
            << " 1            12/7/26 11:59:50 PM         12/8/26        10 ";
        QTest::newRow("both at midnight") << 2 << "12/7/26" << "12/8/26" << qint64(86400)
                                          << " 2            12/7/26       12/8/26        86400 ";
        QTest::newRow("negative") << -3 << "x" << "y" << qint64(-2)
                                  << "-3            x             y             -2 ";
    }

    void lineUsesPrintZones()
    {
        QFETCH(qint32, number);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(qint64, seconds);
        QFETCH(QString, line);
        QCOMPARE(SessionLog::sessionLine(number, start, end, seconds), line);

        // And back again.
        const auto entry = SessionLog::parseLine(line);
        QVERIFY(entry);
        QCOMPARE(entry->number, number);
        QCOMPARE(entry->seconds, seconds);
        QCOMPARE(entry->startText.trimmed(), start);
        QCOMPARE(entry->endText.trimmed(), end);
    }

    void usualLinesReadBackInFixedColumns()
    {
        // The start text keeps the blanks after it, the end text the two before it.
        const auto e = SessionLog::parseLine(
            QStringLiteral(" 12           7 Dec 2026 09:30:00         7 Dec 2026 09:30:10          10 "));
        QVERIFY(e);
        QCOMPARE(e->startText, QStringLiteral("7 Dec 2026 09:30:00      "));
        QCOMPARE(e->endText, QStringLiteral("  7 Dec 2026 09:30:10    "));
        QCOMPARE(e->details(), QStringLiteral("12     7 Dec 2026 09:30:00") + QString(13, QLatin1Char(' '))
                                   + QStringLiteral("7 Dec 2026 09:30:10") + QString(9, QLatin1Char(' '))
                                   + QStringLiteral("10"));
    }

    void totalTime_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("93784") << qint64(93784) << "Total duration: 1day(s):02h:03m:04s (93784 seconds)";
        QTest::newRow("59") << qint64(59) << "Total duration: 0day(s):00h:00m:59s (59 seconds)";
        QTest::newRow("60") << qint64(60) << "Total duration: 0day(s):00h:01m:00s (60 seconds)";
        QTest::newRow("86400") << qint64(86400) << "Total duration: 1day(s):00h:00m:00s (86400 seconds)";
        QTest::newRow("0") << qint64(0) << "Total duration: 0day(s):00h:00m:00s (0 seconds)";
        QTest::newRow("beyond 32 bits") << qint64(5000000000)
                                        << "Total duration: 57870day(s):08h:53m:20s (5000000000 seconds)";
    }

    void totalTime()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QCOMPARE(SessionLog::TotalTime(seconds), text);
    }

    void nextNumber_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<qint32>("next");
        QTest::addColumn<int>("failure");

        const QByteArray one = " 1            7 Dec 2026 09:30:00         7 Dec 2026 09:30:10          10 \r\n";
        QTest::newRow("empty") << QByteArray() << 1 << 0;
        QTest::newRow("one") << one << 2 << 0;
        QTest::newRow("last counts, not largest")
            << QByteArray(" 9 a b 1 \r\n 4 a b 1 \r\n") << 5 << 0;
        QTest::newRow("garbage in between is skipped")
            << QByteArray(" 1 a b 1 \r\nrubbish here\r\n\r\n 2 a b 1 \r\n") << 3 << 0;
        QTest::newRow("garbage at the end") << QByteArray(" 6 a b 1 \r\n\xff\xfe junk") << 7 << 0;
        QTest::newRow("only garbage") << QByteArray("hello\r\nworld\r\n") << 1 << 0;
        QTest::newRow("LF endings") << QByteArray(" 3 a b 1 \n 4 a b 1 \n") << 5 << 0;
        QTest::newRow("past a 16-bit count") << QByteArray(" 32767 a b 1 \r\n") << 32768 << 0;
        QTest::newRow("past 32 bits is no number") << QByteArray(" 5 a b 1 \r\n 2147483648 a b 1 \r\n") << 6 << 0;
        QTest::newRow("cannot grow") << QByteArray(" 2147483647 a b 1 \r\n") << 2147483647 << 6;
    }

    void nextNumber()
    {
        QFETCH(QByteArray, file);
        QFETCH(qint32, next);
        QFETCH(int, failure);
        TempApp app;
        writeBytes(app.file(QStringLiteral("populnv.ppl")), file);
        const auto n = SessionLog(app.file(QStringLiteral("populnv.ppl"))).nextSessionNumber();
        QCOMPARE(n.value, next);
        QCOMPARE(n.failure.number, failure);
    }

    void appendWritesOneLineAndKeepsTheRest()
    {
        TempApp app;
        const QString path = app.file(QStringLiteral("populnv.ppl"));
        SessionLog log(path);
        const QDateTime start(QDate(2026, 12, 7), QTime(9, 30, 0));
        QVERIFY(!log.appendSession(1, start, start.addSecs(10)).isSet());
        QCOMPARE(readAll(path),
                 QByteArray(" 1            7 Dec 2026 09:30:00         7 Dec 2026 09:30:10          10 \r\n"));

        QVERIFY(!log.appendSession(2, start.addSecs(3600), start.addSecs(3600 + 86400)).isSet());
        QCOMPARE(readAll(path),
                 QByteArray(" 1            7 Dec 2026 09:30:00         7 Dec 2026 09:30:10          10 \r\n"
                            " 2            7 Dec 2026 10:30:00         8 Dec 2026 10:30:00          86400 \r\n"));
    }

    void lengthIsTheDifferenceOfTheWrittenTimes_data()
    {
        QTest::addColumn<QTime>("start");
        QTest::addColumn<int>("laterMs");
        QTest::addColumn<qint64>("seconds");
        QTest::newRow("exit's milliseconds below the start's") << QTime(13, 49, 58, 900) << 200 << qint64(1);
        QTest::newRow("exit's milliseconds above the start's") << QTime(13, 49, 58, 100) << 1800 << qint64(1);
        QTest::newRow("within one second") << QTime(13, 49, 58, 100) << 800 << qint64(0);
        QTest::newRow("one day") << QTime(9, 30, 0, 999) << 86400000 - 999 << qint64(86400);
    }
    void lengthIsTheDifferenceOfTheWrittenTimes()
    {
        QFETCH(QTime, start);
        QFETCH(int, laterMs);
        QFETCH(qint64, seconds);
        TempApp app;
        const QString path = app.file(QStringLiteral("populnv.ppl"));
        const QDateTime from(QDate(2026, 12, 8), start);
        QVERIFY(!SessionLog(path).appendSession(1, from, from.addMSecs(laterMs)).isSet());
        const auto h = SessionLog(path).readHistory();
        QCOMPARE(h.entries.size(), 1);
        QCOMPARE(h.entries.at(0).seconds, seconds);
        const QDateTime startShown = QDateTime::fromString(h.entries.at(0).startText.trimmed(), "d MMM yyyy HH:mm:ss");
        const QDateTime endShown = QDateTime::fromString(h.entries.at(0).endText.trimmed(), "d MMM yyyy HH:mm:ss");
        QCOMPARE(startShown.secsTo(endShown), seconds);
    }

    void appendAfterAnUnendedLineStartsANewLine()
    {
        TempApp app;
        const QString path = app.file(QStringLiteral("populnv.ppl"));
        writeBytes(path, " 4 cut short");
        const QDateTime start(QDate(2026, 12, 7), QTime(0, 0, 0));
        QVERIFY(!SessionLog(path).appendSession(5, start, start.addSecs(1)).isSet());
        QCOMPARE(readAll(path),
                 QByteArray(" 4 cut short\r\n"
                            " 5            7 Dec 2026    7 Dec 2026 00:00:01          1 \r\n"));
        QCOMPARE(SessionLog(path).nextSessionNumber().value, 6);
    }

    void failingWriteIsReported()
    {
        TempApp app;
        const QString path = app.file(QStringLiteral("no such folder/populnv.ppl"));
        const auto f = SessionLog(path).appendSession(1, QDateTime::currentDateTime(), QDateTime::currentDateTime());
        QCOMPARE(f.number, platform::err::PathNotFound);

        SessionLog log(app.file(QStringLiteral("populnv.ppl")));
        QStringList written;
        log.setAppender([&](const QString &, const QStringList &lines) {
            written = lines;
            return platform::Failure{platform::err::FileAlreadyOpen, QStringLiteral("File already open")};
        });
        const QDateTime start(QDate(2026, 12, 7), QTime(9, 30, 0));
        QCOMPARE(log.appendSession(1, start, start).number, platform::err::FileAlreadyOpen);
        QCOMPARE(written.size(), 1);
    }

    void historyKeepsFileOrderAndTotals()
    {
        TempApp app;
        const QString path = app.file(QStringLiteral("populnv.ppl"));
        SessionLog log(path);
        const QDateTime start(QDate(2026, 12, 7), QTime(9, 30, 0));
        log.appendSession(1, start, start.addSecs(10));
        log.appendSession(2, start.addSecs(100), start.addSecs(120));
        log.appendSession(3, start.addSecs(200), start.addSecs(230));

        const auto h = log.readHistory();
        QVERIFY(!h.failure.isSet());
        QCOMPARE(h.entries.size(), 3);
        QCOMPARE(h.entries.at(0).number, 1);
        QCOMPARE(h.entries.at(2).number, 3);
        QCOMPARE(h.entries.at(2).seconds, qint64(30));
        QCOMPARE(h.entries.at(1).startText, QStringLiteral("7 Dec 2026 09:31:40      "));
        QCOMPARE(h.totalSeconds, qint64(60));
        QCOMPARE(SessionLog::TotalTime(h.totalSeconds),
                 QStringLiteral("Total duration: 0day(s):00h:01m:00s (60 seconds)"));
    }

    void historyHasNoLimit()
    {
        TempApp app;
        const QString path = app.file(QStringLiteral("populnv.ppl"));
        QByteArray bytes;
        for (int i = 1; i <= 6000; ++i)
            bytes += SessionLog::sessionLine(i, QStringLiteral("a"), QStringLiteral("b"), 1).toUtf8() + "\r\n";
        writeBytes(path, bytes);
        const auto h = SessionLog(path).readHistory();
        QVERIFY(!h.failure.isSet());
        QCOMPARE(h.entries.size(), 6000);
        QCOMPARE(h.totalSeconds, qint64(6000));
    }

    void historyOfMissingFileFails()
    {
        TempApp app;
        const auto h = SessionLog(app.file(QStringLiteral("populnv.ppl"))).readHistory();
        QCOMPARE(h.failure.number, platform::err::FileNotFound);
        QCOMPARE(h.failure.description, QStringLiteral("File not found"));
    }

    void damagedLengthCountsAsNone_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<qint64>("seconds");
        const QString texts = QStringLiteral(" 4            7 Dec 2026 09:30:00         7 Dec 2026 09:30:10          ");
        QTest::newRow("rounded") << texts + "10.6 " << qint64(11);
        QTest::newRow("not a number") << texts + "ten " << qint64(0);
        QTest::newRow("infinite") << texts + "inf " << qint64(0);
        QTest::newRow("not a number at all") << texts + "nan " << qint64(0);
        QTest::newRow("beyond any session") << texts + "1e300 " << qint64(0);
        QTest::newRow("number alone") << " 4 " << qint64(0);
    }

    void damagedLengthCountsAsNone()
    {
        QFETCH(QString, line);
        QFETCH(qint64, seconds);
        const auto entry = SessionLog::parseLine(line);
        QVERIFY(entry);
        QCOMPARE(entry->number, 4);
        QCOMPARE(entry->seconds, seconds);
    }

    void historySkipsDamagedLines()
    {
        TempApp app;
        const QString path = app.file(QStringLiteral("populnv.ppl"));
        writeBytes(path, " 1            7 Dec 2026 09:30:00         7 Dec 2026 09:30:10          10 \r\n"
                         "garbage\r\n"
                         "\r\n"
                         " 2            7 Dec 2026 09:40:00         7 Dec 2026 09:40:20          twenty \r\n");
        const auto h = SessionLog(path).readHistory();
        QVERIFY(!h.failure.isSet());
        QCOMPARE(h.entries.size(), 2);
        QCOMPARE(h.entries.at(1).number, 2);
        QCOMPARE(h.entries.at(1).seconds, qint64(0));
        QCOMPARE(h.totalSeconds, qint64(10));
    }
};

QTEST_GUILESS_MAIN(SessionLogTest)
#include "sessionlog_test.moc"
