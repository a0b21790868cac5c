// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QWidget;

namespace browse {

// Bold captions under the pointer: a button of hoverrules::buttons() sets
// its captions bold; a bare spot of the window sets them all back. Any
// other control leaves them as they are. Nothing moves when a caption turns
// bold: each control keeps the room its bold caption needs.
class HoverEmphasis : public QObject
{
    Q_OBJECT

public:
    explicit HoverEmphasis(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setBold(const QStringList &names, bool bold);

    QWidget *m_window;
};

} // namespace browse
