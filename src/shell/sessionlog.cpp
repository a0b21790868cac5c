// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/sessionlog.h"

#include "platform/datetext.h"
#include "platform/textfile.h"

#include <QFile>

#include <cmath>
#include <limits>

namespace shell {

namespace {

constexpr int ZoneWidth = 14;
constexpr int Overflow = 6;
const QString FieldGap = QStringLiteral("     ");

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// A number field: the sign's place (a blank or '-'), the digits, one blank.
QString numberField(qint64 n)
{
    return (n < 0 ? QString() : QStringLiteral(" ")) + QString::number(n) + QLatin1Char(' ');
}

// Pads the line to the first zone start after its last column.
void padToZone(QString &line)
{
    const qsizetype next = (line.size() + ZoneWidth - 1) / ZoneWidth * ZoneWidth;
    line += QString(next - line.size(), QLatin1Char(' '));
}

qsizetype lastNonBlank(const QString &s, qsizetype from, qsizetype to)
{
    for (qsizetype i = to - 1; i >= from; --i) {
        if (!isBlank(s.at(i)))
            return i;
    }
    return -1;
}

QString twoDigits(qint64 n)
{
    const QString digits = QString::number(n < 0 ? -n : n).rightJustified(2, QLatin1Char('0'));
    return n < 0 ? QLatin1Char('-') + digits : digits;
}

// Splits the part between the number and the seconds into start and end
// text when the texts are longer than the usual short forms: the end text
// starts at a zone start right after the start text, and both texts have the
// same form, so the split that makes them most alike in length wins.
void splitAtZone(const QString &line, qsizetype from, qsizetype to, SessionEntry &entry)
{
    const qsizetype end3 = lastNonBlank(line, from, to);
    qsizetype best = -1;
    qsizetype bestDifference = std::numeric_limits<qsizetype>::max();
    for (qsizetype zone = (from / ZoneWidth + 1) * ZoneWidth; zone <= end3; zone += ZoneWidth) {
        if (isBlank(line.at(zone)))
            continue;
        const qsizetype end2 = lastNonBlank(line, from, zone);
        if (end2 < zone - ZoneWidth)
            continue;
        const qsizetype difference = qAbs((end2 - from) - (end3 - zone));
        if (difference < bestDifference) {
            bestDifference = difference;
            best = zone;
        }
    }
    if (best < 0) {
        entry.startText = line.mid(from, end3 + 1 - from);
        return;
    }
    entry.startText = line.mid(from, lastNonBlank(line, from, best) + 1 - from);
    entry.endText = line.mid(best, end3 + 1 - best);
}

// A length beyond any real session (or no number at all) counts as 0, so
// that a damaged line can neither break the rounding nor overflow the total.
qint64 lengthSeconds(const QString &text)
{
    constexpr double Longest = 1.0e12;
    const double value = text.toDouble();
    return std::isfinite(value) && std::abs(value) < Longest ? qRound64(value) : 0;
}

platform::Failure appendFile(const QString &path, const QStringList &lines)
{
    return platform::appendTextLines(path, lines);
}

// True when the file has text whose last line was never ended, so that a
// new line would be glued to it.
bool endsWithoutLineEnd(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return false;
    if (!file.seek(file.size() - 1))
        return false;
    char last = 0;
    return file.getChar(&last) && last != '\n';
}

} // namespace

QString SessionEntry::details() const
{
    return QString::number(number) + FieldGap + startText + FieldGap + endText + FieldGap + QString::number(seconds);
}

SessionLog::SessionLog(QString path)
    : m_path(std::move(path))
    , m_appender(&appendFile)
{
}

SessionNumber SessionLog::nextSessionNumber() const
{
    QStringList lines;
    platform::readTextLines(m_path, &lines);
    // A damaged line is skipped rather than ending the count, so that the
    // sessions after it do not hand out their numbers a second time.
    qint32 last = 0;
    for (const QString &line : std::as_const(lines)) {
        if (const auto entry = parseLine(line))
            last = entry->number;
    }
    if (last == std::numeric_limits<qint32>::max())
        return {last, {Overflow, QStringLiteral("Overflow")}};
    return {last + 1, {}};
}

platform::Failure SessionLog::appendSession(qint32 number, const QDateTime &start, const QDateTime &end) const
{
    QStringList lines;
    if (endsWithoutLineEnd(m_path))
        lines << QString();
    // The line shows whole seconds, so the length is taken between the times as shown.
    const auto wholeSeconds = [](const QDateTime &t) { return t.addMSecs(-t.time().msec()); };
    lines << sessionLine(number, platform::generalDateText(start), platform::generalDateText(end),
                         wholeSeconds(start).secsTo(wholeSeconds(end)));
    return m_appender(m_path, lines);
}

SessionHistory SessionLog::readHistory() const
{
    SessionHistory history;
    QStringList lines;
    if (const platform::Failure failure = platform::readTextLines(m_path, &lines); failure.isSet()) {
        history.failure = failure;
        return history;
    }
    return historyOf(lines);
}

SessionHistory SessionLog::historyOf(const QStringList &lines)
{
    SessionHistory history;
    for (const QString &line : lines) {
        if (const auto entry = parseLine(line)) {
            history.entries << *entry;
            history.totalSeconds += entry->seconds;
        }
    }
    return history;
}

QString SessionLog::sessionLine(qint32 number, const QString &startText, const QString &endText, qint64 seconds)
{
    QString line = numberField(number);
    padToZone(line);
    line += startText;
    padToZone(line);
    line += endText;
    padToZone(line);
    line += numberField(seconds);
    return line;
}

std::optional<SessionEntry> SessionLog::parseLine(const QString &line)
{
    const qsizetype size = line.size();
    qsizetype i = 0;
    while (i < size && isBlank(line.at(i)))
        ++i;
    const qsizetype numberStart = i;
    while (i < size && !isBlank(line.at(i)) && line.at(i) != QLatin1Char(','))
        ++i;
    bool ok = false;
    SessionEntry entry;
    entry.number = line.mid(numberStart, i - numberStart).toInt(&ok);
    if (!ok)
        return std::nullopt;
    if (i < size && line.at(i) == QLatin1Char(','))
        ++i;
    while (i < size && isBlank(line.at(i)))
        ++i;
    const qsizetype restStart = i;
    const QString rest = line.mid(restStart);

    // The seconds are the last word of the line.
    const qsizetype lastEnd = lastNonBlank(line, restStart, size) + 1;
    qsizetype lastStart = lastEnd;
    while (lastStart > restStart && !isBlank(line.at(lastStart - 1)))
        --lastStart;
    if (lastStart == restStart)
        return entry; // no texts, at most a number that is not a length
    entry.seconds = lengthSeconds(line.mid(lastStart, lastEnd - lastStart));

    // The usual layout: the start text in the 25 columns after the number,
    // the end text two columns further on and within its 25 columns. A short
    // end text (the date alone, at midnight) brings the seconds nearer but
    // leaves the texts in their columns.
    const bool usual = restStart + 28 < lastStart && isBlank(rest.at(25)) && isBlank(rest.at(26))
                       && isBlank(rest.at(27)) && !isBlank(rest.at(28))
                       && lastNonBlank(line, restStart + 51, lastStart) < 0;
    if (usual) {
        entry.startText = rest.left(25);
        entry.endText = rest.mid(26, qMin<qsizetype>(25, lastStart - restStart - 26));
    } else {
        splitAtZone(line, restStart, lastStart, entry);
    }
    return entry;
}

QString SessionLog::TotalTime(qint64 totalSeconds)
{
    const qint64 s = totalSeconds % 60;
    const qint64 m = (totalSeconds / 60) % 60;
    const qint64 h = (totalSeconds / 3600) % 24;
    const qint64 d = totalSeconds / 86400;
    return QStringLiteral("Total duration: ") + QString::number(d) + QStringLiteral("day(s):") + twoDigits(h)
           + QStringLiteral("h:") + twoDigits(m) + QStringLiteral("m:") + twoDigits(s) + QStringLiteral("s (")
           + QString::number(totalSeconds) + QStringLiteral(" seconds)");
}

} // namespace shell
