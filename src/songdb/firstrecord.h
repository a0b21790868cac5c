#pragma once

#include "songdb/songconnection.h"

namespace songdb {

// The first row of table1 in table order, reading that row alone. Some ODBC
// drivers (SQLite's, unless its data source sets StepAPI) fetch a whole
// result when the statement runs, so reading all rows to show one costs a
// second on a large table.
DbResult<std::optional<SongRecord>> readFirstRecord(SongConnection &connection);

} // namespace songdb
