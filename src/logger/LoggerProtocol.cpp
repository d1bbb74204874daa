// SPDX-License-Identifier: GPL-3.0-or-later
#include "logger/LoggerProtocol.h"

#include "link/ReadingDecoder.h"
#include "logger/LoggerTimes.h"

#include <QDate>

#include <cmath>

namespace veltrix::logger {

namespace {
int word(QByteArrayView b, int offset)
{
    return (quint8(b[offset]) << 8) | quint8(b[offset + 1]);
}
} // namespace

QByteArray setDataCommand(int set)
{
    return "K" + QByteArray::number(set & 0xFF, 16).rightJustified(2, '0').toUpper();
}

std::optional<MemoryStatus> parseMemoryStatus(QByteArrayView reply)
{
    if (reply.size() != MemoryStatusLength)
        return std::nullopt;
    MemoryStatus s;
    s.idCode = word(reply, 0);
    s.intervalCode = quint8(reply[4]);
    s.setCount = quint8(reply[5]);
    s.usedBytes = word(reply, 6);
    return s;
}

QString intervalText(int intervalCode)
{
    // Whole tenths, so that the text never depends on how 0.4 rounds in binary.
    const int tenths = intervalCode * 4;
    return QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
}

QString remainingMemory(const MemoryStatus& status)
{
    if (status.usedBytes == FullMemoryBytes || status.setCount == MaxSets)
        return QStringLiteral("0");
    if (status.setCount == 0)
        return QStringLiteral("32.0");
    return QString::number(32.0 - status.usedBytes / 1024.0, 'f', 1);
}

int bcdValue(quint8 byte)
{
    const int high = byte >> 4;
    const int low = byte & 0x0F;
    if (high > 9 || low > 9)
        return -1;
    return high * 10 + low;
}

QString byteDigits(quint8 byte)
{
    return QString::number(byte, 16).rightJustified(2, QLatin1Char('0')).toUpper();
}

bool startKnown(const StartBytes& start)
{
    int v[6];
    for (int i = 0; i < 6; ++i) {
        v[i] = bcdValue(start[i]);
        if (v[i] < 0)
            return false;
    }
    // A day past its month's end (31 April, 29 February of a common year) is no date either. The
    // meter keeps two digits of the year; within one century they give the same leap years.
    return QDate(2000 + v[0], v[1], v[2]).isValid() && v[3] <= 23 && v[4] <= 59 && v[5] <= 59;
}

QString SetInfo::dateText() const
{
    return byteDigits(start[0]) + QLatin1Char('/') + byteDigits(start[1]) + QLatin1Char('/') +
           byteDigits(start[2]);
}

QString SetInfo::timeText() const
{
    return byteDigits(start[3]) + QLatin1Char(':') + byteDigits(start[4]) + QLatin1Char(':') +
           byteDigits(start[5]);
}

QString SetInfo::unitText() const
{
    return DecodeStatus(status).TeslaFlag ? QStringLiteral("uT") : QStringLiteral("mG");
}

QString SetInfo::rowText() const
{
    const QChar tab(u'\t');
    return QString::number(number) + tab + dateText() + tab + timeText() + tab + unitText() + tab +
           intervalText(intervalCode) + tab + QString::number(records);
}

SetInfo parseSetDescriptor(QByteArrayView ten, int number)
{
    SetInfo s;
    s.number = number;
    if (ten.size() < SetDescriptorLength)
        return s;
    s.records = word(ten, 0);
    for (int i = 0; i < 6; ++i)
        s.start[i] = quint8(ten[2 + i]);
    s.intervalCode = quint8(ten[8]);
    s.status = quint8(ten[9]);
    return s;
}

QList<SetInfo> parseSetIndex(QByteArrayView reply, int setCount)
{
    QList<SetInfo> sets;
    for (int i = 1; i <= setCount; ++i) {
        const qsizetype offset = 1 + qsizetype(SetDescriptorLength) * (i - 1);
        if (offset + SetDescriptorLength > reply.size())
            break;
        sets.append(parseSetDescriptor(reply.sliced(offset, SetDescriptorLength), i));
    }
    return sets;
}

QString clockText(QByteArrayView reply)
{
    if (reply.size() != ClockReplyLength)
        return {};
    QString t;
    for (int i = 0; i < 6; ++i) {
        t += byteDigits(quint8(reply[i]));
        if (i == 0 || i == 1)
            t += QLatin1Char('/');
        else if (i == 2)
            t += QStringLiteral("-----");
        else if (i < 5)
            t += QLatin1Char(':');
    }
    return t;
}

std::optional<int> idCodeFromText(const QString& text)
{
    const double c = leadingNumber(text);
    if (!(c >= 0 && c <= MaxIdCode))
        return std::nullopt;
    return int(std::nearbyint(c)); // the default rounding: halves to the even neighbour
}

std::optional<int> intervalCodeFromText(const QString& text)
{
    const double t = leadingNumber(text);
    if (!std::isfinite(t))
        return std::nullopt;
    const double q = t / IntervalStep;
    const double whole = std::ceil(q);
    if (whole == 0)
        return std::nullopt;
    // 102.0 / 0.4 is not exactly 255 in binary; fifteen significant digits hide the difference.
    const double ratio = QString::number(q / whole, 'g', 15).toDouble();
    if (ratio != 1.0)
        return std::nullopt;
    const double n = std::nearbyint(q);
    if (n < 1 || n > MaxIntervalCode)
        return std::nullopt;
    return int(n);
}

} // namespace veltrix::logger
