// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/sessionlog.h"

#include <QWidget>

class QFontMetrics;
class QLabel;
class QTableWidget;

namespace shell {

// The usage history: every logged session, newest first, with the total time.
class SessionWindow : public QWidget
{
    Q_OBJECT

public:
    explicit SessionWindow(QWidget *parent = nullptr);

    // Rebuilds grid, details and total. Column widths follow the texts
    // "ZZZZZZ" and the like in the given metrics.
    void display(const SessionHistory &history, const QFontMetrics &metrics);

private:
    void MSFlexGrid1_Click(int row, int column);
    void selectRow(int row, int fromColumn, int toColumn);
    QString rowDetails(int row) const;

    QTableWidget *m_grid = nullptr;
    QLabel *m_label1 = nullptr;
    QLabel *m_label2 = nullptr;
    QLabel *m_label3 = nullptr;
    QLabel *m_label4 = nullptr;
};

} // namespace shell
