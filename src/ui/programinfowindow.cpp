// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/programinfowindow.h"

#include "platform/version.h"
#include "ui/desktop/windowkeys.h"
#include "ui/mainpictures.h"

#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

namespace shell {

namespace {

QWidget *page(const QString &html, QWidget *parent)
{
    auto *w = new QWidget(parent);
    auto *text = new QLabel(html, w);
    text->setWordWrap(true);
    text->setTextFormat(Qt::RichText);
    text->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *layout = new QVBoxLayout(w);
    layout->addWidget(text, 1);
    return w;
}

} // namespace

ProgramInfoWindow::ProgramInfoWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("prginfo"));
    setWindowTitle(QStringLiteral("Quenmora - Program Information"));
    setWindowIcon(MainPictures::icon(MainPictures::Icon::Window, 32));
    resize(480, 340);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("Tabs"));
    const QString product = QStringLiteral("<h2>Quenmora</h2><p><b>Version ") + platform::programVersion()
        + QStringLiteral("</b></p>"
                         "<p>Quenmora catalogues the files held on storage media &mdash; compact disks, "
                         "memory cards and folders of a hard disk, above all collections of songs.</p>"
                         "<p>It scans a medium into a file list, appends the list to the song database "
                         "<i>DizaRore</i> (reached through the ODBC data source <b>Orvandel</b>), and lets "
                         "you browse, find, edit and delete the records you have collected.</p>"
                         "<p>Copyright &copy; 2026 the Quenmora developers. Quenmora is free software: you can "
                         "redistribute it and/or modify it under the terms of the GNU General Public License as "
                         "published by the Free Software Foundation, either version 3 of the License, or (at your "
                         "option) any later version. It comes with ABSOLUTELY NO WARRANTY; see the licence for "
                         "details (/usr/share/common-licenses/GPL-3 on Debian, or "
                         "https://www.gnu.org/licenses/).</p>");
    m_tabs->addTab(page(product, m_tabs), QStringLiteral("Quenmora"));
    m_tabs->addTab(page(QStringLiteral(
                            "<h3>Getting about</h3>"
                            "<ul><li><b>Append</b> opens the Create File List window: choose a folder, type a "
                            "Disk ID and make the list.</li>"
                            "<li><b>Navigate</b> opens the song database: show all titles, find records, list "
                            "disks, occasions and statuses, edit and delete.</li>"
                            "<li>The session number at the foot of the main window opens the history of "
                            "your sessions with the total time of use.</li></ul>"
                            "<p>Help describes how to make the data source for your own database.</p>"),
                        m_tabs),
                   QStringLiteral("Using it"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    platform::closeWithKeys(this);
}

void ProgramInfoWindow::showEntry(int entry)
{
    m_tabs->setCurrentIndex(entry >= 0 && entry < m_tabs->count() ? entry : 0);
}

} // namespace shell
