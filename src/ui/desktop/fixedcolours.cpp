// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/desktop/fixedcolours.h"

#include "ui/desktop/contrast.h"

#include <QEvent>
#include <QWidget>

namespace platform {

namespace {

QColor halfway(const QColor &a, const QColor &b)
{
    const QColor x = a.toRgb();
    const QColor y = b.toRgb();
    return QColor((x.red() + y.red()) / 2, (x.green() + y.green()) / 2, (x.blue() + y.blue()) / 2);
}

// Keeps one control's text colour readable on its palette background.
class ReadableText final : public QObject
{
public:
    explicit ReadableText(QWidget *widget)
        : QObject(widget)
        , m_widget(widget)
    {
        setObjectName(QStringLiteral("ReadableText"));
        widget->installEventFilter(this);
    }

    void setText(const QColor &text)
    {
        m_text = text;
        apply();
    }

    void apply()
    {
        QPalette palette = m_widget->palette();
        bool changed = false;
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            // A light palette shows every fixed colour as chosen; only a dark one needs shades.
            const QColor colour = isDark(palette.color(group, QPalette::Window))
                ? readableShade(m_text, palette.color(group, m_widget->backgroundRole()))
                : m_text;
            if (palette.color(group, m_widget->foregroundRole()) != colour) {
                palette.setColor(group, m_widget->foregroundRole(), colour);
                changed = true;
            }
        }
        // Setting the palette sends a palette change, which finds nothing left to do.
        if (changed)
            m_widget->setPalette(palette);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_widget && event->type() == QEvent::PaletteChange)
            apply();
        return false;
    }

private:
    QWidget *m_widget;
    QColor m_text;
};

} // namespace

void setFixedColours(QWidget *widget, const QColor &background, const QColor &text)
{
    QPalette palette = widget->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, widget->backgroundRole(), background);
        palette.setColor(
            group, widget->foregroundRole(), group == QPalette::Disabled ? halfway(text, background) : text);
    }
    widget->setPalette(palette);
}

void setReadableTextColour(QWidget *widget, const QColor &text)
{
    auto *keeper = static_cast<ReadableText *>(
        widget->findChild<QObject *>(QStringLiteral("ReadableText"), Qt::FindDirectChildrenOnly));
    if (!keeper)
        keeper = new ReadableText(widget);
    keeper->setText(text);
}

} // namespace platform
