// SPDX-License-Identifier: GPL-3.0-or-later
#include "browse/navfixture.h"

#include <QDir>
#include <QFile>
#include <QMouseEvent>

using platform::Button;
using platform::Buttons;
using platform::Icon;

namespace {

const QString IncorrectPassword = QStringLiteral("Incorrect password, only authorised persons can delete\r\n"
                                                 "all contents of the Database file");

void doubleClick(QWidget *w)
{
    QMouseEvent e(QEvent::MouseButtonDblClick, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                  Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void writePicture(const QString &path, const QColor &colour)
{
    QImage image(80, 100, QImage::Format_RGB32);
    image.fill(colour);
    QVERIFY(image.save(path, "JPG"));
}

} // namespace

class RecordCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void displayAppliesDefaultsOnlyOnScreen()
    {
        NavFixture f;
        const qint32 plain = f.addSong(QStringLiteral("CD1"), QStringLiteral("plain"));
        const qint32 marked = f.addSong(QStringLiteral("CD1"), QStringLiteral("marked"), QStringLiteral("Party"),
                                        QStringLiteral("Lost"));
        auto &w = f.load();
        w.DisplayRecord(QString::number(plain));
        QCOMPARE(f.text("txtID"), QString::number(plain));
        QCOMPARE(f.text("Text5"), QStringLiteral("plain"));
        QCOMPARE(f.text("Text4"), QStringLiteral("CD1"));
        QCOMPARE(f.text("Text3"), QStringLiteral("/music"));
        QCOMPARE(f.text("Text11"), QStringLiteral("NA"));
        QCOMPARE(f.text("Text6"), QStringLiteral("1234"));
        QCOMPARE(f.text("Text7"), QStringLiteral("07-12-2026 10:00:00"));
        QCOMPARE(f.text("Text9"), QStringLiteral("Artist"));
        QCOMPARE(f.text("Text10"), QStringLiteral("3"));
        QCOMPARE(f.text("Text8"), QStringLiteral("Un-categorized"));
        QCOMPARE(f.text("Text12"), QStringLiteral("OK"));
        QVERIFY(f.stored(plain, QStringLiteral("OccasionID")).isNull());

        w.DisplayRecord(QString::number(marked));
        QCOMPARE(f.text("Text8"), QStringLiteral("Party"));
        QCOMPARE(f.text("Text12"), QStringLiteral("Lost"));
        // No such key, or no key at all: the boxes keep what they show.
        w.DisplayRecord(QStringLiteral("999"));
        w.DisplayRecord(QStringLiteral("x"));
        QCOMPARE(f.text("Text5"), QStringLiteral("marked"));
        w.DisplayFirstRecord();
        QCOMPARE(f.text("txtID"), QString::number(plain));
        QCOMPARE(f.text("Text12"), QStringLiteral("OK"));
        QVERIFY(f.app.dialogs.shown.isEmpty());
    }

    void keysAboveSixteenBitsAreOrdinary()
    {
        NavFixture f;
        f.app.exec(QStringLiteral("insert into table1 (ID, DiskID, TitleSID) values (40000, 'BIG', 'big one')"));
        auto &w = f.load();
        w.DisplayRecord(QStringLiteral("40000"));
        QCOMPARE(f.text("Text5"), QStringLiteral("big one"));
        f.click("EditRecord");
        f.box("Text9")->setText(QStringLiteral("Someone"));
        f.click("EditRecord");
        QVERIFY(f.app.dialogs.shown.isEmpty());
        QCOMPARE(f.stored(40000, QStringLiteral("ArtistID")).toString(), QStringLiteral("Someone"));
        QCOMPARE(f.w<QPushButton>("EditRecord")->text(), QStringLiteral("&Edit"));
    }

    void recordNumberIsAPositionNotAKey()
    {
        NavFixture f;
        QList<qint32> ids;
        for (const char *t : {"a", "b", "c", "d", "e"})
            ids << f.addSong(QStringLiteral("CD"), QString::fromLatin1(t));
        f.app.exec(QStringLiteral("delete from table1 where ID = %1").arg(ids[1]));
        f.load();
        QTest::keyClicks(f.box("Text13"), QStringLiteral("3"));
        QCOMPARE(f.text("txtID"), QString::number(ids[3]));
        QCOMPARE(f.text("Text5"), QStringLiteral("d"));
        QCOMPARE(f.text("Text1"), QStringLiteral("3"));
        QVERIFY(f.app.dialogs.shown.isEmpty());

        // Only digits and Backspace reach the box; Enter does nothing at all.
        f.box("Text13")->clear();
        QTest::keyClicks(f.box("Text13"), QStringLiteral("x2-"));
        QCOMPARE(f.text("Text13"), QStringLiteral("2"));
        QTest::keyClick(f.box("Text13"), Qt::Key_Return);
        QTest::keyClick(f.box("Text13"), Qt::Key_Backspace);
        QCOMPARE(f.text("Text13"), QString());
        QCOMPARE(f.text("Text5"), QStringLiteral("c"));
        // Pasted words are ignored.
        f.box("Text13")->setText(QStringLiteral("two"));
        QVERIFY(f.app.dialogs.shown.isEmpty());
    }

    void outOfRangeNumbers_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("messages");
        QTest::addColumn<QString>("title");
        // An empty table refuses the reset to 1 as well: the message comes twice.
        QTest::newRow("empty table") << 0 << "5" << 2 << "";
        QTest::newRow("zero") << 2 << "0" << 1 << "first";
        QTest::newRow("too big") << 2 << "3" << 1 << "first";
    }
    void outOfRangeNumbers()
    {
        QFETCH(int, records);
        QFETCH(QString, typed);
        QFETCH(int, messages);
        QFETCH(QString, title);
        NavFixture f;
        for (int i = 0; i < records; ++i)
            f.addSong(QStringLiteral("CD"), i == 0 ? QStringLiteral("first") : QStringLiteral("other"));
        f.load();
        QTest::keyClicks(f.box("Text13"), typed);
        QCOMPARE(f.app.dialogs.shown.size(), messages);
        for (const auto &m : f.app.dialogs.shown) {
            QCOMPARE(m.text, QStringLiteral("Record Number should lie between 1 and %1").arg(records));
            QCOMPARE(m.icon, Icon::None);
        }
        QCOMPARE(f.text("Text13"), QStringLiteral("1"));
        QCOMPARE(f.text("Text5"), title);
    }

