// SPDX-License-Identifier: GPL-3.0-or-later
#include "browse/hoverrules.h"
#include "browse/logofile.h"
#include "songdb/photographs.h"
#include "songdb/recorddisplay.h"
#include "songdb/recordnumberrule.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using songdb::Photographs;
using songdb::RecordNumberRule;
using Verdict = songdb::RecordNumberRule::Verdict;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class NavigationRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void recordNumberVerdict_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("verdict");
        QTest::addColumn<int>("position");
        QTest::newRow("in range") << "3" << 5 << int(Verdict::Show) << 3;
        QTest::newRow("last") << "5" << 5 << int(Verdict::Show) << 5;
        QTest::newRow("leading zeros and blanks") << " 007 " << 9 << int(Verdict::Show) << 7;
        QTest::newRow("above count") << "6" << 5 << int(Verdict::OutOfRange) << 0;
        QTest::newRow("zero") << "0" << 5 << int(Verdict::OutOfRange) << 0;
        QTest::newRow("empty table") << "1" << 0 << int(Verdict::OutOfRange) << 0;
        QTest::newRow("beyond 32 bits") << "99999999999999999999" << 5 << int(Verdict::OutOfRange) << 0;
        QTest::newRow("blank") << "   " << 5 << int(Verdict::Ignore) << 0;
        QTest::newRow("pasted words") << "abc" << 5 << int(Verdict::Ignore) << 0;
        QTest::newRow("pasted sign") << "-2" << 5 << int(Verdict::Ignore) << 0;
        QTest::newRow("pasted fraction") << "2.5" << 5 << int(Verdict::Ignore) << 0;
    }
    void recordNumberVerdict()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(int, verdict);
        QFETCH(int, position);
        qint32 got = 0;
        QCOMPARE(int(RecordNumberRule::check(text, count, &got)), verdict);
        QCOMPARE(got, position);
    }

    void recordNumberKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("digit") << int(Qt::Key_7) << "7" << true;
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << "\b" << true;
        QTest::newRow("letter") << int(Qt::Key_A) << "a" << false;
        QTest::newRow("blank") << int(Qt::Key_Space) << " " << false;
        QTest::newRow("minus") << int(Qt::Key_Minus) << "-" << false;
        QTest::newRow("enter") << int(Qt::Key_Return) << "\r" << false;
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << "\r" << false;
        QTest::newRow("arrow") << int(Qt::Key_Left) << "" << true;
        QTest::newRow("paste shortcut") << int(Qt::Key_V) << "\x16" << true;
    }
    void recordNumberKeys()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QCOMPARE(RecordNumberRule::acceptsKey(key, text), accepted);
    }

    void rangeMessageAndKeys()
    {
        QCOMPARE(RecordNumberRule::rangeMessage(0), QStringLiteral("Record Number should lie between 1 and 0"));
        QCOMPARE(songdb::recordKey(QStringLiteral(" 40000")), std::optional<qint32>(40000));
        QCOMPARE(songdb::recordKey(QString()), std::nullopt);
        QCOMPARE(songdb::recordKey(QStringLiteral("4x")), std::nullopt);
        QCOMPARE(songdb::recordKey(QStringLiteral("3000000000")), std::nullopt);
    }

    void titleEditableBelowSixteenCharacters()
    {
        QVERIFY(songdb::titleEditable(QString(15, QLatin1Char('x'))));
        QVERIFY(!songdb::titleEditable(QString(16, QLatin1Char('x'))));
        // Fifteen characters outside the basic plane are still fifteen characters.
        QString wide;
        for (int i = 0; i < 15; ++i)
            wide += QString::fromUcs4(U"\U0001F3B5", 1);
        QVERIFY(songdb::titleEditable(wide));
    }

    void photographNames_data()
    {
        QTest::addColumn<QString>("disk");
        QTest::addColumn<bool>("usable");
        QTest::newRow("plain") << "CD 01" << true;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("dots inside a word") << "v1.2" << true;
        QTest::newRow("slash") << "a/b" << false;
        QTest::newRow("parent") << "../x" << false;
        QTest::newRow("two dots") << ".." << false;
        QTest::newRow("one dot") << "." << false;
        QTest::newRow("dots ending a label") << "Hits..." << true;
        QTest::newRow("two dots inside") << "Vol..2" << true;
        QTest::newRow("three dots") << "..." << true;
        QTest::newRow("backslash") << "a\\b" << false;
        QTest::newRow("line break") << "a\nb" << false;
    }
    void photographNames()
    {
        QFETCH(QString, disk);
        QFETCH(bool, usable);
        const Photographs photos(QStringLiteral("/app"));
        QCOMPARE(Photographs::usableDiskId(disk), usable);
        QCOMPARE(photos.fileFor(disk).has_value(), usable);
        if (usable)
            QCOMPARE(*photos.fileFor(disk), QStringLiteral("/app/Photographs/") + disk + QStringLiteral(".jpg"));
    }

    void storingCopiesBytesUnderTheJpgName()
    {
        QTemporaryDir dir;
        const Photographs photos(dir.path());
        writeFile(dir.filePath(QStringLiteral("band.jpeg")), "first picture");
        QVERIFY(!photos.store(QStringLiteral("CD1"), dir.filePath(QStringLiteral("band.jpeg"))).isSet());
        QCOMPARE(readFile(dir.filePath(QStringLiteral("Photographs/CD1.jpg"))), QByteArray("first picture"));

        // Replacing, also with the photograph itself as the chosen file.
        writeFile(dir.filePath(QStringLiteral("other.jpg")), "second");
        QVERIFY(!photos.store(QStringLiteral("CD1"), dir.filePath(QStringLiteral("other.jpg"))).isSet());
        QVERIFY(!photos.store(QStringLiteral("CD1"), dir.filePath(QStringLiteral("Photographs/CD1.jpg"))).isSet());
        QCOMPARE(readFile(dir.filePath(QStringLiteral("Photographs/CD1.jpg"))), QByteArray("second"));

        QCOMPARE(photos.store(QStringLiteral("../CD1"), dir.filePath(QStringLiteral("other.jpg"))).number,
                 platform::err::InvalidArgument);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("CD1.jpg"))));
        QCOMPARE(photos.store(QStringLiteral("CD2"), dir.filePath(QStringLiteral("gone.jpg"))).number,
                 platform::err::FileNotFound);
    }

    void logoIsFoundWhateverItsCase()
    {
        QTemporaryDir dir;
        QCOMPARE(browse::findLogoFile(dir.path(), browse::LogoName), QString());
        writeFile(dir.filePath(QStringLiteral("PARVELLO.AVI")), "x");
        QCOMPARE(browse::findLogoFile(dir.path(), browse::LogoName), dir.filePath(QStringLiteral("PARVELLO.AVI")));
        QCOMPARE(browse::findLogoFile(dir.path(), browse::UserLogoName),
                 dir.filePath(QStringLiteral("PARVELLO.AVI")));
        // The exact name wins when both spellings lie there.
        writeFile(dir.filePath(QStringLiteral("parvello.avi")), "y");
        QCOMPARE(browse::findLogoFile(dir.path(), browse::LogoName), dir.filePath(QStringLiteral("parvello.avi")));
    }

    void hoverTargets()
    {
        using namespace browse::hoverrules;
        QCOMPARE(buttons().size(), 9);
        QCOMPARE(resetOnBackground().size(), 12);
        QCOMPARE(emphasised(QStringLiteral("Find")),
                 QStringList({QStringLiteral("Find"), QStringLiteral("Label13"), QStringLiteral("Text2"),
                              QStringLiteral("Combo1")}));
        QCOMPARE(emphasised(QStringLiteral("DeleteAll")), QStringList{QStringLiteral("DeleteAll")});
        QVERIFY(emphasised(QStringLiteral("OK")).isEmpty());
        QVERIFY(emphasised(QStringLiteral("List1")).isEmpty());
        // Whatever a button sets bold, the background sets back.
        for (const QString &b : buttons()) {
            for (const QString &target : emphasised(b))
                QVERIFY2(resetOnBackground().contains(target), qPrintable(target));
        }
    }
};

QTEST_GUILESS_MAIN(NavigationRulesTest)
#include "navigationrules_test.moc"
