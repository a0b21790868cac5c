// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "browse/savedlist.h"
#include "platform/failure.h"
#include "songdb/recordsreader.h"
#include "songdb/titlelines.h"

#include <QByteArray>
#include <QString>

namespace browse {

// A result list saved as comma-separated values for spreadsheets: UTF-8
// without a byte order mark, CR LF after every line, a header line with the
// column names. A field that holds a comma, a quotation mark, CR or LF is
// put in quotation marks, its own quotation marks doubled; a field without
// a value is empty. A field that a spreadsheet would take for a formula (it
// begins with =, +, -, @, a tab or CR) is written after an apostrophe, so
// that a file name or a tag can never become a live formula.
class CsvExport
{
public:
    static inline const QString Filter = QStringLiteral("Records with all fields, CSV (*.csv)|*.csv");

    // Whether a chosen file name asks for this form whatever the filter.
    static bool isCsvName(const QString &path);
    // Appends one field to a line, guarded and quoted where it must be.
    static void appendField(QByteArray *line, QByteArrayView utf8);

    // A list of values of one column (labels, titles): the column's name,
    // then a line per value in list order.
    static platform::Failure writeColumn(const QString &path, const QString &column, const songdb::TitleLines &values);
    // A list of records: the eleven column names, then a line per list line
    // with all the fields of its record as stored now, in list order. A
    // line whose record has been deleted since the list was made is left
    // out. The records are read a few thousand at a time, so the file may be
    // of any length. On failure no file is left.
    static platform::Failure writeRecords(const QString &path, const songdb::TitleLines &lines,
        songdb::RecordsReader &reader, const SaveProgress &progress = {});
};

} // namespace browse
