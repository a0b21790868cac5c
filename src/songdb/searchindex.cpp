// SPDX-License-Identifier: GPL-3.0-or-later
#include "songdb/searchindex.h"

#include <QRegularExpression>
#include <QSet>

namespace songdb::searchindex {

namespace {

// Enough trigrams to narrow a search to a few candidates; a longer text
// gains nothing from more of them.
constexpr int MostTrigrams = 32;

bool matches(const QString &text, const QString &pattern)
{
    return QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption).match(text).hasMatch();
}

bool isTrigramTable(const QString &sql)
{
    return matches(sql, QStringLiteral("\\busing\\s+fts5\\s*\\("))
        && matches(sql, QStringLiteral("\\btokenize\\s*=\\s*['\"]?\\s*trigram\\b"))
        && !matches(sql, QStringLiteral("\\bcase_sensitive\\s+1\\b"))
        && matches(sql, QStringLiteral("\\bcontent\\s*=\\s*['\"]?table1\\b"))
        && matches(sql, QStringLiteral("\\bcontent_rowid\\s*=\\s*['\"]?ID\\b"));
}

// Whether the trigger writes into the table on the event (INSERT, DELETE,
// UPDATE) of table1, for an update one that changes the column.
bool keepsInStep(const QString &sql, const QString &event, const QString &table, const QString &column)
{
    const QRegularExpression head(QStringLiteral("\\bAFTER\\s+") + event + QStringLiteral("\\b(.*?)\\bON\\s+table1\\b"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = head.match(sql);
    if (!m.hasMatch() || !matches(sql, QStringLiteral("\\bINSERT\\s+INTO\\s+") + table + QStringLiteral("\\b")))
        return false;
    const QString columns = m.captured(1).trimmed();
    if (columns.isEmpty())
        return true;
    if (!matches(columns, QStringLiteral("^OF\\b")))
        return false;
    for (const QString &name : columns.mid(2).split(QLatin1Char(','))) {
        if (name.trimmed().compare(column, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

QString sqliteTable(Column column)
{
    return QStringLiteral("table1_") + ColumnNames[column] + QStringLiteral("_search");
}

Columns sqliteIndexes(const QList<SchemaObject> &objects)
{
    Columns served;
    for (int c = DiskID; c < ColumnCount; ++c) {
        const QString table = sqliteTable(Column(c));
        bool indexed = false;
        bool inserts = false;
        bool deletes = false;
        bool updates = false;
        for (const SchemaObject &o : objects) {
            if (o.type == QLatin1String("table") && o.name.compare(table, Qt::CaseInsensitive) == 0)
                indexed = isTrigramTable(o.sql);
            else if (o.type == QLatin1String("trigger")) {
                inserts = inserts || keepsInStep(o.sql, QStringLiteral("INSERT"), table, ColumnNames[c]);
                deletes = deletes || keepsInStep(o.sql, QStringLiteral("DELETE"), table, ColumnNames[c]);
                updates = updates || keepsInStep(o.sql, QStringLiteral("UPDATE"), table, ColumnNames[c]);
            }
        }
        served[std::size_t(c)] = indexed && inserts && deletes && updates;
    }
    return served;
}

Columns postgresIndexes(const QStringList &definitions)
{
    Columns served;
    const QRegularExpression trigrams(
        QStringLiteral("\\bUSING\\s+gin\\s*\\(\\s*\"?(\\w+)\"?\\s+(?:\\w+\\.)?gin_trgm_ops\\s*\\)"),
        QRegularExpression::CaseInsensitiveOption);
    for (const QString &definition : definitions) {
        // An index of some rows only serves the searches that ask for those.
        if (matches(definition, QStringLiteral("\\)\\s*WHERE\\b")))
            continue;
        const QRegularExpressionMatch m = trigrams.match(definition);
        const int c = m.hasMatch() ? columnIndex(m.captured(1)) : -1;
        if (c > ID)
            served[std::size_t(c)] = true;
    }
    return served;
}

QString trigramQuery(QStringView pattern)
{
    QStringList trigrams;
    QSet<QString> seen;
    // The starts of the characters of the run under way, and where it ends.
    QList<qsizetype> starts;
    const auto endRun = [&](qsizetype end) {
        for (qsizetype i = 0; i + 3 <= starts.size() && trigrams.size() < MostTrigrams; ++i) {
            const qsizetype last = i + 3 < starts.size() ? starts[i + 3] : end;
            const QString trigram = pattern.mid(starts[i], last - starts[i]).toString();
            if (!seen.contains(trigram)) {
                seen.insert(trigram);
                trigrams << trigram;
            }
        }
        starts.clear();
    };
    qsizetype i = 0;
    for (; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        // The driver binds the text as a C string: it ends at a NUL.
        if (c.isNull())
            break;
        if (c == QLatin1Char('%') || c == QLatin1Char('_')) {
            endRun(i);
            continue;
        }
        starts << i;
        if (c.isHighSurrogate() && i + 1 < pattern.size() && pattern[i + 1].isLowSurrogate())
            ++i;
    }
    endRun(i);
    if (trigrams.isEmpty())
        return QString();
    QStringList quoted;
    for (QString t : std::as_const(trigrams))
        quoted << QLatin1Char('"') + t.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
    return quoted.join(QLatin1String(" AND "));
}

} // namespace songdb::searchindex
