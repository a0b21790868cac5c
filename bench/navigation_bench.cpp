// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench.h"
#include "listwindowrig.h"

#include "browse/resultlist.h"
#include "listmaker/currentlist.h"
#include "platform/systemdrives.h"
#include "songdb/odbcdirect.h"
#include "songdb/sqltexts.h"
#include "ui/adddatawindow.h"
#include "ui/desktop/appcontext.h"
#include "ui/findasyoutype.h"
#include "ui/makeslistwindow.h"
#include "ui/navigator.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QTimer>
#include <QKeyEvent>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>
#include <malloc.h>
#include <memory>

// The navigation window on large tables: appending a full list, the load,
// "Show All", and every list command on a catalogue of a million songs (or
// ten million, when asked for by name) on SQLite and on PostgreSQL.
namespace {

// Confirms every question unless told otherwise; an unexpected message is printed.
class ConfirmingDialogs final : public platform::Dialogs
{
public:
    platform::Button message(const platform::Message &m) override
    {
        if (!answers.isEmpty())
            return answers.takeFirst();
        if (m.buttons == platform::Buttons::Ok)
            std::fprintf(stderr, "message: %s\n", qPrintable(m.text));
        return m.buttons == platform::Buttons::YesNo ? platform::Button::Yes : platform::Button::Ok;
    }
    std::optional<QString> openFileName(const platform::FileRequest &) override { return std::nullopt; }
    std::optional<QString> saveFileName(const platform::FileRequest &r) override
    {
        if (saveAs.isEmpty())
            return std::nullopt;
        if (r.chosenFilter)
            *r.chosenFilter = saveFilter;
        return saveAs;
    }

    QList<platform::Button> answers; // the next answers, in order
    QString saveAs;                  // the file a save dialog returns
    int saveFilter = 0;              // with this filter chosen
};

// The working windows without the main window.
class Windows final : public shell::Navigator
{
public:
    explicit Windows(const QString &folder, const QString &connectString = songdb::DefaultConnectString)
        : state(connectString)
    {
        bench::furnish(app, folder, dialogs, clock, help, drives, bench::SilentPlayer::factory(false));
    }

    songdb::AddDataWindow &load()
    {
        navigation = std::make_unique<songdb::AddDataWindow>(app, state, *this);
        return *navigation;
    }

    void showMain() override {}
    void showProgramInfo(int) override {}
    listmaker::MakeSListWindow &createListWindow() override
    {
        if (!createList)
            createList = std::make_unique<listmaker::MakeSListWindow>(app, state, *this);
        return *createList;
    }
    songdb::AddDataWindow &navigationWindow() override { return *navigation; }

