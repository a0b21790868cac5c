// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/desktop/boldcaption.h"

#include <QVariant>
#include <QWidget>

namespace platform {

namespace {

const char *const ReservedFor = "quenmoraBoldRoomFor";

void setWeight(QWidget *control, bool bold)
{
    QFont font = control->font();
    if (font.bold() == bold)
        return;
    font.setBold(bold);
    control->setFont(font);
}

} // namespace

void reserveBoldRoom(QWidget *control)
{
    const bool wasBold = control->font().bold();
    setWeight(control, false);
    const QSize normal = control->sizeHint();
    setWeight(control, true);
    const QSize bold = control->sizeHint();
    setWeight(control, wasBold);

    const QSize room = normal.expandedTo(bold);
    control->setMinimumSize(control->minimumSize().expandedTo(room));
    // Remember the caption the room was measured for (buttons, labels and boxes have a text).
    control->setProperty(ReservedFor, control->property("text").toString());
}

void setBoldCaption(QWidget *control, bool bold)
{
    if (control->font().bold() == bold)
        return;
    const QVariant reserved = control->property(ReservedFor);
    if (!reserved.isValid() || reserved.toString() != control->property("text").toString())
        reserveBoldRoom(control);
    setWeight(control, bold);
}

} // namespace platform
