// SPDX-License-Identifier: GPL-3.0-or-later
#include "browse/csvexport.h"

#include "platform/textfile.h"
#include "songdb/songrecord.h"

#include <QFile>

#include <algorithm>

namespace browse {

namespace {

// List lines per read of records: a few megabytes of lines at a time.
constexpr int LinesPerRead = 4096;

QByteArray headerLine(std::initializer_list<QString> columns)
{
    QByteArray line;
    for (const QString &column : columns) {
        if (!line.isEmpty())
            line += ',';
        CsvExport::appendField(&line, column.toUtf8());
    }
    return line;
}

void recordLine(const songdb::RecordsReader::Fields &fields, QByteArray *line)
{
    for (int i = 0; i < songdb::ColumnCount; ++i) {
        if (i > 0)
            *line += ',';
        CsvExport::appendField(line, fields[std::size_t(i)]);
    }
}

// The line of the record with that key among lines in key order, or -1.
int lineOfKey(const songdb::TitleLines &records, qint32 key)
{
    int low = 0;
    int high = records.size();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (records.id(middle) < key)
            low = middle + 1;
        else
            high = middle;
    }
    return low < records.size() && records.id(low) == key ? low : -1;
}

// What a spreadsheet takes for the start of a formula.
bool startsLikeFormula(QByteArrayView utf8)
{
    if (utf8.isEmpty())
        return false;
    switch (utf8.front()) {
    case '=':
    case '+':
    case '-':
    case '@':
    case '\t':
    case '\r':
        return true;
    default:
        return false;
    }
}

} // namespace

bool CsvExport::isCsvName(const QString &path)
{
    return path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
}

void CsvExport::appendField(QByteArray *line, QByteArrayView utf8)
{
    const bool guarded = startsLikeFormula(utf8);
    const bool quoted
        = std::any_of(utf8.begin(), utf8.end(), [](char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; });
    if (quoted)
        *line += '"';
    if (guarded)
        *line += '\'';
    if (!quoted) {
        line->append(utf8.data(), utf8.size());
        return;
    }
    for (const char c : utf8) {
        if (c == '"')
            *line += '"';
        *line += c;
    }
    *line += '"';
}

platform::Failure CsvExport::writeColumn(const QString &path, const QString &column, const songdb::TitleLines &values)
{
    platform::TextLineWriter file(path);
    if (const platform::Failure f = file.open(); f.isSet())
        return f;
    file.addLine(headerLine({column}));
    QByteArray line;
    for (int i = 0; i < values.size(); ++i) {
        line.clear();
        appendField(&line, values.utf8(i));
        file.addLine(line);
    }
    return file.finish();
}

platform::Failure CsvExport::writeRecords(
    const QString &path, const songdb::TitleLines &lines, songdb::RecordsReader &reader, const SaveProgress &progress)
{
    platform::TextLineWriter file(path);
    if (const platform::Failure f = file.open(); f.isSet())
        return f;
    const auto &names = songdb::ColumnNames;
    file.addLine(headerLine({names[0], names[1], names[2], names[3], names[4], names[5], names[6], names[7], names[8],
        names[9], names[10]}));
    std::vector<qint32> keys;
    songdb::TitleLines records;
    for (int first = 0; first < lines.size(); first += LinesPerRead) {
        const int end = std::min(lines.size(), first + LinesPerRead);
        keys.clear();
        for (int i = first; i < end; ++i) {
            if (lines.id(i) != 0)
                keys.push_back(lines.id(i));
        }
        std::sort(keys.begin(), keys.end());
        keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
        if (const platform::Failure f = reader.read(keys, recordLine, &records); f.isSet()) {
            file.finish();
            QFile::remove(path);
            return f;
        }
        for (int i = first; i < end; ++i) {
            const int record = lineOfKey(records, lines.id(i));
            if (record >= 0)
                file.addLine(records.utf8(record));
        }
        if (progress)
            progress(end);
    }
    return file.finish();
}

} // namespace browse