    ConfirmingDialogs dialogs;
    platform::SystemClock clock;
    bench::NoHelp help;
    platform::SystemDrives drives;
    platform::AppContext app;
    shell::SharedState state;
    std::unique_ptr<listmaker::MakeSListWindow> createList;
    std::unique_ptr<songdb::AddDataWindow> navigation;
};

QString sqlText(const QString &value)
{
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// The same rows inserted by the sqlite3 tool in one transaction.
double sqlite3InsertMs(const listmaker::CurrentList &list)
{
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("plain.sqlite"));
    QFile::copy(QStringLiteral(QUENMORA_EMPTY_DB), db);
    QFile::setPermissions(db, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QFile script(dir.filePath(QStringLiteral("insert.sql")));
    if (!script.open(QIODevice::WriteOnly))
        return -1;
    QByteArray sql = "BEGIN;\n";
    for (int i = 0; i < list.FileCount; ++i) {
        const QStringList values = {list.DiskLabel,     list.Paths[i],      list.Titles[i],
                                    list.ExtensionText, list.Sizes[i],      list.DateTimes[i],
                                    list.ArtistText,    list.TotalFilesText};
        QStringList quoted;
        for (const QString &v : values)
            quoted << sqlText(v);
        sql += "INSERT INTO table1 (DiskID, PathSID, TitleSID, ExtensionID, FileSizID, FileDatTimID, ArtistID, "
               "TotFiles) VALUES ("
               + quoted.join(QLatin1Char(',')).toUtf8() + ");\n";
    }
    sql += "COMMIT;\n";
    script.write(sql);
    script.close();

    QProcess sqlite;
    sqlite.setStandardInputFile(script.fileName());
    QElapsedTimer timer;
    timer.start();
    sqlite.start(QStringLiteral("sqlite3"), {db});
    if (!sqlite.waitForFinished(60000) || sqlite.exitCode() != 0)
        return -1;
    return double(timer.nsecsElapsed()) / 1e6;
}

int appendBench()
{
    const listmaker::CurrentList list = bench::sampleList();
    double appendMs = 0;
    {
        bench::TempDataSource source;
        Windows windows(source.folder());
        windows.state.currentList = list;
        songdb::AddDataWindow &w = windows.load();
        w.showInAppendMode();
        auto *append = w.findChild<QPushButton *>(QStringLiteral("AppendFileList"));
        QElapsedTimer timer;
        timer.start();
        append->click();
        appendMs = double(timer.nsecsElapsed()) / 1e6;
        if (w.totalRecords() != list.FileCount) {
            std::fprintf(stderr, "append stored %d rows\n", w.totalRecords());
            return 1;
        }
    }
    const double plainMs = sqlite3InsertMs(list);
    if (plainMs <= 0) {
        std::fprintf(stderr, "sqlite3 could not insert the rows\n");
        return 1;
    }
    bench::report(QStringLiteral("append_10k_ms"), appendMs, QStringLiteral("ms"));
    bench::report(QStringLiteral("sqlite3_insert_10k_ms"), plainMs, QStringLiteral("ms"));
    bench::report(QStringLiteral("append_vs_sqlite3"), appendMs / plainMs, QStringLiteral("x"));
    return 0;
}

int showAllBench()
{
    bench::TempDataSource source;
    if (!bench::seedSongs(source.databaseFile(), 100000))
        return 1;
    Windows windows(source.folder());
    QElapsedTimer timer;
    timer.start();
    songdb::AddDataWindow &w = windows.load();
    const double loadMs = double(timer.nsecsElapsed()) / 1e6;
    w.showInBrowseMode();
    auto *showAll = w.findChild<QPushButton *>(QStringLiteral("ShowAll"));
    timer.restart();
    showAll->click();
    const double showAllMs = double(timer.nsecsElapsed()) / 1e6;
    const int lines = w.findChild<QListView *>(QStringLiteral("DataList1"))->model()->rowCount();
    if (lines != 100000) {
        std::fprintf(stderr, "Show All listed %d lines\n", lines);
        return 1;
    }
    bench::report(QStringLiteral("nav_load_100k_ms"), loadMs, QStringLiteral("ms"));
    bench::report(QStringLiteral("show_all_100k_ms"), showAllMs, QStringLiteral("ms"));
    bench::report(QStringLiteral("show_all_100k_peak_mb"), bench::peakMegabytes(), QStringLiteral("MB"));
    return 0;
}

// The same read as a Find for a text in every title, by the engine's own
// command-line client, its rows written to nowhere: the median of three, in
// ms, or -1 when the client failed.
double clientFindAllMs(const bench::TempPostgres *server, const QString &databaseFile)
{
    const QString statement = QStringLiteral("select ID, TitleSID from table1 where TitleSID like '%Song%'");
    std::vector<double> times;
    for (int i = 0; i < 3; ++i) {
        QProcess client;
        client.setStandardOutputFile(QProcess::nullDevice());
        if (server) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("PGPASSWORD"), QStringLiteral("kzq"));
            client.setProcessEnvironment(environment);
        }
        QElapsedTimer timer;
        timer.start();
        if (server) {
            client.start(QStringLiteral("psql"),
                {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-A"), QStringLiteral("-t"),
                    QStringLiteral("-h"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"),
                    QString::number(server->port()), QStringLiteral("-U"), QStringLiteral("sa"), QStringLiteral("-d"),
                    QStringLiteral("quenmora"), QStringLiteral("-c"), statement});
        } else {
            client.start(QStringLiteral("sqlite3"), {databaseFile, statement});
        }
        if (!client.waitForFinished(120000) || client.exitStatus() != QProcess::NormalExit || client.exitCode() != 0)
            return -1;
        times.push_back(bench::msSince(timer));
    }
    return bench::median(times);
}

// A Find for a text in every title read through a connection of its own,
// with the text in the form given: its time in ms and how far the peak
// memory grew meanwhile, in MB.
bool readFindAll(const QString &connect, songdb::ParameterForm form, int records, double *ms, double *growthMb)
{
    const QString name = QStringLiteral("bench-find-all");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name);
        db.setDatabaseName(connect);
        if (db.open()) {
            void *handle = *static_cast<void *const *>(db.driver()->handle().constData());
            songdb::TitleLines lines;
            // Memory freed by earlier reads goes back first: each read grows from the same start.
            malloc_trim(0);
            bench::resetPeakMemory();
            const double before = bench::peakMegabytes();
            QElapsedTimer timer;
            timer.start();
            const platform::Failure f = songdb::LinesQuery(handle,
                songdb::sql::FindPrefix + QStringLiteral("TitleSID") + songdb::sql::FindPattern,
                QStringLiteral("%Song%"), true, form)
                                            .run(&lines);
            *ms = bench::msSince(timer);
            *growthMb = bench::peakMegabytes() - before;
            ok = !f.isSet() && lines.size() == records;
            if (!ok)
                std::fprintf(stderr, "find-all read: %d lines %s\n", lines.size(), qPrintable(f.description));
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

// The search indexes of the structure files, taken out of a catalogue
// before it is filled: the catalogue as it was made before them.
bool dropSearchIndexes(const QString &connect, bool postgres)
{
    const QStringList statements = postgres
        ? QStringList {QStringLiteral("drop index table1_TitleSID_trgm"),
              QStringLiteral("drop index table1_ArtistID_trgm")}
        : QStringList {QStringLiteral("drop trigger table1_search_insert"),
              QStringLiteral("drop trigger table1_search_delete"), QStringLiteral("drop trigger table1_search_update"),
              QStringLiteral("drop table table1_TitleSID_search"), QStringLiteral("drop table table1_ArtistID_search")};
    for (const QString &statement : statements) {
        if (!bench::runStatement(connect, statement))
            return false;
    }
    return true;
}

// scripts/add-indexes.sh on the catalogue, as its admin runs it: false when it failed.
bool addIndexes(const bench::TempPostgres *server, const QString &databaseFile)
{
    QProcess script;
    script.setProcessChannelMode(QProcess::MergedChannels);
    QStringList arguments {QStringLiteral(QUENMORA_SOURCE_DIR "/scripts/add-indexes.sh")};
    if (server) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("PGPASSWORD"), QStringLiteral("throwaway"));
        script.setProcessEnvironment(environment);
        arguments << QStringLiteral("--postgres") << QStringLiteral("--host") << QStringLiteral("127.0.0.1")
                  << QStringLiteral("--port") << QString::number(server->port()) << QStringLiteral("--admin")
                  << QStringLiteral("quenmora_admin");
    } else {
        arguments << QStringLiteral("--sqlite") << databaseFile;
    }
    script.start(QStringLiteral("bash"), arguments);
    const bool ok = script.waitForFinished(3600000) && script.exitStatus() == QProcess::NormalExit
        && script.exitCode() == 0;
    if (!ok)
        std::fprintf(stderr, "add-indexes.sh: %s\n", script.readAll().constData());
    return ok;
}

