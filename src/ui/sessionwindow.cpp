// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sessionwindow.h"

#include "ui/desktop/fixedcolours.h"
#include "ui/desktop/windowkeys.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace shell {

namespace {

constexpr int FixedRows = 2;
constexpr int FixedColumns = 1;
constexpr int Columns = 5;
const QString FieldGap = QStringLiteral("     ");

// The four headed columns are centred as a whole, headings and cells alike.
constexpr int CentredColumns = 4;

void align(QTableWidgetItem *item, int column)
{
    if (column < CentredColumns)
        item->setTextAlignment(Qt::AlignCenter);
}

// The heading cells and the number column look like a grid's fixed cells and
// cannot become current or selected.
QTableWidgetItem *fixedItem(const QString &text, int column)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::NoItemFlags);
    item->setForeground(QColor(0, 0, 0));
    item->setBackground(QColor(212, 208, 200));
    align(item, column);
    return item;
}

QTableWidgetItem *cellItem(const QString &text, int column)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    align(item, column);
    return item;
}

} // namespace

SessionWindow::SessionWindow(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Session"));
    setWindowTitle(QStringLiteral("Zimbrel Popularity Count - Parvello"));
    // Wide enough for the grid's columns (57 letters Z in all) and its frame.
    resize(fontMetrics().horizontalAdvance(QString(57, QLatin1Char('Z'))) + 60, 420);
    platform::closeWithKeys(this);

    m_label1 = new QLabel(QStringLiteral("Logged Sessions of Zimbrel"), this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setAlignment(Qt::AlignCenter);
    QFont titleFont = m_label1->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    m_label1->setFont(titleFont);

    m_grid = new QTableWidget(this);
    m_grid->setObjectName(QStringLiteral("MSFlexGrid1"));
    m_grid->setColumnCount(Columns);
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setWordWrap(false);
    // The columns are as wide as a few letters Z of the main window's font;
    // a smaller type lets the dates show whole in them.
    m_grid->setTextElideMode(Qt::ElideNone);
    QFont gridFont = m_grid->font();
    gridFont.setPointSizeF(gridFont.pointSizeF() * 0.85);
    m_grid->setFont(gridFont);
    m_grid->verticalHeader()->setDefaultSectionSize(QFontMetrics(gridFont).height() + 8);

    m_label4 = new QLabel(QStringLiteral("Selected..."), this);
    m_label4->setObjectName(QStringLiteral("Label4"));
    m_label2 = new QLabel(QStringLiteral("S"), this);
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_label2->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_label3 = new QLabel(QStringLiteral("TOTAL TIME"), this);
    m_label3->setObjectName(QStringLiteral("Label3"));
    platform::setReadableTextColour(m_label3, QColor(255, 0, 0));
    QFont totalFont = m_label3->font();
    totalFont.setBold(true);
    m_label3->setFont(totalFont);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label1);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_label4);
    layout->addWidget(m_label2);
    layout->addWidget(m_label3);

    connect(m_grid, &QTableWidget::cellClicked, this, &SessionWindow::MSFlexGrid1_Click);
}

void SessionWindow::display(const SessionHistory &history, const QFontMetrics &metrics)
{
    const int n = int(history.entries.size());
    m_grid->clear();
    m_grid->setRowCount(n + 3);

    static const QStringList headings = {QStringLiteral("Session"), QStringLiteral("Start of Session"),
                                         QStringLiteral("End of Session"), QStringLiteral("Session Length"),
                                         QString()};
    static const QStringList units = {QStringLiteral("Number"), QStringLiteral("Date & Time"),
                                      QStringLiteral("Date & Time"), QStringLiteral("Seconds"), QString()};
    for (int c = 0; c < Columns; ++c) {
        m_grid->setItem(0, c, fixedItem(headings.at(c), c));
        m_grid->setItem(1, c, fixedItem(units.at(c), c));
    }
    // Newest first: row 2 holds the last logged session.
    for (int r = FixedRows; r < n + 3; ++r) {
        const int index = n + 1 - r; // 0-based, so record n + 2 - r
        const bool filled = index >= 0 && r < n + 2;
        const SessionEntry e = filled ? history.entries.at(index) : SessionEntry();
        m_grid->setItem(r, 0, fixedItem(filled ? QString::number(e.number) : QString(), 0));
        m_grid->setItem(r, 1, cellItem(filled ? e.startText : QString(), 1));
        m_grid->setItem(r, 2, cellItem(filled ? e.endText : QString(), 2));
        m_grid->setItem(r, 3, cellItem(filled ? QString::number(e.seconds) : QString(), 3));
        m_grid->setItem(r, 4, cellItem(QString(), 4));
    }

    static const QStringList widths = {QStringLiteral("ZZZZZZ"), QStringLiteral("ZZZZZZZZZZZZZZZZZZ"),
                                       QStringLiteral("ZZZZZZZZZZZZZZZZZZ"), QStringLiteral("ZZZZZZZZZZZZZ"),
                                       QStringLiteral("ZZ")};
    for (int c = 0; c < Columns; ++c)
        m_grid->setColumnWidth(c, metrics.horizontalAdvance(widths.at(c)));

    selectRow(FixedRows, FixedColumns, Columns - 1);
    m_label2->setText(n > 0 ? history.entries.constLast().details() : QString());
    m_label3->setAlignment(Qt::AlignCenter);
    m_label3->setText(SessionLog::TotalTime(history.totalSeconds));
}

void SessionWindow::MSFlexGrid1_Click(int row, int column)
{
    // A click on a heading or number cell leaves the current row as it was.
    if (row < FixedRows || column < FixedColumns) {
        row = m_grid->currentRow();
        column = m_grid->currentColumn();
    }
    if (row < FixedRows)
        return;
    m_label2->setText(rowDetails(row));
    selectRow(row, column, 3);
}

void SessionWindow::selectRow(int row, int fromColumn, int toColumn)
{
    m_grid->setCurrentCell(row, fromColumn, QItemSelectionModel::NoUpdate);
    m_grid->clearSelection();
    m_grid->setRangeSelected(
        QTableWidgetSelectionRange(row, qMin(fromColumn, toColumn), row, qMax(fromColumn, toColumn)), true);
}

QString SessionWindow::rowDetails(int row) const
{
    QStringList texts;
    for (int c = 0; c < 4; ++c) {
        const QTableWidgetItem *item = m_grid->item(row, c);
        texts << (item ? item->text() : QString());
    }
    return texts.join(FieldGap);
}

} // namespace shell
