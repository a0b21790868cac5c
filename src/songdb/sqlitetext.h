// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// A text value for SQLite's ODBC driver, written into the statement in place
// of a bound parameter. The driver holds the whole result of a statement with
// a bound parameter in memory before the first row; with the value in the
// statement it hands the rows over as it goes. The driver has only narrow
// entry points, so the driver manager converts the statement to the locale's
// character set and, where that fails, takes the low byte of each UTF-16 unit:
// a quoted text could then end early or gain a quote. The value is therefore
// written as a hexadecimal blob of its bytes cast to text, pure ASCII, which
// every conversion leaves as it is.
namespace songdb::sqlitetext {

// The bytes the driver makes of a bound wide text: UTF-8, a lone surrogate
// as its own three bytes, and only up to the first NUL (the driver binds the
// text as a C string).
QByteArray boundBytes(QStringView text);

// CAST(X'...' AS TEXT) of those bytes: on a database in UTF-8 (as SQLite
// makes them unless told otherwise) exactly the value binding would give.
QString expression(QStringView text);

// The statement with its one '?' replaced by the expression of the text; a
// null string when the statement does not hold exactly one '?'.
QString withValue(const QString &statement, QStringView text);

} // namespace songdb::sqlitetext
