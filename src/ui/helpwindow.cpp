// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/helpwindow.h"

#include "ui/desktop/contrast.h"
#include "ui/desktop/windowkeys.h"
#include "ui/desktop/windowplacement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace shell {

HelpWindowViewer::~HelpWindowViewer()
{
    if (m_window && !m_window->parent())
        delete m_window;
}

std::optional<QString> HelpWindowViewer::showContents(const QString &helpFile, QWidget *owner)
{
    const QFileInfo info(helpFile);
    if (!info.exists() || info.isDir())
        return QStringLiteral("The help file %1 cannot be found.").arg(QDir::toNativeSeparators(helpFile));
    QFile file(helpFile);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("The help file %1 cannot be read: %2")
            .arg(QDir::toNativeSeparators(helpFile), file.errorString());
    // A help file of another kind (a compiled one, say) would only show as
    // garbage; say so instead.
    if (file.peek(4096).contains('\0'))
        return QStringLiteral("The help file %1 is not a text this viewer can show.")
            .arg(QDir::toNativeSeparators(helpFile));
    file.close();

    if (!m_window) {
        m_window = new QWidget(owner, Qt::Window);
        m_window->setObjectName(QStringLiteral("HelpViewer"));
        m_window->setAttribute(Qt::WA_DeleteOnClose, false);
        m_window->resize(640, 520);
        m_browser = new QTextBrowser(m_window);
        m_browser->setObjectName(QStringLiteral("HelpText"));
        m_browser->setOpenExternalLinks(true);
        // Links take the palette's link colour, or a shade of it that reads on the page.
        const QPalette palette = m_browser->palette();
        const QColor link = palette.color(QPalette::Link);
        const QColor shade = platform::readableShade(link, palette.color(QPalette::Base));
        if (shade != link)
            m_browser->document()->setDefaultStyleSheet(QStringLiteral("a { color: %1; }").arg(shade.name()));
        auto *layout = new QVBoxLayout(m_window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(m_browser);
        platform::closeWithKeys(m_window);
    } else if (m_window->parentWidget() != owner) {
        const bool wasVisible = m_window->isVisible();
        m_window->setParent(owner, Qt::Window);
        if (wasVisible)
            m_window->show();
    }

    // The file is HTML whatever its name says; asked again, it opens at the top afresh.
    const QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    if (m_browser->source() == url)
        m_browser->reload();
    else
        m_browser->setSource(url, QTextDocument::HtmlResource);
    m_window->setWindowTitle(m_browser->documentTitle().isEmpty() ? QStringLiteral("Quenmora help")
                                                                   : m_browser->documentTitle());
    platform::showFitted(m_window, owner);
    return std::nullopt;
}

} // namespace shell
