#include "platform/dialogs.h"

#include <QStringList>

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
    const int bar = filterText.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return filterText;
    const QString description = filterText.left(bar);
    const QString patterns
        = filterText.mid(bar + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
    const QString suffix = QLatin1String("(") + patterns + QLatin1String(")");
    if (description.endsWith(suffix))
        return description;
    return description + QLatin1Char(' ') + suffix;
}

QString errorText(int number, const QString &description)
{
    return QString::number(number) + QLatin1String("\r\n") + description;
}

} // namespace platform
