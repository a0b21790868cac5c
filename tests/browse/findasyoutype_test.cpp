// SPDX-License-Identifier: GPL-3.0-or-later
#include "browse/navfixture.h"

#include "browse/resultlist.h"
#include "platform/settingsfile.h"
#include "ui/findasyoutype.h"

#include <QCheckBox>
#include <QFile>
#include <QSignalSpy>
#include <QTimer>

// Finding as you type in the navigation window: after a pause in typing the
// matches show as a Find shows them, without a message; the newest text
// wins; a command that takes the lists stops it; the box is remembered.
namespace {

QCheckBox *box(const NavFixture &f)
{
    return f.w<QCheckBox>("FindAsYouType");
}

QString heading(const NavFixture &f)
{
    return f.w<QLabel>("Label15")->text();
}

// Replaces the search text as typing does.
void type(NavFixture &f, const QString &text)
{
    QLineEdit *search = f.box("Text2");
    search->setFocus();
    QTest::keyClick(search, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(search, Qt::Key_Backspace);
    QTest::keyClicks(search, text);
}

} // namespace

class FindAsYouTypeTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        f = std::make_unique<NavFixture>();
        for (const char *title : {"alpha", "alphabet", "beta", "gamma", "gamma ray"})
            ids << f->addSong(QStringLiteral("CD1"), QString::fromLatin1(title));
        f->load();
        f->window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f->window.get()));
    }

    void cleanup()
    {
        f.reset();
        ids.clear();
    }

    void theBoxIsOffAtFirstAndRemembered()
    {
        QVERIFY(box(*f));
        QCOMPARE(box(*f)->text(), QStringLiteral("As You T&ype"));
        QVERIFY(!box(*f)->isChecked());
        const QString settings = f->app.file(platform::SettingsFile::FileName);
        QVERIFY(!QFile::exists(settings));

        box(*f)->setChecked(true);
        QFile file(settings);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("FindAsYouType=1\r\n"));
        file.close();
        // The next session: the window made again.
        f->load();
        QVERIFY(box(*f)->isChecked());
        box(*f)->setChecked(false);
        f->load();
        QVERIFY(!box(*f)->isChecked());
    }

    void typingFindsAfterAPause_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("through the index")
            << QStringLiteral("alph") << QStringList({QStringLiteral("alpha"), QStringLiteral("alphabet")});
        QTest::newRow("two letters") << QStringLiteral("et")
                                     << QStringList({QStringLiteral("alphabet"), QStringLiteral("beta")});
        QTest::newRow("one match") << QStringLiteral("ray") << QStringList({QStringLiteral("gamma ray")});
        QTest::newRow("no match") << QStringLiteral("zzz") << QStringList();
    }

    void typingFindsAfterAPause()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        box(*f)->setChecked(true);
        f->click("ShowAll");
        QSignalSpy shown(f->window->findChild<browse::FindAsYouType *>(), &browse::FindAsYouType::resultShown);
        type(*f, text);
        QTRY_VERIFY(shown.size() >= 1);

        QListView *found = f->list("List1");
        QTRY_COMPARE(heading(*f), QStringLiteral("Matched List (%1):").arg(lines.size()));
        QTRY_COMPARE(NavFixture::lines(found), lines);
        QVERIFY(!found->isHidden());
        QVERIFY(f->list("DataList1")->isHidden());
        QVERIFY(f->app.dialogs.shown.isEmpty());
        QCOMPARE(f->text("Text2"), text);
        if (lines.isEmpty()) {
            QCOMPARE(f->text("Text5"), QString());
            QCOMPARE(f->text("Text1"), QString());
            QVERIFY(!f->w<QPushButton>("EditRecord")->isEnabled());
            return;
        }
        // As a Find shows its first match.
        QCOMPARE(NavFixture::currentRow(found), 0);
        QCOMPARE(f->text("Text5"), lines.first());
        QCOMPARE(f->text("txtID"), QString::number(NavFixture::ids(found).first()));
        QCOMPARE(f->text("Text1"), QStringLiteral("1"));
        QCOMPARE(f->w<QGroupBox>("Frame1")->title(), QStringLiteral("Showing From Found Results List"));
        QVERIFY(f->w<QPushButton>("EditRecord")->isEnabled());
        QVERIFY(!f->w<QPushButton>("DeleteDisk")->isEnabled());
    }

    void theNewestTextWins()
    {
        box(*f)->setChecked(true);
        auto *typing = f->window->findChild<browse::FindAsYouType *>();
        QSignalSpy started(typing, &browse::FindAsYouType::searchStarted);
        type(*f, QStringLiteral("gam"));
        QTRY_COMPARE(started.size(), 1);
        // Typed on before the first search has reported, or after.
        type(*f, QStringLiteral("bet"));
        QTRY_COMPARE(started.size(), 2);
        QTRY_COMPARE(
            NavFixture::lines(f->list("List1")), QStringList({QStringLiteral("alphabet"), QStringLiteral("beta")}));
        QCOMPARE(heading(*f), QStringLiteral("Matched List (2):"));
        QCOMPARE(f->text("Text5"), QStringLiteral("alphabet"));
        QVERIFY(f->app.dialogs.shown.isEmpty());
    }

    void anEmptyTextLeavesTheList()
    {
        box(*f)->setChecked(true);
        auto *typing = f->window->findChild<browse::FindAsYouType *>();
        type(*f, QStringLiteral("gam"));
        QTRY_COMPARE(
            NavFixture::lines(f->list("List1")), QStringList({QStringLiteral("gamma"), QStringLiteral("gamma ray")}));
        QSignalSpy started(typing, &browse::FindAsYouType::searchStarted);
        auto *pause = f->window->findChild<QTimer *>(QStringLiteral("TypingPause"));
        QTest::keyClick(f->box("Text2"), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(f->box("Text2"), Qt::Key_Backspace);
        QVERIFY(pause->isActive());
        QTRY_VERIFY(!pause->isActive());
        QCOMPARE(started.size(), 0);
        QCOMPARE(
            NavFixture::lines(f->list("List1")), QStringList({QStringLiteral("gamma"), QStringLiteral("gamma ray")}));
        QCOMPARE(heading(*f), QStringLiteral("Matched List (2):"));
    }

    // Without the box typing only types, and text the program puts in the
    // box (a label clicked) searches nothing.
    void onlyTypingWithTheBoxOnSearches()
    {
        auto *pause = f->window->findChild<QTimer *>(QStringLiteral("TypingPause"));
        type(*f, QStringLiteral("gam"));
        QVERIFY(!pause->isActive());
        box(*f)->setChecked(true);
        f->click("SearchDisks");
        QCOMPARE(f->text("Text2"), QStringLiteral("CD1"));
        QVERIFY(!pause->isActive());
    }

    // A command that takes over the lists ends the search typed before it.
    void findTakesOverFromTyping()
    {
        box(*f)->setChecked(true);
        auto *pause = f->window->findChild<QTimer *>(QStringLiteral("TypingPause"));
        type(*f, QStringLiteral("gam"));
        QVERIFY(pause->isActive());
        f->box("Text2")->setText(QStringLiteral("bet"));
        f->click("Find");
        QVERIFY(!pause->isActive());
        QCOMPARE(
            NavFixture::lines(f->list("List1")), QStringList({QStringLiteral("alphabet"), QStringLiteral("beta")}));
        QCOMPARE(heading(*f), QStringLiteral("Matched List (2):"));
    }

    // Whatever it reads, a write goes through beside it.
    void writesGoThroughWhileASearchRuns()
    {
        box(*f)->setChecked(true);
        auto *typing = f->window->findChild<browse::FindAsYouType *>();
        QSignalSpy started(typing, &browse::FindAsYouType::searchStarted);
        type(*f, QStringLiteral("alp"));
        QTRY_COMPARE(started.size(), 1);
        f->app.dialogs.queueAnswer(platform::Button::Yes);
        f->click("DeleteAll");
        f->box("Text14")->setText(QStringLiteral("wipetable"));
        f->click("OK");
        QCOMPARE(f->app.dialogs.texts().last(), QStringLiteral("All records of the Database file delected."));
        QCOMPARE(f->app.rowCount(), 0);
    }

    // What the results heading says while lines still come or a long read
    // or save goes on.
    void headingsUnderWay_data()
    {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("expected");
        QTest::newRow("reading") << browse::readingHeading(3400000, 10000000)
                                 << QStringLiteral("Reading records: 3,400,000 of 10,000,000");
        QTest::newRow("reading, whole unknown")
            << browse::readingHeading(999) << QStringLiteral("Reading records: 999");
        QTest::newRow("saving") << browse::savingHeading(1000, 1000)
                                << QStringLiteral("Saving records: 1,000 of 1,000");
        QTest::newRow("more lines coming")
            << browse::matchedSoFarHeading(12000) << QStringLiteral("Matched List (at least 12000):");
    }
    void headingsUnderWay()
    {
        QFETCH(QString, heading);
        QFETCH(QString, expected);
        QCOMPARE(heading, expected);
    }

private:
    std::unique_ptr<NavFixture> f;
    QList<qint32> ids;
};

QTEST_MAIN(FindAsYouTypeTest)
#include "findasyoutype_test.moc"
