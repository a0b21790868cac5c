// SPDX-License-Identifier: GPL-3.0-or-later
#include "browse/hoverrules.h"

namespace browse::hoverrules {

const QStringList &buttons()
{
    static const QStringList names = {
        QStringLiteral("Occasion"),   QStringLiteral("Status"),         QStringLiteral("ShowAll"),
        QStringLiteral("DeleteAll"),  QStringLiteral("SearchDisks"),    QStringLiteral("AppendFileList"),
        QStringLiteral("DeleteDisk"), QStringLiteral("EditRecord"),     QStringLiteral("Find"),
    };
    return names;
}

QStringList emphasised(const QString &control)
{
    if (control == QLatin1String("Find")) {
        return {QStringLiteral("Find"), QStringLiteral("Label13"), QStringLiteral("Text2"),
                QStringLiteral("Combo1")};
    }
    if (buttons().contains(control))
        return {control};
    return {};
}

const QStringList &resetOnBackground()
{
    static const QStringList names = {
        QStringLiteral("AppendFileList"), QStringLiteral("DeleteDisk"), QStringLiteral("Find"),
        QStringLiteral("Label13"),        QStringLiteral("Text2"),      QStringLiteral("Combo1"),
        QStringLiteral("SearchDisks"),    QStringLiteral("DeleteAll"),  QStringLiteral("ShowAll"),
        QStringLiteral("Occasion"),       QStringLiteral("Status"),     QStringLiteral("EditRecord"),
    };
    return names;
}

} // namespace browse::hoverrules
