// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dialogs.h"


namespace platform {

Button Message::escapeButton() const
{
    switch (buttons) {
    case Buttons::Ok:
        return Button::Ok;
    case Buttons::YesNo:
        return Button::No;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel:
    case Buttons::RetryCancel:
        return Button::Cancel;
    }
    return Button::Cancel;
}

QString qtNameFilter(const QString &filterText)
{
    return qtNameFilters(filterText).join(QLatin1String(";;"));
}

QStringList qtNameFilters(const QString &filterText)
{
    const QStringList parts = filterText.split(QLatin1Char('|'));
    if (parts.size() < 2)
        return {filterText};
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString &description = parts.at(i);
        const QString patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
        const QString suffix = QLatin1String("(") + patterns + QLatin1String(")");
        filters << (description.endsWith(suffix) ? description : description + QLatin1Char(' ') + suffix);
    }
    return filters;
}

QString errorText(int number, const QString &description)
{
    return QString::number(number) + QLatin1String("\r\n") + description;
}

} // namespace platform