// The sizes in MB of the search indexes and of the table itself.
std::pair<double, double> searchIndexMegabytes(const bench::TempPostgres *server, const QString &databaseFile)
{
    if (server) {
        const QString name = QStringLiteral("bench-sizes");
        std::pair<double, double> sizes {-1, -1};
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name);
            db.setDatabaseName(server->adminConnectString());
            QSqlQuery q(db);
            if (db.open()
                && q.exec(QStringLiteral("select pg_relation_size('table1_titlesid_trgm') + "
                                         "pg_relation_size('table1_artistid_trgm'), pg_relation_size('table1')"))
                && q.next())
                sizes = {q.value(0).toDouble() / 1e6, q.value(1).toDouble() / 1e6};
        }
        QSqlDatabase::removeDatabase(name);
        return sizes;
    }
    QProcess sqlite;
    sqlite.start(QStringLiteral("sqlite3"),
        {databaseFile,
            QStringLiteral("select (select sum(pgsize) from dbstat where name like 'table1_%_search%'), "
                           "(select sum(pgsize) from dbstat where name = 'table1')")});
    if (!sqlite.waitForFinished(600000))
        return {-1, -1};
    const QList<QByteArray> sizes = sqlite.readAllStandardOutput().trimmed().split('|');
    return {sizes.value(0).toDouble() / 1e6, sizes.value(1).toDouble() / 1e6};
}

// Waits until the sender sends the signal, at most as long as given: false when it did not.
template <typename Sender, typename Signal>
bool waitFor(Sender *sender, Signal signal, int timeoutMs)
{
    QEventLoop loop;
    bool sent = false;
    const QMetaObject::Connection c = QObject::connect(sender, signal, &loop, [&] {
        sent = true;
        loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(c);
    return sent;
}

// A key as typed: Backspace for '\b', Shift (which changes no text) for a NUL.
QKeyEvent keyOf(QEvent::Type type, QChar c)
{
    if (c.isNull())
        return QKeyEvent(type, Qt::Key_Shift, Qt::NoModifier);
    const int key = c == QLatin1Char('\b') ? int(Qt::Key_Backspace) : int(c.toUpper().unicode());
    return QKeyEvent(type, key, Qt::NoModifier, c == QLatin1Char('\b') ? QString() : QString(c));
}

// Types the text into the box as a user does.
void typeInto(QWidget *box, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press = keyOf(QEvent::KeyPress, c);
        QCoreApplication::sendEvent(box, &press);
        QKeyEvent release = keyOf(QEvent::KeyRelease, c);
        QCoreApplication::sendEvent(box, &release);
    }
}

// How long keys posted to a box wait before the box gets them.
class KeyWaits final : public QObject
{
public:
    explicit KeyWaits(QWidget *box)
        : m_box(box)
    {
        m_clock.start();
        box->installEventFilter(this);
    }
    void post(QChar c)
    {
        m_posted = m_clock.nsecsElapsed();
        QCoreApplication::postEvent(m_box, new QKeyEvent(keyOf(QEvent::KeyPress, c)));
        QCoreApplication::postEvent(m_box, new QKeyEvent(keyOf(QEvent::KeyRelease, c)));
    }
    std::vector<double> waits; // ms

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_box && event->type() == QEvent::KeyPress && m_posted >= 0) {
            waits.push_back(double(m_clock.nsecsElapsed() - m_posted) / 1e6);
            m_posted = -1;
        }
        return false;
    }

