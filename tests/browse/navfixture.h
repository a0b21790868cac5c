// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/tempapp.h"

#include "ui/adddatawindow.h"
#include "ui/makeslistwindow.h"
#include "ui/navigator.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <memory>

// Stands in for the main window: counts what the navigation window asks of it.
class FakeNavigator final : public shell::Navigator
{
public:
    FakeNavigator(platform::AppContext &app, shell::SharedState &state)
        : m_app(app)
        , m_state(state)
    {
    }

    void showMain() override { ++mainShown; }
    void showProgramInfo(int entry) override { programInfo << entry; }
    listmaker::MakeSListWindow &createListWindow() override
    {
        if (!m_createList)
            m_createList = std::make_unique<listmaker::MakeSListWindow>(m_app, m_state, *this);
        return *m_createList;
    }
    songdb::AddDataWindow &navigationWindow() override { return *window; }

    songdb::AddDataWindow *window = nullptr;
    int mainShown = 0;
    QList<int> programInfo;

private:
    platform::AppContext &m_app;
    shell::SharedState &m_state;
    std::unique_ptr<listmaker::MakeSListWindow> m_createList;
};

// A navigation window on a private application folder and data source.
struct NavFixture
{
    explicit NavFixture(const QString &connectString = songdb::DefaultConnectString)
        : state(connectString)
    {
    }

    songdb::AddDataWindow &load()
    {
        window = std::make_unique<songdb::AddDataWindow>(app.context(), state, nav);
        nav.window = window.get();
        return *window;
    }

    template <typename T = QWidget>
    T *w(const char *name) const
    {
        T *found = window->findChild<T *>(QLatin1String(name));
        if (!found)
            qWarning("no control %s", name);
        return found;
    }
    QLineEdit *box(const char *name) const { return w<QLineEdit>(name); }
    QString text(const char *name) const { return box(name)->text(); }
    QListView *list(const char *name) const { return w<QListView>(name); }
    void click(const char *name) const { w<QPushButton>(name)->click(); }

    // A list as a user or another program meets it: its lines, the record
    // ID each carries, the current line.
    static QModelIndex line(const QListView *list, int row) { return list->model()->index(row, 0); }
    static int count(const QListView *list) { return list->model()->rowCount(); }
    static int currentRow(const QListView *list) { return list->currentIndex().row(); }
    static void setCurrentRow(QListView *list, int row) { list->setCurrentIndex(line(list, row)); }
    static QStringList lines(const QListView *list)
    {
        QStringList out;
        for (int i = 0; i < count(list); ++i)
            out << line(list, i).data().toString();
        return out;
    }
    static QList<int> ids(const QListView *list)
    {
        QList<int> out;
        for (int i = 0; i < count(list); ++i)
            out << line(list, i).data(Qt::UserRole).toInt();
        return out;
    }

    // A record with disk, title, occasion and status (null when not given);
    // the other columns filled plainly. One insert keeps the table's order.
    qint32 addSong(const QString &disk, const QString &title, const QString &occasion = QString(),
                   const QString &status = QString())
    {
        return app.addRecord({disk, QStringLiteral("/music"), title, QStringLiteral("NA"), QStringLiteral("1234"),
                              QStringLiteral("07-12-2026 10:00:00"), QStringLiteral("Artist"), QStringLiteral("3"),
                              occasion, status});
    }

    // One column of the record with that key, as stored (null stays null).
    QVariant stored(qint32 id, const QString &column)
    {
        QSqlQuery q(app.direct());
        q.exec(QStringLiteral("select %1 from table1 where ID = %2").arg(column).arg(id));
        return q.next() ? q.value(0) : QVariant();
    }

    TempApp app;
    shell::SharedState state;
    FakeNavigator nav{app.context(), state};
    std::unique_ptr<songdb::AddDataWindow> window;
};
