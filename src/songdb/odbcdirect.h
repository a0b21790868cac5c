// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/failure.h"
#include "songdb/titlelines.h"

#include <QString>

namespace songdb {

class ReadWatch;

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

    // A way to the rows through an index: the probe, a statement with one
    // '?' for probeValue, selects the keys of the candidates (and a text,
    // unused). When there are at most limit of them, the rows are read by
    // keyedPrefix + the keys joined by ", " + keyedSuffix, a few thousand
    // keys a statement, with the query's parameter; otherwise by the
    // query's own statement. Both must give the same rows.
    struct Candidates
    {
        QString probe;
        QString probeValue;
        QString keyedPrefix;
        QString keyedSuffix;
        int limit = 0;
    };
    void setCandidates(Candidates candidates) { m_candidates = std::move(candidates); }
    bool readsCandidatesFirst() const { return !m_candidates.probe.isEmpty(); }

    bool isValid() const { return m_connection != nullptr; }
    // The lines in the order the rows come; on failure the reason. A watch,
    // when given, sees the rows as they come and may stop the read.
    platform::Failure run(TitleLines *lines, ReadWatch *watch = nullptr) const;

private:
    platform::Failure read(TitleLines *lines, ReadWatch *watch) const;
    // Through the candidates' keys: false in *used when there were too many.
    platform::Failure readCandidates(TitleLines *lines, ReadWatch *watch, bool *used) const;

    void *m_connection = nullptr;
    QString m_statement;
    QString m_parameter;
    bool m_inKeyOrder = false;
    ParameterForm m_form = ParameterForm::Streamed;
    Candidates m_candidates;
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
