#include "bench.h"

#include "listmaker/currentlist.h"
#include "listmaker/makeslistwindow.h"
#include "platform/appcontext.h"
#include "platform/systemdrives.h"
#include "shell/navigator.h"
#include "songdb/adddatawindow.h"

#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

// The navigation window on large tables: appending a full list, the load,
// and "Show All".
namespace {

// Confirms every question; an unexpected message is printed.
class ConfirmingDialogs final : public platform::Dialogs
{
public:
    platform::Button message(const platform::Message &m) override
    {
        if (m.buttons == platform::Buttons::Ok)
            std::fprintf(stderr, "message: %s\n", qPrintable(m.text));
        return m.buttons == platform::Buttons::YesNo ? platform::Button::Yes : platform::Button::Ok;
    }
    std::optional<QString> openFileName(const platform::FileRequest &) override { return std::nullopt; }
    std::optional<QString> saveFileName(const platform::FileRequest &) override { return std::nullopt; }
};

class QuietPlayer final : public platform::MediaPlayer
{
public:
    bool setFileName(const QString &path) override
    {
        m_file = path;
        return false;
    }
    bool open(const QString &path) override { return setFileName(path); }
    QString fileName() const override { return m_file; }
    void play() override {}
    void stop() override {}
    double duration() const override { return 0; }
    bool isPlaying() const override { return false; }
    platform::Failure lastFailure() const override { return {}; }

private:
    QString m_file;
};

// The working windows without the main window.
class Windows final : public shell::Navigator
{
public:
    explicit Windows(const QString &folder)
    {
        app.appFolder = folder;
        app.dialogs = &dialogs;
        app.clock = &clock;
        app.help = &help;
        app.drives = &drives;
        app.makePlayer = [](QWidget *) { return std::unique_ptr<platform::MediaPlayer>(new QuietPlayer); };
        app.quit = [](int) {};
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

const bench::Register appendRegistration("navigation_append", appendBench);
const bench::Register showAllRegistration("navigation_show_all", showAllBench);

} // namespace
