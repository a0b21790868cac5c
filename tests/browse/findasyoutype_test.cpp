// SPDX-License-Identifier: GPL-3.0-or-later
#include "browse/navfixture.h"

#include "browse/resultlist.h"
#include "platform/settingsfile.h"
#include "ui/desktop/busywork.h"
#include "ui/findasyoutype.h"

#include <QCheckBox>
#include <QFile>
#include <QSignalSpy>
#include <QTimer>

// Finding as you type in the navigation window: after a pause in typing the
// matches show as a Find shows them, without a message; the newest text
// wins; a command that takes the lists stops it; the box is remembered.
class FindAsYouTypeTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        f = std::make_unique<NavFixture>();
        for (const char *title : {"alpha", "alphabet", "beta", "gamma", "gamma ray"})
            f->addSong(QStringLiteral("CD1"), QString::fromLatin1(title));
        f->load();
        f->window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f->window.get()));
    }

    void cleanup() { f.reset(); }

    // Off at first, and remembered. Only typing with the box on searches:
    // not the text a label click puts in the box; a Find takes over from
    // what was typed before it.
    void theBoxDecidesWhetherTypingSearches()
    {
        QCheckBox *box = f->w<QCheckBox>("FindAsYouType");
        auto *pause = f->w<QTimer>("TypingPause");
        QCOMPARE(box->text(), QStringLiteral("As You T&ype"));
        QVERIFY(!box->isChecked());
        type(QStringLiteral("gam"));
        QVERIFY(!pause->isActive());
        const QString settings = f->app.file(platform::SettingsFile::FileName);
        QVERIFY(!QFile::exists(settings));

        box->setChecked(true);
        QFile file(settings);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("FindAsYouType=1\r\n"));
        type(QStringLiteral("gam"));
        QVERIFY(pause->isActive());
        f->box("Text2")->setText(QStringLiteral("bet"));
        f->click("Find");
        QVERIFY(!pause->isActive());
        QCOMPARE(NavFixture::lines(f->list("List1")), QStringList({"alphabet", "beta"}));
        QCOMPARE(heading(), QStringLiteral("Matched List (2):"));
        f->click("SearchDisks");
        QCOMPARE(f->text("Text2"), QStringLiteral("CD1"));
        QVERIFY(!pause->isActive());

        // The next sessions: the window made again.
        f->load();
        QVERIFY(f->w<QCheckBox>("FindAsYouType")->isChecked());
        f->w<QCheckBox>("FindAsYouType")->setChecked(false);
        f->load();
        QVERIFY(!f->w<QCheckBox>("FindAsYouType")->isChecked());
    }

    // The matches of the newest text replace those of the text before.
    void typingFindsAfterAPause_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("two matches") << "alph" << QStringList {"alpha", "alphabet"};
        QTest::newRow("one match") << "ray" << QStringList {"gamma ray"};
        QTest::newRow("no match") << "zzz" << QStringList();
        QTest::newRow("empty, the list left as it is") << "" << QStringList {"gamma", "gamma ray"};
    }

    void typingFindsAfterAPause()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        f->w<QCheckBox>("FindAsYouType")->setChecked(true);
        f->click("ShowAll");
        QSignalSpy started(f->window->findChild<browse::FindAsYouType *>(), &browse::FindAsYouType::searchStarted);
        auto *pause = f->w<QTimer>("TypingPause");
        QListView *found = f->list("List1");
        type(QStringLiteral("gam"));
        QTRY_COMPARE(NavFixture::lines(found), QStringList({"gamma", "gamma ray"}));
        type(text);
        QVERIFY(pause->isActive());
        QTRY_VERIFY(!pause->isActive());
        QCOMPARE(started.size(), text.isEmpty() ? 1 : 2);

        QTRY_COMPARE(NavFixture::lines(found), lines);
        QTRY_COMPARE(heading(), QStringLiteral("Matched List (%1):").arg(lines.size()));
        QVERIFY(!found->isHidden());
        QVERIFY(f->list("DataList1")->isHidden());
        QVERIFY(f->app.dialogs.shown.isEmpty());
        QCOMPARE(f->text("Text2"), text);
        // As a Find shows its first match, or none.
        QCOMPARE(NavFixture::currentRow(found), lines.isEmpty() ? -1 : 0);
        QCOMPARE(f->text("Text5"), lines.value(0));
        QCOMPARE(f->text("txtID"), lines.isEmpty() ? QString() : QString::number(NavFixture::ids(found).first()));
        QCOMPARE(f->text("Text1"), lines.isEmpty() ? QString() : QStringLiteral("1"));
        QCOMPARE(f->w<QGroupBox>("Frame1")->title(), QStringLiteral("Showing From Found Results List"));
        QCOMPARE(f->w<QPushButton>("EditRecord")->isEnabled(), !lines.isEmpty());
        QVERIFY(!f->w<QPushButton>("DeleteDisk")->isEnabled());
    }

    // Work of another window under way when the pause ends: the text is
    // searched once the work is done, not forgotten.
    void aPauseDuringOtherWorkSearchesAfterIt()
    {
        f->w<QCheckBox>("FindAsYouType")->setChecked(true);
        type(QStringLiteral("bet"));
        {
            const platform::InputPause otherWork;
            QSignalSpy pauses(f->w<QTimer>("TypingPause"), &QTimer::timeout);
            QTRY_VERIFY(!pauses.isEmpty());
            QCOMPARE(NavFixture::lines(f->list("List1")), QStringList());
        }
        QTRY_COMPARE(NavFixture::lines(f->list("List1")), QStringList({"alphabet", "beta"}));
    }

    // What the results heading says while lines still come or a long read
    // or save goes on.
    void headingsUnderWay()
    {
        QCOMPARE(browse::readingHeading(3400000, 10000000), QStringLiteral("Reading records: 3,400,000 of 10,000,000"));
        QCOMPARE(browse::readingHeading(999), QStringLiteral("Reading records: 999"));
        QCOMPARE(browse::savingHeading(1000, 1000), QStringLiteral("Saving records: 1,000 of 1,000"));
        QCOMPARE(browse::matchedSoFarHeading(12000), QStringLiteral("Matched List (at least 12000):"));
    }

private:
    QString heading() const { return f->w<QLabel>("Label15")->text(); }

    // Replaces the search text as typing does.
    void type(const QString &text) const
    {
        QLineEdit *search = f->box("Text2");
        search->setFocus();
        QTest::keyClick(search, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(search, Qt::Key_Backspace);
        QTest::keyClicks(search, text);
    }

    std::unique_ptr<NavFixture> f;
};

QTEST_MAIN(FindAsYouTypeTest)
#include "findasyoutype_test.moc"
