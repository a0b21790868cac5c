// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QTabWidget;

namespace shell {

// The product information window: what the program is and does.
class ProgramInfoWindow : public QWidget
{
    Q_OBJECT

public:
    explicit ProgramInfoWindow(QWidget *parent = nullptr);

    // Brings the page of that entry to the front (the first page for an unknown entry).
    void showEntry(int entry);

private:
    QTabWidget *m_tabs = nullptr;
};

} // namespace shell
