// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace platform {

namespace {

QByteArray encode(const QStringList &lines)
{
    QByteArray bytes;
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    bytes.reserve(size);
    for (const QString &line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

Failure openFailure(const QString &path, const QFileDevice &file)
{
    const QFileInfo info(path);
    if (!info.absoluteDir().exists())
        return {err::PathNotFound, QStringLiteral("Path not found")};
    if (info.isDir() || file.error() == QFileDevice::OpenError || file.error() == QFileDevice::PermissionsError)
        return {err::PathFileAccess, QStringLiteral("Path/File access error")};
    return {err::PathFileAccess, file.errorString()};
}

Failure writeFailure(const QFileDevice &file)
{
    if (errno == ENOSPC)
        return {err::DiskFull, QStringLiteral("Disk full")};
    return {err::PathFileAccess, file.errorString()};
}

} // namespace

Failure writeTextLines(const QString &path, const QStringList &lines)
{
    if (QFileInfo(path).isDir())
        return {err::PathFileAccess, QStringLiteral("Path/File access error")};
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return openFailure(path, file);
    const QByteArray bytes = encode(lines);
    errno = 0;
    const bool written = file.write(bytes) == bytes.size() && file.flush();
    if (!written) {
        const Failure f = writeFailure(file);
        file.close();
        file.remove();
        return f;
    }
    file.close();
    return {};
}

Failure appendTextLines(const QString &path, const QStringList &lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return openFailure(path, file);
    const QByteArray bytes = encode(lines);
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush())
        return writeFailure(file);
    return {};
}

Failure readTextLines(const QString &path, QStringList *lines)
{
    lines->clear();
    QFile file(path);
    if (!file.exists())
        return {err::FileNotFound, QStringLiteral("File not found")};
    if (!file.open(QIODevice::ReadOnly))
        return openFailure(path, file);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {err::PathFileAccess, file.errorString()};
    *lines = splitTextLines(bytes);
    return {};
}

QStringList splitTextLines(QByteArrayView bytes)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const bool last = end < 0;
        if (last)
            end = bytes.size();
        qsizetype stop = end;
        if (stop > start && bytes.at(stop - 1) == '\r')
            --stop;
        lines.append(QString::fromUtf8(bytes.data() + start, stop - start));
        start = end + 1;
    }
    return lines;
}

namespace {
constexpr qsizetype WriteBlock = 1 << 20;
} // namespace

TextLineWriter::TextLineWriter(const QString &path)
    : m_path(path)
    , m_file(path)
{
}

TextLineWriter::~TextLineWriter()
{
    if (m_file.isOpen())
        finish();
}

Failure TextLineWriter::open()
{
    if (QFileInfo(m_path).isDir())
        m_failure = {err::PathFileAccess, QStringLiteral("Path/File access error")};
    else if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        m_failure = openFailure(m_path, m_file);
    m_buffer.reserve(WriteBlock + 4096);
    return m_failure;
}

void TextLineWriter::addLine(QByteArrayView utf8)
{
    if (m_failure.isSet() || !m_file.isOpen())
        return;
    m_buffer.append(utf8.data(), utf8.size());
    m_buffer.append("\r\n", 2);
    if (m_buffer.size() >= WriteBlock)
        flushBuffer();
}

bool TextLineWriter::flushBuffer()
{
    errno = 0;
    if (m_file.write(m_buffer) != m_buffer.size())
        m_failure = writeFailure(m_file);
    m_buffer.resize(0); // keeps its room for the next block
    return !m_failure.isSet();
}

Failure TextLineWriter::finish()
{
    if (!m_file.isOpen())
        return m_failure;
    if (!m_failure.isSet() && flushBuffer() && !m_file.flush())
        m_failure = writeFailure(m_file);
    m_file.close();
    if (m_failure.isSet())
        m_file.remove();
    return m_failure;
}

} // namespace platform
