#include "shell/helpwindow.h"

#include <QFileInfo>

namespace shell {

std::optional<QString> HelpWindowViewer::showContents(const QString &helpFile, QWidget *)
{
    if (!QFileInfo::exists(helpFile))
        return QStringLiteral("Cannot find the help file %1.").arg(helpFile);
    return std::nullopt;
}

} // namespace shell
