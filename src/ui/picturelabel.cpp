// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/picturelabel.h"

#include <QMouseEvent>

namespace shell {

PictureLabel::PictureLabel(QWidget *parent)
    : QLabel(parent)
{
}

void PictureLabel::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        m_leftDown = true;
    emit pressed(event->button());
}

void PictureLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click is a double click, not another click:
    // a toggle such as the banner strip flips once, not back again.
    event->accept();
    m_leftDown = false;
}

void PictureLabel::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || !m_leftDown)
        return;
    m_leftDown = false;
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace shell