    void editingFollowsTheTitleLength_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("titleOpen");
        QTest::newRow("15") << 15 << true;
        QTest::newRow("16") << 16 << false;
    }
    void editingFollowsTheTitleLength()
    {
        QFETCH(int, length);
        QFETCH(bool, titleOpen);
        NavFixture f;
        const qint32 id = f.addSong(QStringLiteral("CD"), QString(length, QLatin1Char('t')));
        f.load().DisplayRecord(QString::number(id));
        for (const char *name : {"Text5", "Text8", "Text9", "Text12"}) {
            QVERIFY(f.box(name)->isReadOnly());
            QCOMPARE(f.box(name)->palette().color(QPalette::Text), QColor(128, 0, 0));
        }
        f.click("EditRecord");
        QCOMPARE(f.w<QPushButton>("EditRecord")->text(), QStringLiteral("&Update"));
        for (const char *name : {"Text8", "Text9", "Text12"}) {
            QVERIFY(!f.box(name)->isReadOnly());
            QCOMPARE(f.box(name)->palette().color(QPalette::Text), QColor(255, 0, 0));
        }
        QCOMPARE(!f.box("Text5")->isReadOnly(), titleOpen);
    }

    void updateStoresTheBoxesAsTheyStand()
    {
        NavFixture f;
        const qint32 id = f.addSong(QStringLiteral("CD"), QStringLiteral("short"));
        f.load().DisplayRecord(QString::number(id));
        f.click("EditRecord");
        f.box("Text5")->setText(QStringLiteral("Don't stop"));
        f.click("EditRecord");
        QVERIFY(f.app.dialogs.shown.isEmpty());
        QCOMPARE(f.stored(id, QStringLiteral("TitleSID")).toString(), QStringLiteral("Don't stop"));
        QCOMPARE(f.stored(id, QStringLiteral("OccasionID")).toString(), QStringLiteral("Un-categorized"));
        QCOMPARE(f.stored(id, QStringLiteral("StatusID")).toString(), QStringLiteral("OK"));
        QCOMPARE(f.w<QPushButton>("EditRecord")->text(), QStringLiteral("&Edit"));
        QVERIFY(f.box("Text8")->isReadOnly());
        QCOMPARE(f.box("Text8")->palette().color(QPalette::Text), QColor(128, 0, 0));
    }

    void updateWithoutRecordKeepsEditing_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("message");
        QTest::newRow("no record shown") << "" << "13\r\nType mismatch";
        QTest::newRow("record gone") << "77" << "3021\r\n";
    }
    void updateWithoutRecordKeepsEditing()
    {
        QFETCH(QString, key);
        QFETCH(QString, message);
        NavFixture f;
        f.load();
        f.box("txtID")->setText(key);
        f.click("EditRecord");
        f.click("EditRecord");
        QCOMPARE(f.app.dialogs.shown.size(), 1);
        QVERIFY2(f.app.dialogs.shown[0].text.startsWith(message), qPrintable(f.app.dialogs.shown[0].text));
        QCOMPARE(f.w<QPushButton>("EditRecord")->text(), QStringLiteral("&Update"));
        QVERIFY(!f.box("Text8")->isReadOnly());
    }

    void deleteDiskMatchesExactly()
    {
        NavFixture f;
        f.addSong(QStringLiteral("CD1"), QStringLiteral("a"));
        f.addSong(QStringLiteral("cd1"), QStringLiteral("b"));
        f.addSong(QStringLiteral("CD1 "), QStringLiteral("c"));
        f.addSong(QStringLiteral("CD1"), QStringLiteral("d"));
        f.addSong(QStringLiteral("CD2"), QStringLiteral("e"));
        auto &w = f.load();
        f.click("SearchDisks");
        QCOMPARE(f.text("Text2"), QStringLiteral("CD1"));
        QVERIFY(f.w<QPushButton>("DeleteDisk")->isEnabled());
        f.app.dialogs.clear();
        f.app.dialogs.queueAnswer(Button::Yes);
        f.app.dialogs.queueAnswer(Button::No);
        f.app.dialogs.pointerOf = &w;
        f.click("DeleteDisk");
        // The refilled label list inside the command leaves the hourglass on until the command ends.
        QCOMPARE(f.app.dialogs.pointers, QList<Qt::CursorShape>({Qt::WaitCursor, Qt::WaitCursor}));
        QCOMPARE(w.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(f.app.dialogs.shown.size(), 2);
        QCOMPARE(f.app.dialogs.shown[0].text,
                 QStringLiteral("Really want to delete the enteries of Disk labelled CD1?"));
        QCOMPARE(f.app.dialogs.shown[0].icon, Icon::Exclamation);
        QCOMPARE(f.app.dialogs.shown[0].buttons, Buttons::YesNo);
        QCOMPARE(f.app.dialogs.shown[1].text, QStringLiteral("2 Records of the selected Disk deleted successfully.\r\n"
                                                             "Want to update the 'Show All' list?"));
        QCOMPARE(f.app.dialogs.shown[1].icon, Icon::Information);
        QCOMPARE(f.app.rowCount(), 3);
        QCOMPARE(w.totalRecords(), 3);
        QCOMPARE(f.w<QLabel>("Label4")->text(), QStringLiteral("3"));
        QCOMPARE(NavFixture::lines(f.list("List1")).size(), 3);
        QVERIFY(!NavFixture::lines(f.list("List1")).contains(QStringLiteral("CD1")));

        // No: nothing deleted, and the button is switched off.
        f.app.dialogs.clear();
        f.click("DeleteDisk");
        QCOMPARE(f.app.rowCount(), 3);
        QVERIFY(!f.w<QPushButton>("DeleteDisk")->isEnabled());
    }

    void deletingADiskRefillsBothLists()
    {
        NavFixture f;
        const qint32 a = f.addSong(QStringLiteral("CD1"), QStringLiteral("a"));
        f.addSong(QStringLiteral("CD2"), QStringLiteral("b"));
        const qint32 c = f.addSong(QStringLiteral("CD3"), QStringLiteral("c"));
        f.addSong(QStringLiteral("CD2"), QStringLiteral("d"));
        f.load();
        f.click("ShowAll");
        f.click("SearchDisks");
        NavFixture::setCurrentRow(f.list("List1"), 1);
        QCOMPARE(f.text("Text2"), QStringLiteral("CD2"));
        f.app.dialogs.queueAnswer(Button::Yes);
        f.app.dialogs.queueAnswer(Button::Yes);
        f.click("DeleteDisk");
        QCOMPARE(NavFixture::lines(f.list("List1")), QStringList({"CD1", "CD3"}));
        QCOMPARE(NavFixture::ids(f.list("List1")), QList<int>({0, 0}));
        QCOMPARE(NavFixture::lines(f.list("DataList1")), QStringList({"a", "c"}));
        QCOMPARE(NavFixture::ids(f.list("DataList1")), QList<int>({a, c}));
        QCOMPARE(f.w<QLabel>("Label15")->text(), QStringLiteral("Showing all records (2):"));
    }

    void deleteDiskIsOfferedFromTheStart()
    {
        NavFixture f;
        f.addSong(QStringLiteral("CD1"), QStringLiteral("a"));
        auto &w = f.load();
        QVERIFY(f.w<QPushButton>("DeleteDisk")->isEnabled());
        f.box("Text2")->setText(QStringLiteral("NOPE"));
        f.app.dialogs.queueAnswer(Button::Yes);
        f.app.dialogs.queueAnswer(Button::No);
        f.click("DeleteDisk");
        QCOMPARE(f.app.dialogs.texts(),
                 QStringList({QStringLiteral("Really want to delete the enteries of Disk labelled NOPE?"),
                              QStringLiteral("0 Records of the selected Disk deleted successfully.\r\n"
                                             "Want to update the 'Show All' list?")}));
        QCOMPARE(f.app.rowCount(), 1);
        QCOMPARE(w.totalRecords(), 1);
        QCOMPARE(f.w<QLabel>("Label4")->text(), QStringLiteral("1"));
        QCOMPARE(w.cursor().shape(), Qt::ArrowCursor);
    }

    void deleteDiskWithoutDataSourceSaysSo()
    {
        NavFixture f(TempApp::missingConnectString());
        auto &w = f.load();
        f.box("Text2")->setText(QStringLiteral("CD1"));
        f.click("DeleteDisk");
        QCOMPARE(f.app.dialogs.shown.size(), 1);
        QVERIFY2(f.app.dialogs.shown[0].text.startsWith(QLatin1String("3709\r\n")),
                 qPrintable(f.app.dialogs.shown[0].text));
        QCOMPARE(f.app.dialogs.shown[0].buttons, Buttons::Ok);
        QCOMPARE(w.cursor().shape(), Qt::ArrowCursor);
    }

    void deletingTheLastDiskRefreshesAnEmptyList()
    {
        NavFixture f;
        f.addSong(QStringLiteral("ONLY"), QStringLiteral("a"));
        auto &w = f.load();
        f.click("ShowAll");
        f.click("SearchDisks");
        f.app.dialogs.clear();
        f.app.dialogs.queueAnswer(Button::Yes);
        f.app.dialogs.queueAnswer(Button::Ok);
        f.app.dialogs.queueAnswer(Button::Yes);
        f.click("DeleteDisk");
        QCOMPARE(f.app.dialogs.texts().value(1), QStringLiteral("No record found to display"));
        QCOMPARE(w.totalRecords(), 0);
        QCOMPARE(NavFixture::count(f.list("DataList1")), 0);
        QCOMPARE(NavFixture::currentRow(f.list("DataList1")), -1);
        QCOMPARE(f.w<QLabel>("Label15")->text(), QStringLiteral("Showing all records (0):"));
    }

    void deleteAllNeedsRecordsAndThePassword()
    {
        NavFixture f;
        f.load();
        f.click("DeleteAll");
        QCOMPARE(f.app.dialogs.texts(), QStringList{QStringLiteral("There is no record to delete.")});
        QCOMPARE(f.app.dialogs.shown[0].icon, Icon::Information);
        QVERIFY(f.w<QPushButton>("OK")->isHidden());
    }

    void deleteAllRefusesAWrongPassword()
    {
        NavFixture f;
        f.addSong(QStringLiteral("CD"), QStringLiteral("a"));
        f.addSong(QStringLiteral("CD"), QStringLiteral("b"));
        f.load();
        f.app.dialogs.queueAnswer(Button::Yes);
        f.click("DeleteAll");
        QCOMPARE(f.app.dialogs.shown[0].text,
                 QStringLiteral("Do you really want to delete all the 2 database records?\r\n"
                                "If yes, then enter password in the left box and press OK."));
        QCOMPARE(f.app.dialogs.shown[0].icon, Icon::Critical);
        QVERIFY(f.box("Text13")->isHidden());
        QVERIFY(f.w<QLabel>("Label16")->isHidden());
        QVERIFY(!f.box("Text14")->isHidden());
        QVERIFY(!f.w<QLabel>("Label21")->isHidden());
        QCOMPARE(f.box("Text14")->echoMode(), QLineEdit::Password);
        QTest::keyClicks(f.box("Text14"), QStringLiteral("Wipe"));
        QCOMPARE(f.box("Text14")->displayText(), QStringLiteral("****"));

        f.box("Text14")->setText(QStringLiteral("WipeTable"));
        f.click("OK");
        QCOMPARE(f.app.dialogs.shown[1].text, IncorrectPassword);
        QCOMPARE(f.app.dialogs.shown[1].icon, Icon::Exclamation);
        QCOMPARE(f.app.rowCount(), 2);
        QVERIFY(!f.box("Text13")->isHidden());
        QVERIFY(f.box("Text14")->isHidden());
        QVERIFY(f.w<QPushButton>("OK")->isHidden());
        QCOMPARE(f.text("Text14"), QStringLiteral("WipeTable"));
    }

    void deleteAllEmptiesTableAndWindow()
    {
        NavFixture f;
        f.addSong(QStringLiteral("CD"), QStringLiteral("a"));
        f.addSong(QStringLiteral("CD"), QStringLiteral("b"));
        auto &w = f.load();
        f.click("ShowAll");
        f.app.dialogs.queueAnswer(Button::Yes);
        f.click("DeleteAll");
        f.box("Text14")->setText(QStringLiteral("wipetable"));
        f.click("OK");
        QCOMPARE(f.app.dialogs.texts().last(), QStringLiteral("All records of the Database file delected."));
        QCOMPARE(f.app.rowCount(), 0);
        QCOMPARE(w.totalRecords(), 0);
        QCOMPARE(f.w<QLabel>("Label4")->text(), QStringLiteral("0"));
        QCOMPARE(NavFixture::count(f.list("DataList1")), 0);
        for (const char *name : {"txtID", "Text1", "Text3", "Text5", "Text8", "Text12", "Text13", "Text14"})
            QCOMPARE(f.text(name), QString());
        QCOMPARE(f.w<QLabel>("Label15")->text(), QString());
        QVERIFY(!f.box("Text13")->isHidden());
        QVERIFY(f.w<QPushButton>("OK")->isHidden());

        f.app.dialogs.clear();
        QTest::keyClicks(f.box("Text13"), QStringLiteral("1"));
        QCOMPARE(f.app.dialogs.texts().value(0), QStringLiteral("Record Number should lie between 1 and 0"));
    }

    void photographIsAddedForTheDisk()
    {
        NavFixture f;
        const qint32 first = f.addSong(QStringLiteral("CD1"), QStringLiteral("a"));
        const qint32 second = f.addSong(QStringLiteral("CD1"), QStringLiteral("b"));
        const qint32 other = f.addSong(QStringLiteral("CD2"), QStringLiteral("c"));
        auto &w = f.load();
        w.DisplayRecord(QString::number(first));
        writePicture(f.app.file(QStringLiteral("chosen.jpeg")), Qt::red);

        // Cancelled: nothing stored, nothing said.
        f.app.dialogs.queueAnswer(Button::Yes);
        f.app.dialogs.queueFile(std::nullopt);
        doubleClick(f.w<QLabel>("Label23"));
        QCOMPARE(f.app.dialogs.shown.size(), 1);
        QCOMPARE(f.app.dialogs.shown[0].text, QStringLiteral("Want to add photo of Artist related to this Disk?"));
        QCOMPARE(f.app.dialogs.shown[0].icon, Icon::Information);
        QCOMPARE(f.app.dialogs.opened[0].filter, QStringLiteral("All supported picture files (*.jpg)|*.jpg;*.jpeg"));
        QCOMPARE(f.app.dialogs.opened[0].initialFolder, f.app.file(QStringLiteral("Photographs")));
        QVERIFY(QDir(f.app.file(QStringLiteral("Photographs"))).exists());
        QVERIFY(!QFile::exists(f.app.file(QStringLiteral("Photographs/CD1.jpg"))));

        f.app.dialogs.queueAnswer(Button::Yes);
        f.app.dialogs.queueFile(f.app.file(QStringLiteral("chosen.jpeg")));
        doubleClick(f.w<QLabel>("Label23"));
        QCOMPARE(f.app.dialogs.shown.size(), 2);
        QVERIFY(QFile::exists(f.app.file(QStringLiteral("Photographs/CD1.jpg"))));
        auto *photo = f.w<QLabel>("Image8");
        QVERIFY(!photo->isHidden());
        QVERIFY(!photo->pixmap().isNull());

        // Shown for every record of that disk, and for no other disk.
        w.DisplayRecord(QString::number(second));
        QCOMPARE(w.loadPhoto().number, 0);
        w.DisplayRecord(QString::number(other));
        QCOMPARE(w.loadPhoto().number, platform::err::FileNotFound);
        QVERIFY(photo->pixmap().isNull());

        // Replacing asks with the exclamation icon.
        w.DisplayRecord(QString::number(first));
        f.app.dialogs.clear();
        f.app.dialogs.queueAnswer(Button::No);
        doubleClick(photo);
        QCOMPARE(f.app.dialogs.shown[0].text,
                 QStringLiteral("Want to replace photo of the Artist related to this Disk?"));
        QCOMPARE(f.app.dialogs.shown[0].icon, Icon::Exclamation);
        QVERIFY(f.app.dialogs.opened.isEmpty());
    }

    void photographNameNeverLeavesItsFolder()
    {
        NavFixture f;
        const qint32 id = f.addSong(QStringLiteral("../escape"), QStringLiteral("a"));
        auto &w = f.load();
        w.DisplayRecord(QString::number(id));
        writePicture(f.app.file(QStringLiteral("chosen.jpg")), Qt::blue);
        f.app.dialogs.queueAnswer(Button::Yes);
        f.app.dialogs.queueFile(f.app.file(QStringLiteral("chosen.jpg")));
        doubleClick(f.w<QLabel>("Label23"));
        QCOMPARE(f.app.dialogs.shown.size(), 1);
        QCOMPARE(f.app.dialogs.shown[0].text,
                 QStringLiteral("The Disk label '../escape' cannot name a photograph file: it must not contain '/', "
                                "'\\' or a control character, and must not be '.' or '..'."));
        QVERIFY(f.app.dialogs.opened.isEmpty());
        QVERIFY(!QFile::exists(f.app.file(QStringLiteral("escape.jpg"))));
    }
};

QTEST_MAIN(RecordCommandsTest)
#include "recordcommands_test.moc"
