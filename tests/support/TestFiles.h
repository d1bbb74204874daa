#pragma once
// Reading back what the program wrote.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

namespace veltrix::test {

inline const QByteArray HeaderBytes =
    "No.s      Date           Time         Value   Unit     Hold    Peak    \r\n";

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The file's CR LF lines, without the line ends.
inline QStringList fileLines(const QString& path)
{
    QStringList lines = QString::fromLatin1(fileBytes(path)).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace veltrix::test
