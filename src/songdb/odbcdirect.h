#pragma once

#include "platform/failure.h"
#include "songdb/titlelines.h"

#include <QString>

namespace songdb {

// How a query's text parameter reaches the engine.
enum class ParameterForm {
    // Bound, except on SQLite, where it is written into the statement as
    // sqlitetext::expression: the driver then hands the rows over as it
    // reads them instead of holding the whole result first. Either way it
    // stands for exactly the value binding gives.
    Streamed,
    // Always bound.
    Bound,
};

// A query for list lines (a number and a text per row: a record key, or a
// count that the caller makes into its line), read through
// the connection's own ODBC handle in blocks of rows with bound columns:
// several times faster than reading row by row, which matters for lists of
// a million lines. It uses no Qt Sql object, so run() may be called on
// another thread, as long as nothing else uses the connection meanwhile.
class LinesQuery
{
public:
    LinesQuery() = default;
    // statement selects the number and the text, in this order; a parameter,
    // when not null, is the text value of its one '?', sent in the form
    // given. With inKeyOrder the lines are put in the order of their keys as
    // they are read.
    LinesQuery(void *connectionHandle, QString statement, QString parameter = QString(), bool inKeyOrder = false,
        ParameterForm form = ParameterForm::Streamed);

    bool isValid() const { return m_connection != nullptr; }
    // The lines in the order the rows come; on failure the reason.
    platform::Failure run(TitleLines *lines) const;

private:
    platform::Failure read(TitleLines *lines) const;

    void *m_connection = nullptr;
    QString m_statement;
    QString m_parameter;
    bool m_inKeyOrder = false;
    ParameterForm m_form = ParameterForm::Streamed;
};

// A statement that changes rows, run through the connection's ODBC handle
// in a transaction of its own (all rows or none), like LinesQuery on any
// thread while nothing else uses the connection.
class RowsChange
{
public:
    RowsChange() = default;
    // A parameter, when not null, is bound to the statement's one '?' as
    // text, on every engine: a change has no result for a driver to hold.
    RowsChange(void *connectionHandle, QString statement, QString parameter = QString());

    // The rows changed, or the reason nothing was.
    platform::Failure run(int *rows) const;

private:
    void *m_connection = nullptr;
    QString m_statement;
    QString m_parameter;
};

} // namespace songdb
