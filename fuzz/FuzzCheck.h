// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every fuzz target needs: a check that stops the run with a message libFuzzer keeps, and the
// input cut into text fields.

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond)                                                                           \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);          \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

namespace veltrix::fuzz {

inline QByteArray bytesOf(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// The input as up to `count` text fields separated by newlines, each read as UTF-8 (a dialog box
// hands over whatever was typed or pasted); missing fields are empty.
inline QList<QString> fieldsOf(const uint8_t* data, size_t size, int count)
{
    const QList<QByteArray> parts = bytesOf(data, size).split('\n');
    QList<QString> fields;
    for (int i = 0; i < count; ++i)
        fields << (i < parts.size() ? QString::fromUtf8(parts[i]) : QString());
    return fields;
}

} // namespace veltrix::fuzz
