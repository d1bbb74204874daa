// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/MeterProtocol.h"

#include <algorithm>
#include <cmath>

namespace veltrix::sim {

quint16 displayWord(double milliGauss, Unit unit, bool highRange)
{
    if (!std::isfinite(milliGauss))
        return protocol::OverloadWord;
    const double mG = std::max(0.0, milliGauss);
    // Four digits in every format. Low range counts 0.1 mG or 0.01 uT, high range 1 mG or 0.1 uT;
    // since 1 uT = 10 mG both units count the same steps in the same range.
    Q_UNUSED(unit);
    const double steps = highRange ? mG : mG * 10.0;
    if (steps > 9999.0)
        return protocol::OverloadWord;
    const long count = std::lround(steps);
    if (count > 1999)
        return protocol::OverloadWord;
    return protocol::toBcdWord(int(count));
}

namespace protocol {

bool isSingleLetterCommand(char c)
{
    switch (c) {
    case ' ':
    case 'M':
    case 'Y':
    case 'I':
    case 'C':
    case 'H':
    case 'R':
    case 'm':
    case 'u':
    case 'P':
    case 'r':
        return true;
    default:
        return false;
    }
}

namespace {

bool isHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool isDec(char c)
{
    return c >= '0' && c <= '9';
}

// Total length of a prefixed command, 0 if c starts none.
int prefixedLength(char c)
{
    switch (c) {
    case 'K':
        return 3;
    case 'D':
        return 13;
    case 'W':
        return 7;
    case 'E':
        return 3;
    default:
        return 0;
    }
}

// Whether c may follow the pending bytes of a prefixed command.
bool accepts(const QByteArray& pending, char c)
{
    switch (pending.at(0)) {
    case 'K':
    case 'W':
        return isHex(c);
    case 'D':
        return isDec(c);
    case 'E':
        return c == 'E';
    default:
        return false;
    }
}

int hexValue(QStringView digits)
{
    bool ok = false;
    const int v = digits.toString().toInt(&ok, 16);
    return ok ? v : -1;
}

} // namespace

void CommandParser::reset()
{
    m_pending.clear();
}

QStringList CommandParser::feed(const QByteArray& bytes, qint64 nowMs)
{
    QStringList out;
    for (char c : bytes) {
        if (!m_pending.isEmpty() && nowMs - m_pendingSinceMs > PrefixTimeoutMs)
            m_pending.clear();
        if (m_pending.isEmpty())
            m_pendingSinceMs = nowMs;
        feedByte(c, out);
    }
    return out;
}

void CommandParser::feedByte(char c, QStringList& out)
{
    if (!m_pending.isEmpty()) {
        if (accepts(m_pending, c)) {
            m_pending.append(c);
            if (m_pending.size() == prefixedLength(m_pending.at(0))) {
                out.append(QString::fromLatin1(m_pending));
                m_pending.clear();
            }
            return;
        }
        // An interrupted prefixed command is dropped; the byte may start a new one.
        m_pending.clear();
    }
    if (isSingleLetterCommand(c)) {
        out.append(QString(QLatin1Char(c)));
    } else if (prefixedLength(c) > 0) {
        m_pending.append(c);
    }
}

quint8 toBcd(int value)
{
    value = std::clamp(value, 0, 99);
    return quint8(((value / 10) << 4) | (value % 10));
}

int fromBcd(quint8 bcd)
{
    const int hi = bcd >> 4;
    const int lo = bcd & 0x0F;
    if (hi > 9 || lo > 9)
        return -1;
    return hi * 10 + lo;
}

quint16 toBcdWord(int value)
{
    value = std::clamp(value, 0, 9999);
    return quint16((toBcd(value / 100) << 8) | toBcd(value % 100));
}

QByteArray pollAnswer(quint8 status, quint16 valueWord)
{
    QByteArray a(PollAnswerLength, '\0');
    a[1] = char(status);
    a[2] = char(valueWord >> 8);
    a[3] = char(valueWord & 0xFF);
    return a;
}

QByteArray identifyAnswer(quint16 modelCode)
{
    QByteArray a(IdentifyAnswerLength, '\0');
    a[1] = char(modelCode >> 8);
    a[2] = char(modelCode & 0xFF);
    return a;
}

QByteArray memoryStatusAnswer(quint16 idCode, quint8 intervalCode, int setCount, int usedBytes)
{
    QByteArray a(MemoryStatusLength, '\0');
    a[0] = char(idCode >> 8);
    a[1] = char(idCode & 0xFF);
    a[4] = char(intervalCode);
    a[5] = char(std::clamp(setCount, 0, 255));
    const int used = std::clamp(usedBytes, 0, 0xFFFF);
    a[6] = char(used >> 8);
    a[7] = char(used & 0xFF);
    return a;
}

QByteArray setDescriptor(const LoggerSet& set)
{
    QByteArray a(SetDescriptorLength, '\0');
    const int n = std::min<qsizetype>(set.values.size(), 0xFFFF);
    a[0] = char(n >> 8);
    a[1] = char(n & 0xFF);
    const QDate d = set.start.date();
    const QTime t = set.start.time();
    a[2] = char(toBcd(d.year() % 100));
    a[3] = char(toBcd(d.month()));
    a[4] = char(toBcd(d.day()));
    a[5] = char(toBcd(t.hour()));
    a[6] = char(toBcd(t.minute()));
    a[7] = char(toBcd(t.second()));
    if (set.rawStart.size() == 6)
        a.replace(2, 6, set.rawStart);
    a[8] = char(set.intervalCode);
    a[9] = char(set.status);
    return a;
}

QByteArray setIndexAnswer(const QList<LoggerSet>& sets)
{
    QByteArray a(1, '\0');
    for (const LoggerSet& s : sets)
        a += setDescriptor(s);
    return a;
}

QByteArray setDataAnswer(const LoggerSet& set)
{
    QByteArray a = setDescriptor(set);
    const int n = std::min<qsizetype>(set.values.size(), 0xFFFF);
    a.reserve(a.size() + 2 * qsizetype(n));
    for (int i = 0; i < n; ++i) {
        a.append(char(set.values.at(i) >> 8));
        a.append(char(set.values.at(i) & 0xFF));
    }
    return a;
}

QByteArray clockAnswer(const QDateTime& t)
{
    const QDate d = t.date();
    const QTime tm = t.time();
    QByteArray a(ClockAnswerLength, '\0');
    a[0] = char(toBcd(d.year() % 100));
    a[1] = char(toBcd(d.month()));
    a[2] = char(toBcd(d.day()));
    a[3] = char(toBcd(tm.hour()));
    a[4] = char(toBcd(tm.minute()));
    a[5] = char(toBcd(tm.second()));
    return a;
}

int usedBytes(const QList<LoggerSet>& sets)
{
    qint64 used = 0;
    for (const LoggerSet& s : sets)
        used += SetDescriptorLength + 2 * s.values.size();
    return int(std::min<qint64>(used, MemoryFullBytes));
}

int setNumberOf(const QString& command)
{
    if (command.size() != 3 || command.at(0) != QLatin1Char('K'))
        return -1;
    return hexValue(QStringView(command).mid(1, 2));
}

QDateTime clockOf(const QString& command)
{
    if (command.size() != 13 || command.at(0) != QLatin1Char('D'))
        return {};
    int f[6];
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        f[i] = command.mid(1 + 2 * i, 2).toInt(&ok, 10);
        if (!ok)
            return {};
    }
    const QDate date(2000 + f[0], f[1], f[2]);
    const QTime time(f[3], f[4], f[5]);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}

bool eepromWriteOf(const QString& command, int* address, quint8* value)
{
    if (command.size() != 7 || command.at(0) != QLatin1Char('W'))
        return false;
    const int a = hexValue(QStringView(command).mid(1, 4));
    const int v = hexValue(QStringView(command).mid(5, 2));
    if (a < 0 || v < 0)
        return false;
    *address = a;
    *value = quint8(v);
    return true;
}

} // namespace protocol
} // namespace veltrix::sim
