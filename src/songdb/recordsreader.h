// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/failure.h"
#include "songdb/songrecord.h"
#include "songdb/titlelines.h"

#include <QByteArray>
#include <QByteArrayView>

#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace songdb {

// Whole records of table1 for keys of a list, read through the connection's
// ODBC handle in blocks of rows, as LinesQuery reads: on any thread, while
// nothing else uses the connection. Each record is made into a line by the
// caller's format as it is read, so that no record is held as Qt values.
class RecordsReader
{
public:
    // The eleven columns of one record in table order as UTF-8 (the key in
    // decimal); a column without a value is empty. The views last until the
    // format returns.
    using Fields = std::array<QByteArrayView, ColumnCount>;
    using Format = std::function<void(const Fields &fields, QByteArray *line)>;

    RecordsReader() = default;
    explicit RecordsReader(void *connectionHandle);

    bool isValid() const { return m_connection != nullptr; }
    // The lines of the records that have these keys (ascending, each once),
    // in key order, each under its key; a key whose record is gone gives no
    // line. Keys close together are read as one range of keys.
    platform::Failure read(const std::vector<qint32> &keys, const Format &format, TitleLines *lines);

    struct Blocks;

private:
    void *m_connection = nullptr;
    // The bound column buffers, made once and kept from one read to the next.
    std::shared_ptr<Blocks> m_blocks;
};

} // namespace songdb