private:
    QWidget *m_box;
    QElapsedTimer m_clock;
    qint64 m_posted = -1;
};

// Texts of 3 to 10 characters that one, hundreds, thousands and some ten
// thousand of the titles "Song number N.mp3" hold, by the size of the catalogue.
QList<std::pair<QString, QString>> searchTexts(int records)
{
    return {{QStringLiteral("single"), QStringLiteral("r %1.").arg(records - 12345)},
        {QStringLiteral("hundreds"), QStringLiteral("45678")}, {QStringLiteral("thousands"), QStringLiteral("8765")},
        {QStringLiteral("ten_thousand"), QStringLiteral("r 876")}};
}

// Every list command on a catalogue of `records` songs of 1000 to a disk,
// through the real window: figures named <prefix>_<command>.
int largeCatalogue(bool postgres, int records, const QString &prefix)
{
    std::unique_ptr<bench::TempPostgres> server;
    std::unique_ptr<bench::TempDataSource> source;
    QString connect = songdb::DefaultConnectString;
    if (postgres) {
        server = std::make_unique<bench::TempPostgres>();
        if (!server->isRunning()) {
            std::fprintf(stderr, "%s: no PostgreSQL server could be started (package postgresql)\n%s",
                qPrintable(prefix), qPrintable(server->error()));
            return 1;
        }
        connect = server->connectString();
    } else {
        source = std::make_unique<bench::TempDataSource>();
    }
    QTemporaryDir folder;
    const auto report = [&](const char *name, double value, const char *unit) {
        bench::report(prefix + QLatin1Char('_') + QLatin1String(name), value, QLatin1String(unit));
    };

    // First the catalogue as it was made before the search indexes.
    if (!dropSearchIndexes(postgres ? server->adminConnectString() : connect, postgres)) {
        std::fprintf(stderr, "%s: the search indexes could not be taken out\n", qPrintable(prefix));
        return 1;
    }
    QElapsedTimer timer;
    timer.start();
    {
        const QString seeder = QStringLiteral("bench-catalogue");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), seeder);
            db.setDatabaseName(connect);
            if (!db.open() || !bench::seedCatalogue(seeder, postgres, records, 1000)) {
                std::fprintf(stderr, "%s: the catalogue could not be made: %s\n", qPrintable(prefix),
                    qPrintable(db.lastError().text()));
                return 1;
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(seeder);
    }
    // As the server's own cleaning soon does after so many new rows: reads
    // from indexes alone need it. Only the table's owner may.
    if (postgres && !bench::runStatement(server->adminConnectString(), QStringLiteral("vacuum analyze table1")))
        return 1;
    report("build_s", bench::msSince(timer) / 1000, "s");

    Windows windows(folder.path(), connect);
    timer.restart();
    songdb::AddDataWindow *w = &windows.load();
    report("load_ms", bench::msSince(timer), "ms");
    w->showInBrowseMode();
    const auto button = [&](const char *name) { return w->findChild<QPushButton *>(QLatin1String(name)); };
    const auto box = [&](const char *name) { return w->findChild<QLineEdit *>(QLatin1String(name)); };
    const auto lines = [&](const char *name) {
        return w->findChild<QListView *>(QLatin1String(name))->model()->rowCount();
    };
    const auto heading = [&] { return w->findChild<QLabel *>(QStringLiteral("Label15"))->text(); };
    const auto fail = [&](const QString &what) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(prefix), qPrintable(what));
        return 1;
    };
    if (w->totalRecords() != records)
        return fail(QStringLiteral("the window counts %1 records").arg(w->totalRecords()));
    const QString nearTheEnd = QString::number(records - 10);
    const QString songNearTheEnd = QStringLiteral("Song number %1.mp3").arg(records - 11);

    // A record number before any list is shown: the table is walked to it.
    timer.restart();
    box("Text13")->setText(nearTheEnd);
    report("record_number_unlisted_ms", bench::msSince(timer), "ms");
    if (box("Text5")->text() != songNearTheEnd)
        return fail(QStringLiteral("record %1 shows %2").arg(nearTheEnd, box("Text5")->text()));

    bench::resetPeakMemory();
    const double before = bench::peakMegabytes();
    // What the heading says while the list is read.
    QStringList progress;
    QTimer watchHeading;
    watchHeading.setInterval(50);
    QObject::connect(&watchHeading, &QTimer::timeout, [&] {
        if (heading().startsWith(QLatin1String("Reading")) && !progress.contains(heading()))
            progress << heading();
    });
    watchHeading.start();
    timer.restart();
    button("ShowAll")->click();
    report("show_all_ms", bench::msSince(timer), "ms");
    watchHeading.stop();
    report("show_all_progress_headings", progress.size(), "");
    if (!progress.isEmpty())
        std::fprintf(stderr, "%s: Show All said: %s\n", qPrintable(prefix), qPrintable(progress.join(QLatin1String(" | "))));
    if (lines("DataList1") != records)
        return fail(QStringLiteral("Show All listed %1 lines").arg(lines("DataList1")));

    box("Text13")->clear();
    timer.restart();
    box("Text13")->setText(nearTheEnd);
    report("record_number_ms", bench::msSince(timer), "ms");

    // Typing a letter in the list looks for the next line that starts with it.
    {
        QListView *all = w->findChild<QListView *>(QStringLiteral("DataList1"));
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, QStringLiteral("z"));
        timer.restart();
        QCoreApplication::sendEvent(all, &press);
        report("type_ahead_no_match_ms", bench::msSince(timer), "ms");
    }
    if (box("Text5")->text() != songNearTheEnd)
        return fail(QStringLiteral("record %1 shows %2").arg(nearTheEnd, box("Text5")->text()));

    w->findChild<QComboBox *>(QStringLiteral("Combo1"))->setCurrentText(QStringLiteral("TitleSID"));
    box("Text2")->setText(QStringLiteral("Song"));
    // The middle of three, as for the client below: a busy machine shifts
    // single runs. The peak is taken after the first.
    std::vector<double> findAllRuns;
    double peakAfterFindAll = 0;
    for (int run = 0; run < 3; ++run) {
        timer.restart();
        button("Find")->click();
        findAllRuns.push_back(bench::msSince(timer));
        if (lines("List1") != records)
            return fail(QStringLiteral("Find listed %1 lines").arg(lines("List1")));
        if (run == 0)
            peakAfterFindAll = bench::peakMegabytes();
    }
    const double findAllMs = bench::median(findAllRuns);
    report("find_all_ms", findAllMs, "ms");
    report("resident_before_show_all_mb", before, "MB");
    report("peak_after_show_all_and_find_all_mb", peakAfterFindAll, "MB");
    // A Find pressed again reads the new lines while the old ones are still shown.
    report("peak_after_two_more_find_all_mb", bench::peakMegabytes(), "MB");
    // The same read by the engine's own client, and the search text in the
    // form the program sends it beside the text bound (the same on a server;
    // SQLite's driver holds the whole result of a statement with a bound
    // parameter in memory).
    const double clientMs = clientFindAllMs(server.get(), source ? source->databaseFile() : QString());
    if (clientMs <= 0)
        return fail(QStringLiteral("the engine's own client could not read the rows"));
    report("find_all_client_ms", clientMs, "ms");
    report("find_all_vs_client", findAllMs / clientMs, "x");
    for (const auto &[form, figure] : {std::pair {songdb::ParameterForm::Streamed, "streamed"},
             std::pair {songdb::ParameterForm::Bound, "bound"}}) {
        double ms = 0;
        double growth = 0;
        if (!readFindAll(connect, form, records, &ms, &growth))
            return fail(QStringLiteral("the %1 find-all read failed").arg(QLatin1String(figure)));
        const QString name = prefix + QStringLiteral("_find_all_read_") + QLatin1String(figure);
        bench::report(name + QStringLiteral("_ms"), ms, QStringLiteral("ms"));
        bench::report(name + QStringLiteral("_peak_growth_mb"), growth, QStringLiteral("MB"));
    }

    box("Text2")->setText(QStringLiteral("number %1.").arg(records / 2 + 7));
    timer.restart();
    button("Find")->click();
    const double findOneMs = bench::msSince(timer);
    report("find_one_ms", findOneMs, "ms");
    if (lines("List1") != 1)
        return fail(QStringLiteral("Find listed %1 lines for one title").arg(lines("List1")));

    // ---- The search indexes ----
    // A Find of each text until the lines are listed and the first record
    // shown: the middle of three, without the indexes and with them.
    const auto findMs = [&](const QString &text, int *found) {
        box("Text2")->setText(text);
        std::vector<double> runs;
        for (int run = 0; run < 3; ++run) {
            QElapsedTimer t;
            t.start();
            button("Find")->click();
            runs.push_back(bench::msSince(t));
        }
        *found = lines("List1");
        return bench::median(runs);
    };
    std::map<QString, double> scanned;
    std::map<QString, int> scannedLines;
    for (const auto &[name, text] : searchTexts(records)) {
        int found = 0;
        scanned[name] = findMs(text, &found);
        scannedLines[name] = found;
    }
    // Appending a full list and deleting its disk again: the middle of three each.
    const auto appendAndDeleteMs = [&](const QString &disk) {
        std::vector<double> appends;
        std::vector<double> deletes;
        for (int run = 0; run < 3; ++run) {
            windows.state.currentList = bench::sampleList();
            windows.state.currentList.DiskLabel = disk;
            w->showInAppendMode();
            QElapsedTimer t;
            t.start();
            button("AppendFileList")->click();
            appends.push_back(bench::msSince(t));
            if (w->totalRecords() != records + listmaker::CurrentList::Capacity)
                return std::pair {-1.0, -1.0};
            button("SearchDisks")->click();
            box("Text2")->setText(disk);
            windows.dialogs.answers = {platform::Button::Yes, platform::Button::No};
            t.restart();
            button("DeleteDisk")->click();
            deletes.push_back(bench::msSince(t));
            if (w->totalRecords() != records)
                return std::pair {-1.0, -1.0};
        }
        return std::pair {bench::median(appends), bench::median(deletes)};
    };
    const auto [appendPlainMs, deletePlainMs] = appendAndDeleteMs(QStringLiteral("APPEND1"));
    if (appendPlainMs < 0)
        return fail(QStringLiteral("appending without the search indexes failed"));

    timer.restart();
    if (!addIndexes(server.get(), source ? source->databaseFile() : QString()))
        return fail(QStringLiteral("add-indexes.sh failed"));
    report("search_index_build_s", bench::msSince(timer) / 1000, "s");
    const auto [indexMb, tableMb] = searchIndexMegabytes(server.get(), source ? source->databaseFile() : QString());
    report("search_index_mb", indexMb, "MB");
    report("table_mb", tableMb, "MB");

    // The window loaded again: its connection finds the indexes.
    w = &windows.load();
    w->showInBrowseMode();
    w->findChild<QComboBox *>(QStringLiteral("Combo1"))->setCurrentText(QStringLiteral("TitleSID"));
    {
        // The text of the Find above; the first Find of the new connection
        // also finds out which indexes there are.
        int found = 0;
        const double ms = findMs(QStringLiteral("number %1.").arg(records / 2 + 7), &found);
        report("find_one_indexed_ms", ms, "ms");
        report("find_one_indexed_vs_table", findOneMs / std::max(0.01, ms), "x");
        if (found != 1)
            return fail(QStringLiteral("Find listed %1 lines for one title").arg(found));
    }
    for (const auto &[name, text] : searchTexts(records)) {
        int found = 0;
        const double ms = findMs(text, &found);
        if (found != scannedLines[name])
            return fail(QStringLiteral("'%1' listed %2 lines with the index, %3 without")
                            .arg(text)
                            .arg(found)
                            .arg(scannedLines[name]));
        const QString figure = QStringLiteral("find_") + name;
        bench::report(prefix + QLatin1Char('_') + figure + QStringLiteral("_lines"), found, QString());
        bench::report(prefix + QLatin1Char('_') + figure + QStringLiteral("_table_ms"), scanned[name], "ms");
        bench::report(prefix + QLatin1Char('_') + figure + QStringLiteral("_indexed_ms"), ms, "ms");
        bench::report(prefix + QLatin1Char('_') + figure + QStringLiteral("_speedup"), scanned[name] / std::max(0.01, ms),
            QStringLiteral("x"));
    }
    box("Text2")->setText(QStringLiteral("Song"));
    timer.restart();
    button("Find")->click();
    report("find_all_indexed_ms", bench::msSince(timer), "ms");
    if (lines("List1") != records)
        return fail(QStringLiteral("Find listed %1 lines").arg(lines("List1")));

    const auto [appendIndexedMs, deleteIndexedMs] = appendAndDeleteMs(QStringLiteral("APPEND2"));
    if (appendIndexedMs < 0)
        return fail(QStringLiteral("appending with the search indexes failed"));
    report("append_10k_without_search_index_ms", appendPlainMs, "ms");
    report("append_10k_ms", appendIndexedMs, "ms");
    report("append_10k_vs_without_search_index", appendIndexedMs / appendPlainMs, "x");
    report("delete_disk_10k_without_search_index_ms", deletePlainMs, "ms");
    report("delete_disk_10k_ms", deleteIndexedMs, "ms");
    report("delete_disk_10k_vs_without_search_index", deleteIndexedMs / deletePlainMs, "x");

    // ---- Finding as you type ----
    // Memory that earlier reads freed goes back first: the peak is this part's own.
    malloc_trim(0);
    bench::resetPeakMemory();
    report("resident_before_finding_as_you_type_mb", bench::peakMegabytes(), "MB");
    {
        auto *typing = w->findChild<browse::FindAsYouType *>();
        QLineEdit *search = box("Text2");
        // The disk label list chose DiskID.
        w->findChild<QComboBox *>(QStringLiteral("Combo1"))->setCurrentText(QStringLiteral("TitleSID"));
        w->findChild<QCheckBox *>(QStringLiteral("FindAsYouType"))->setChecked(true);
        QElapsedTimer sincePause;
        QObject::connect(typing, &browse::FindAsYouType::searchStarted, [&] { sincePause.start(); });
        // The search's own connection is opened at the first pause.
        search->clear();
        typeInto(search, QStringLiteral("warm up"));
        if (!waitFor(typing, &browse::FindAsYouType::resultShown, 600000))
            return fail(QStringLiteral("finding as you type showed nothing"));
        std::vector<double> pauses;
        for (const auto &[name, text] : searchTexts(records)) {
            search->clear();
            typeInto(search, text);
            if (!waitFor(typing, &browse::FindAsYouType::resultShown, 600000))
                return fail(QStringLiteral("finding '%1' as you type showed nothing").arg(text));
            const double ms = double(sincePause.nsecsElapsed()) / 1e6;
            if (heading() != browse::matchedHeading(scannedLines[name]))
                return fail(QStringLiteral("finding '%1' as you type: %2").arg(text, heading()));
            bench::report(prefix + QStringLiteral("_type_pause_") + name + QStringLiteral("_ms"), ms, "ms");
            if (scannedLines[name] <= 10000)
                pauses.push_back(ms);
        }
        report("type_pause_most_ms", *std::max_element(pauses.begin(), pauses.end()), "ms");

        // Keys typed while searches of one or two characters read every
        // record: a key every 400 ms, each pause starting a search that the
        // next key stops.
        search->clear();
        search->setFocus();
        KeyWaits keys(search);
        int started = 0;
        const auto counting = QObject::connect(typing, &browse::FindAsYouType::searchStarted, [&] { ++started; });
        const QString typed = QStringLiteral("87\b6\b5\b4\b3\b2\b1\b9\b0\b");
        QEventLoop loop;
        QTimer pace;
        pace.setInterval(400);
        int next = 0;
        QObject::connect(&pace, &QTimer::timeout, [&] {
            if (next == typed.size()) {
                loop.quit();
                return;
            }
            keys.post(typed[next++]);
        });
        pace.start();
        loop.exec();
        pace.stop();
        QObject::disconnect(counting);
        std::vector<double> waits = keys.waits;
        report("keystroke_wait_median_ms", bench::median(waits), "ms");
        report("keystroke_wait_most_ms", *std::max_element(waits.begin(), waits.end()), "ms");
        report("keystroke_searches_started", started, "");

        // A search of one character read to its end and listed, keys that
        // change nothing (Shift) posted every 30 ms meanwhile.
        search->clear();
        keys.waits.clear();
        typeInto(search, QStringLiteral("8"));
        if (!waitFor(typing, &browse::FindAsYouType::searchStarted, 60000))
            return fail(QStringLiteral("no search of '8' started"));
        bool listed = false;
        const auto end = QObject::connect(typing, &browse::FindAsYouType::resultShown, [&] {
            listed = true;
            loop.quit();
        });
        QTimer shift;
        shift.setInterval(30);
        QObject::connect(&shift, &QTimer::timeout, [&] { keys.post(QChar(0)); });
        shift.start();
        QTimer::singleShot(600000, &loop, &QEventLoop::quit);
        loop.exec();
        shift.stop();
        QObject::disconnect(end);
        if (!listed)
            return fail(QStringLiteral("the search of '8' showed nothing"));
        report("type_one_character_ms", double(sincePause.nsecsElapsed()) / 1e6, "ms");
        report("type_one_character_lines", lines("List1"), "");
        report("keystroke_wait_while_listing_most_ms", *std::max_element(keys.waits.begin(), keys.waits.end()), "ms");
        report("keystrokes_while_listing", double(keys.waits.size()), "");
        w->findChild<QCheckBox *>(QStringLiteral("FindAsYouType"))->setChecked(false);
    }
    report("peak_after_finding_as_you_type_mb", bench::peakMegabytes(), "MB");

    const std::pair<const char *, const char *> labelLists[] = {
        {"SearchDisks", "disk_labels_ms"}, {"Occasion", "occasion_labels_ms"}, {"Status", "status_labels_ms"}};
    for (const auto &[command, figure] : labelLists) {
        timer.restart();
        button(command)->click();
        report(figure, bench::msSince(timer), "ms");
    }
    if (lines("List1") != 1)
        return fail(QStringLiteral("the Status list has %1 lines").arg(lines("List1")));

    button("ShowAll")->click();
    windows.dialogs.saveAs = folder.filePath(QStringLiteral("all.txt"));
    QAction *save = w->findChild<QAction *>(QStringLiteral("SaveList"));
    timer.restart();
    save->trigger();
    report("save_list_ms", bench::msSince(timer), "ms");
    if (QFileInfo(windows.dialogs.saveAs).size() < qint64(records) * 20)
        return fail(QStringLiteral("the saved list has %1 bytes").arg(QFileInfo(windows.dialogs.saveAs).size()));
    QFile::remove(windows.dialogs.saveAs);

    // The same list with every field of its records, as CSV.
    windows.dialogs.saveAs = folder.filePath(QStringLiteral("all.csv"));
    windows.dialogs.saveFilter = 1;
    bench::resetPeakMemory();
    const double beforeCsv = bench::peakMegabytes();
    timer.restart();
    save->trigger();
    report("save_csv_ms", bench::msSince(timer), "ms");
    report("save_csv_memory_growth_mb", bench::peakMegabytes() - beforeCsv, "MB");
    const qint64 csvBytes = QFileInfo(windows.dialogs.saveAs).size();
    report("save_csv_mb", double(csvBytes) / 1e6, "MB");
    if (csvBytes < qint64(records) * 100)
        return fail(QStringLiteral("the CSV file has %1 bytes").arg(csvBytes));
    QFile::remove(windows.dialogs.saveAs);
    windows.dialogs.saveFilter = 0;

    // Titles on several disks: none, then with fifty disks of copies
    // appended, their titles in capitals (50,000 titles on two disks each).
    QAction *duplicates = w->findChild<QAction *>(QStringLiteral("Duplicates"));
    timer.restart();
    duplicates->trigger();
    report("duplicates_none_ms", bench::msSince(timer), "ms");
    if (lines("List1") != 0)
        return fail(QStringLiteral("%1 titles on several disks, not none").arg(lines("List1")));
    if (!bench::runStatement(connect,
            QStringLiteral("insert into table1 (DiskID, PathSID, TitleSID, ExtensionID, FileSizID, FileDatTimID, "
                           "ArtistID, TotFiles) select 'COPY' || (ID / 1000), PathSID, upper(TitleSID), ExtensionID, "
                           "FileSizID, FileDatTimID, ArtistID, TotFiles from table1 where ID <= 50000")))
        return fail(QStringLiteral("the copies could not be added"));
    timer.restart();
    duplicates->trigger();
    report("duplicates_50000_ms", bench::msSince(timer), "ms");
    if (lines("List1") != 50000)
        return fail(QStringLiteral("%1 titles on several disks, not 50000").arg(lines("List1")));
    if (!bench::runStatement(connect, QStringLiteral("delete from table1 where DiskID like 'COPY%'")))
        return fail(QStringLiteral("the copies could not be deleted"));

    // The disk label list offers "Delete Dis&k" for the disk in the search box.
    button("SearchDisks")->click();
    box("Text2")->setText(QStringLiteral("DISK%1").arg(records / 2000));
    windows.dialogs.answers = {platform::Button::Yes, platform::Button::No};
    timer.restart();
    button("DeleteDisk")->click();
    report("delete_disk_1000_ms", bench::msSince(timer), "ms");
    if (w->totalRecords() != records - 1000)
        return fail(QStringLiteral("%1 records left after deleting a disk").arg(w->totalRecords()));

    windows.dialogs.answers = {platform::Button::Yes, platform::Button::Ok};
    button("DeleteAll")->click();
    box("Text14")->setText(QStringLiteral("wipetable"));
    timer.restart();
    button("OK")->click();
    report("delete_all_ms", bench::msSince(timer), "ms");
    if (w->totalRecords() != 0)
        return fail(QStringLiteral("%1 records left after deleting all").arg(w->totalRecords()));
    return 0;
}

const bench::Register appendRegistration("navigation_append", appendBench);
const bench::Register showAllRegistration("navigation_show_all", showAllBench);
const bench::Register sqlite1m(
    "catalogue_1m_sqlite", [] { return largeCatalogue(false, 1000000, QStringLiteral("catalogue_1m_sqlite")); });
const bench::Register postgres1m(
    "catalogue_1m_postgres", [] { return largeCatalogue(true, 1000000, QStringLiteral("catalogue_1m_postgres")); });
const bench::Register sqlite10m(
    "catalogue_10m_sqlite", [] { return largeCatalogue(false, 10000000, QStringLiteral("catalogue_10m_sqlite")); },
    true);
const bench::Register postgres10m(
    "catalogue_10m_postgres", [] { return largeCatalogue(true, 10000000, QStringLiteral("catalogue_10m_postgres")); },
    true);

} // namespace
