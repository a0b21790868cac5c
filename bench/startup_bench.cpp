// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench.h"

#include "platform/systemdrives.h"
#include "ui/desktop/appcontext.h"
#include "ui/desktop/qtmediaplayer.h"
#include "ui/mainwindow.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <cstdio>

// Start-up of the main window with the real working windows on a database of
// 10000 songs, as a user meets it: from the window's creation to the ready buttons.
namespace {

// Nothing should ask the user anything during start-up; should it, the
// answer is the box's escape button and no file.
class SilentDialogs final : public platform::Dialogs
{
public:
    platform::Button message(const platform::Message &m) override
    {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(m.text));
        ++asked;
        return m.escapeButton();
    }
    std::optional<QString> openFileName(const platform::FileRequest &) override { return std::nullopt; }
    std::optional<QString> saveFileName(const platform::FileRequest &) override { return std::nullopt; }
    int asked = 0;
};

int run()
{
    bench::TempDataSource source;
    if (!bench::seedSongs(source.databaseFile(), 10000))
        return 1;

    SilentDialogs dialogs;
    platform::SystemClock clock;
    platform::SystemDrives drives;
    bench::NoHelp help;
    platform::AppContext app;
    app.appFolder = source.folder();
    app.dialogs = &dialogs;
    app.clock = &clock;
    app.help = &help;
    app.drives = &drives;
    app.makePlayer = &platform::makeQtMediaPlayer;
    app.quit = [](int) {};

    shell::SharedState state;
    QElapsedTimer total;
    total.start();
    shell::MainWindow window(app, state);
    window.start();
    const double totalMs = double(total.nsecsElapsed()) / 1e6;

    const QString shown = window.findChild<QLabel *>(QStringLiteral("Label3"))->text();
    bool ok = false;
    const double label3 = shown.isEmpty() ? 0.0 : shown.toDouble(&ok);
    if (!shown.isEmpty() && !ok)
        return 1;
    bench::report(QStringLiteral("startup_ms"), label3, QStringLiteral("ms"));
    bench::report(QStringLiteral("startup_label3_ms"), label3, QStringLiteral("ms"));
    bench::report(QStringLiteral("startup_window_ms"), totalMs, QStringLiteral("ms"));
    return dialogs.asked == 0 ? 0 : 1;
}

bench::Register registration("startup", run);

} // namespace
