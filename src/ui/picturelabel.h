// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace shell {

// A label that answers the mouse: a press with any button, and a click (a
// left-button press released over the label). A double click counts as one click.
class PictureLabel : public QLabel
{
    Q_OBJECT

public:
    explicit PictureLabel(QWidget *parent = nullptr);

signals:
    void pressed(Qt::MouseButton button);
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool m_leftDown = false;
};

} // namespace shell
