// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace listmaker {

// The four list reports of the create-list window.
enum class ReportKind { Sequential, Sorted, Edited, ListX };

inline const QString ReportFilter = QStringLiteral("All supported text files (*.txt)|*.txt");
inline const QString ResultsFolder = QStringLiteral("Results");

// What the header and footer read from the window when the report is written.
struct ReportHeader
{
    QString diskId;      // Text3
    QString artist;      // Text1
    QString foldersLine; // Label7
    QString countLine;   // Label1
    QDate date;
};

// The report's lines, without line ends.
QStringList reportLines(ReportKind kind, const ReportHeader &header, const QStringList &entries);

} // namespace listmaker
