// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A Create File List window on a private application folder and data
// source, with fakes for every service, driven through its controls.

#include "support/tempapp.h"
#include "treemaker.h"

#include "ui/adddatawindow.h"
#include "ui/makeslistwindow.h"
#include "ui/navigator.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

class FakeNavigator final : public shell::Navigator
{
public:
    FakeNavigator(platform::AppContext &app, shell::SharedState &state)
        : m_app(app)
        , m_state(state)
    {
    }
    ~FakeNavigator() override = default;

    void showMain() override { ++mainShown; }
    void showProgramInfo(int entry) override { infoShown << entry; }
    listmaker::MakeSListWindow &createListWindow() override { return *window; }
    songdb::AddDataWindow &navigationWindow() override
    {
        if (!addData)
            addData = std::make_unique<songdb::AddDataWindow>(m_app, m_state, *this);
        return *addData;
    }

    listmaker::MakeSListWindow *window = nullptr;
    std::unique_ptr<songdb::AddDataWindow> addData;
    int mainShown = 0;
    QList<int> infoShown;

private:
    platform::AppContext &m_app;
    shell::SharedState &m_state;
};

struct MakeSListFixture
{
    explicit MakeSListFixture(const QVector<platform::Drive> &drives = {})
    {
        app.drives.drives = drives;
        window = std::make_unique<listmaker::MakeSListWindow>(app.context(), state, navigator);
        navigator.window = window.get();
    }
    ~MakeSListFixture()
    {
        // The navigation window may hold players made by the app: close it first.
        navigator.addData.reset();
        window.reset();
    }

    template <typename T>
    T *get(const char *name) const
    {
        T *w = window->findChild<T *>(QString::fromLatin1(name));
        if (!w)
            qWarning("no control %s", name);
        return w;
    }
    QLabel *label(const char *name) const { return get<QLabel>(name); }
    QListWidget *list(const char *name) const { return get<QListWidget>(name); }
    QLineEdit *text(const char *name) const { return get<QLineEdit>(name); }
    QPushButton *button(const char *name) const { return get<QPushButton>(name); }
    void trigger(const char *name) const { get<QAction>(name)->trigger(); }

    QStringList entries(const char *name) const
    {
        QStringList out;
        const QListWidget *l = list(name);
        for (int i = 0; i < l->count(); ++i)
            out << l->item(i)->text();
        return out;
    }

    // The players in the order the window makes them: MediaPlayer1, 2, 3.
    FakePlayer &player(int number) { return *app.players.at(size_t(number - 1)); }

    // Browses to the folder and makes a list of it with the given Disk ID and
    // artist, answering the artist question with No when the artist is empty.
    void makeList(const QString &folder, const QString &diskId, const QString &artist = QStringLiteral("Artist"))
    {
        window->findChild<QObject *>(QStringLiteral("Dir1"))->setProperty("path", folder);
        text("Text3")->setText(diskId);
        text("Text1")->setText(artist);
        if (artist.isEmpty())
            app.dialogs.queueAnswer(platform::Button::No);
        button("AddList")->click();
    }

    QByteArray readAllListFile() const { return listFileBytes(); }
    QByteArray listFileBytes() const
    {
        QFile f(app.file(QStringLiteral("~tmplist.txt")));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    TempApp app;
    shell::SharedState state;
    FakeNavigator navigator{app.context(), state};
    std::unique_ptr<listmaker::MakeSListWindow> window;
};
