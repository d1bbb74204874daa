// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/VirtualMeter.h"

#include "sim/MeterProtocol.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QSocketNotifier>
#include <QTimer>
#include <QtMath>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace veltrix::sim {

using namespace protocol;

namespace {

// 9600 baud, 8N1: ten bit times per byte.
constexpr double WireByteMs = 10.0 * 1000.0 / 9600.0;
// The pacing timer wakes this often while bytes are on the line, so long answers arrive in
// chunks of about ten bytes, as from a real UART.
constexpr int PacingTickMs = 10;
constexpr int SplitPauseMs = 50;

QString errnoText(const char* what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(strerror(errno)));
}

bool isSymlink(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool pathExists(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

// A logged set whose values run through a repeating pattern: base + (i * step) % spread.
LoggerSet patternSet(const QDateTime& start, quint8 intervalCode, quint8 status, int count,
                     int base, int step, int spread)
{
    LoggerSet set;
    set.start = start;
    set.intervalCode = intervalCode;
    set.status = status;
    set.values.reserve(count);
    for (int i = 0; i < count; ++i)
        set.values.append(toBcdWord(base + (i * step) % spread));
    return set;
}

} // namespace

struct VirtualMeter::Impl {
    explicit Impl(VirtualMeter* owner) : q(owner) {}

    struct Segment {
        QByteArray bytes;
        double readyAtMs = 0; // not before this time
        double gapMs = 0;     // pause after the previous segment has left
        bool started = false;
        double startMs = 0;
        int sent = 0;
    };

    VirtualMeter* q;

    // Pseudo-terminal
    int masterFd = -1;
    int keptSlaveFd = -1; // keeps the master free of hang-ups while no client has the port open
    QString slave;
    QString symlink;
    QSocketNotifier* readNotifier = nullptr;
    QSocketNotifier* writeNotifier = nullptr;
    QTimer* sendTimer = nullptr;
    QTimer* recordTimer = nullptr;
    QElapsedTimer mono;

    // What the meter measures and shows
    quint16 model = DefaultModel;
    double fieldMg = 12.0;
    bool profile = true;
    Unit unit = Unit::MilliGauss;
    bool high = false;
    bool hold = false;
    double heldMg = 0;
    bool peak = false;
    double peakMg = 0;
    bool lock = false;
    int blink = 0;
    int statusOverride = -1;
    int valueOverride = -1;

    // Logger, clock, EEPROM
    QList<LoggerSet> sets;
    int usedOverride = -1;
    qint64 clockOffsetMs = 0;
    QByteArray eeprom = QByteArray(0x10000, '\0');
    bool recording = false;
    // Records of the set being logged when the list of sets was last sent: "K" answers that many
    // so that its length agrees with the list the program holds (-1: no list sent while logging).
    int indexedRecords = -1;

    // Faults
    bool silent = false;
    int delta = 0;
    bool garbage = false;
    int lateMs = 0;
    bool split = false;
    bool paced = true;
    double ByteMs = WireByteMs; // slower when the meter or its adapter lags behind the baud rate
    int pauseAfter = 0;         // a pause in the middle of every long answer
    int pauseMs = 0;

    // Traffic
    CommandParser parser;
    QByteArray received;
    QStringList commands;
    std::deque<Segment> queue;
    double lineFreeMs = 0;

    double nowMs() const { return double(mono.nsecsElapsed()) / 1e6; }

    double liveField()
    {
        if (!profile)
            return fieldMg;
        // A slow drift around 12 mG, a faster ripple and a little noise, as near mains wiring.
        const double t = nowMs() / 1000.0;
        const double noise = (QRandomGenerator::global()->generateDouble() - 0.5) * 0.3;
        fieldMg = std::max(0.0, 12.0 + 2.5 * std::sin(2 * M_PI * t / 45.0) +
                                    0.6 * std::sin(2 * M_PI * t / 6.5) + noise);
        return fieldMg;
    }

    // The value the display shows, in mG, before unit and range formatting.
    double shownMg()
    {
        const double f = liveField();
        if (peak)
            peakMg = std::max(peakMg, f);
        if (hold)
            return heldMg;
        return peak ? peakMg : f;
    }

    quint16 shownWord() { return displayWord(shownMg(), unit, high); }

    quint8 modeBits() const
    {
        quint8 s = unit == Unit::MilliGauss ? StatusMilliGauss : StatusMicroTesla;
        if (high)
            s |= StatusHighRange;
        if (peak)
            s |= StatusPeak;
        if (hold)
            s |= StatusHold;
        return s;
    }

    quint8 status() const
    {
        quint8 s = modeBits() | quint8(blink & StatusBlinkMask);
        if (lock)
            s |= StatusMemoryLock;
        return s;
    }

    void setHold(bool on)
    {
        if (on && !hold)
            heldMg = shownMg();
        hold = on;
    }

    void setPeak(bool on)
    {
        if (on && !peak)
            peakMg = liveField();
        peak = on;
    }

    QDateTime clock() const { return QDateTime::currentDateTime().addMSecs(clockOffsetMs); }

    int setCount() const { return int(std::min<qsizetype>(sets.size(), MaxSets)); }

    // --- Pseudo-terminal ---------------------------------------------------------------------

    bool openPty(QString* error)
    {
        auto fail = [&](const QString& text) {
            if (error)
                *error = text;
            closePty();
            return false;
        };
        masterFd = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (masterFd < 0)
            return fail(errnoText("posix_openpt"));
        if (::grantpt(masterFd) != 0)
            return fail(errnoText("grantpt"));
        if (::unlockpt(masterFd) != 0)
            return fail(errnoText("unlockpt"));
        char name[128];
        if (::ptsname_r(masterFd, name, sizeof name) != 0)
            return fail(errnoText("ptsname"));
        slave = QString::fromLocal8Bit(name);
        const int flags = ::fcntl(masterFd, F_GETFL);
        if (flags < 0 || ::fcntl(masterFd, F_SETFL, flags | O_NONBLOCK) != 0)
            return fail(errnoText("fcntl"));
        ::fcntl(masterFd, F_SETFD, FD_CLOEXEC);

        keptSlaveFd = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (keptSlaveFd < 0)
            return fail(errnoText("open slave"));
        // Raw line: no echo, no line editing, no CR/LF translation; the meter's bytes are binary.
        termios tio{};
        if (::tcgetattr(keptSlaveFd, &tio) != 0)
            return fail(errnoText("tcgetattr"));
        ::cfmakeraw(&tio);
        ::cfsetispeed(&tio, B9600);
        ::cfsetospeed(&tio, B9600);
        if (::tcsetattr(keptSlaveFd, TCSANOW, &tio) != 0)
            return fail(errnoText("tcsetattr"));

        readNotifier = new QSocketNotifier(masterFd, QSocketNotifier::Read, q);
        QObject::connect(readNotifier, &QSocketNotifier::activated, q, [this] { readMaster(); });
        writeNotifier = new QSocketNotifier(masterFd, QSocketNotifier::Write, q);
        writeNotifier->setEnabled(false);
        QObject::connect(writeNotifier, &QSocketNotifier::activated, q, [this] {
            writeNotifier->setEnabled(false);
            pump();
        });
        return true;
    }

    void closePty()
    {
        delete readNotifier;
        readNotifier = nullptr;
        delete writeNotifier;
        writeNotifier = nullptr;
        if (sendTimer)
            sendTimer->stop();
        queue.clear();
        parser.reset();
        if (keptSlaveFd >= 0)
            ::close(keptSlaveFd);
        keptSlaveFd = -1;
        if (masterFd >= 0)
            ::close(masterFd);
        masterFd = -1;
    }

    bool pointSymlink(QString* error)
    {
        if (symlink.isEmpty() || slave.isEmpty())
            return true;
        if (pathExists(symlink) && !isSymlink(symlink)) {
            if (error)
                *error = QStringLiteral("%1 exists and is not a symbolic link").arg(symlink);
            return false;
        }
        // Create beside it and rename over it, so the link never goes missing while re-pointed.
        const QByteArray target = QFile::encodeName(slave);
        const QByteArray link = QFile::encodeName(symlink);
        const QByteArray tmp = link + ".tmp" + QByteArray::number(::getpid());
        ::unlink(tmp.constData());
        if (::symlink(target.constData(), tmp.constData()) != 0 ||
            ::rename(tmp.constData(), link.constData()) != 0) {
            if (error)
                *error = errnoText("symlink");
            ::unlink(tmp.constData());
            return false;
        }
        return true;
    }

    void removeSymlink()
    {
        if (!symlink.isEmpty() && isSymlink(symlink))
            ::unlink(QFile::encodeName(symlink).constData());
    }

    // --- Receiving ---------------------------------------------------------------------------

    void readMaster()
    {
        char buf[512];
        for (;;) {
            if (masterFd < 0)
                return;
            const ssize_t n = ::read(masterFd, buf, sizeof buf);
            if (n > 0) {
                const QByteArray bytes(buf, n);
                received += bytes;
                const QStringList done = parser.feed(bytes, qint64(nowMs()));
                for (const QString& c : done) {
                    commands.append(c);
                    handle(c);
                    emit q->commandReceived(c);
                    if (masterFd < 0) // a listener unplugged us
                        return;
                }
                continue;
            }
            if (n < 0 && (errno == EAGAIN || errno == EINTR))
                return;
            // EOF or an error on the master: should not happen while the slave fd is kept, but
            // never spin on it.
            qWarning("veltrix-meter-sim: read from pty master failed (%s)",
                     n < 0 ? strerror(errno) : "end of file");
            if (readNotifier)
                readNotifier->setEnabled(false);
            return;
        }
    }

    void handle(const QString& c)
    {
        const char first = c.at(0).toLatin1();
        switch (first) {
        case ' ':
            answer(pollAnswer(statusOverride >= 0 ? quint8(statusOverride) : status(),
                              valueOverride >= 0 ? quint16(valueOverride) : shownWord()));
            return;
        case 'M':
            answer(identifyAnswer(model));
            return;
        case 'Y': {
            const quint16 id =
                quint16((quint8(eeprom[EepromIdHigh]) << 8) | quint8(eeprom[EepromIdLow]));
            const int used = usedOverride >= 0 ? usedOverride : usedBytes(sets);
            answer(memoryStatusAnswer(id, quint8(eeprom[EepromInterval]), setCount(), used));
            return;
        }
        case 'I':
            indexedRecords = recording && !sets.isEmpty() ? int(sets.last().values.size()) : -1;
            answer(setIndexAnswer(sets.mid(0, setCount())));
            return;
        case 'K': {
            const int n = setNumberOf(c);
            if (n < 1 || n > setCount())
                return;
            LoggerSet set = sets.at(n - 1);
            // The set being logged grows between the list and its download; it is sent as long
            // as the list said (also after the logging stopped, until the next list), so that
            // the answer has the length the program expects.
            if (n == sets.size() && indexedRecords >= 0)
                set.values.resize(std::min<qsizetype>(set.values.size(), indexedRecords));
            answer(setDataAnswer(set));
            return;
        }
        case 'C':
            answer(clockAnswer(clock()));
            return;
        case 'D': {
            const QDateTime t = clockOf(c);
            if (t.isValid())
                clockOffsetMs = QDateTime::currentDateTime().msecsTo(t);
            return;
        }
        case 'W': {
            int address = 0;
            quint8 value = 0;
            if (eepromWriteOf(c, &address, &value))
                eeprom[address] = char(value);
            return;
        }
        case 'E':
            stopRecording();
            sets.clear();
            indexedRecords = -1;
            return;
        default:
            pressKey(first);
        }
    }

    void pressKey(char key)
    {
        const bool first = model == DefaultModel;
        switch (key) {
        case 'H':
            setHold(!hold);
            break;
        case 'R':
            high = !high;
            break;
        case 'm':
            if (first)
                setPeak(!peak);
            else if (unit == Unit::MicroTesla)
                unit = Unit::MilliGauss;
            break;
        case 'u':
            if (first)
                unit = unit == Unit::MilliGauss ? Unit::MicroTesla : Unit::MilliGauss;
            else if (unit == Unit::MilliGauss)
                unit = Unit::MicroTesla;
            break;
        case 'P':
            if (first)
                toggleRecording();
            else
                setPeak(!peak);
            break;
        case 'r':
            if (!first)
                toggleRecording();
            break;
        default:
            break;
        }
    }

    // --- The meter's own logging -------------------------------------------------------------

    void toggleRecording()
    {
        if (recording)
            stopRecording();
        else
            startRecording();
    }

    void startRecording()
    {
        indexedRecords = -1;
        // A full logger refuses to start a new set.
        if (sets.size() >= MaxSets || usedBytes(sets) + SetDescriptorLength >= MemoryFullBytes)
            return;
        LoggerSet s;
        QDateTime start = clock();
        start.setTime(QTime(start.time().hour(), start.time().minute(), start.time().second()));
        s.start = start;
        s.intervalCode = std::max<quint8>(1, quint8(eeprom[EepromInterval]));
        s.status = modeBits();
        sets.append(s);
        recording = true;
        appendRecord();
        recordTimer->start(int(s.intervalCode) * 400);
    }

    void stopRecording()
    {
        recording = false;
        if (recordTimer)
            recordTimer->stop();
    }

    void appendRecord()
    {
        if (!recording || sets.isEmpty())
            return;
        if (usedBytes(sets) + 2 > MemoryFullBytes) {
            stopRecording(); // memory full: the meter ends the set
            return;
        }
        sets.last().values.append(shownWord());
    }

    // --- Sending -----------------------------------------------------------------------------

    void answer(QByteArray bytes)
    {
        if (silent || masterFd < 0)
            return;
        if (delta > 0)
            bytes.append(QByteArray(delta, '\0'));
        else if (delta < 0)
            bytes.chop(std::min<qsizetype>(-delta, bytes.size()));
        if (garbage) {
            for (auto& b : bytes)
                b = char(QRandomGenerator::global()->bounded(256));
        }
        if (bytes.isEmpty())
            return;
        const double readyAt = nowMs() + std::max(0, lateMs);
        if (pauseMs > 0 && pauseAfter > 0 && bytes.size() > pauseAfter) {
            queue.push_back({bytes.left(pauseAfter), readyAt, 0});
            queue.push_back({bytes.mid(pauseAfter), readyAt, double(pauseMs)});
            pauseMs = 0; // once
        } else if (split && bytes.size() >= 2) {
            const int half = int(bytes.size() / 2);
            queue.push_back({bytes.left(half), readyAt, 0});
            queue.push_back({bytes.mid(half), readyAt, double(SplitPauseMs)});
        } else {
            queue.push_back({bytes, readyAt, 0});
        }
        pump();
    }

    // Writes what is due and arms the timer for the next bytes; idle when the queue is empty.
    void pump()
    {
        if (masterFd < 0) {
            queue.clear();
            return;
        }
        if (writeNotifier && writeNotifier->isEnabled())
            return; // waiting for the client to make room
        double now = nowMs();
        while (!queue.empty()) {
            Segment& seg = queue.front();
            if (!seg.started) {
                seg.started = true;
                // lineFreeMs is when the previous answer's last byte left the line.
                seg.startMs = std::max(lineFreeMs + seg.gapMs, seg.readyAtMs);
            }
            if (now < seg.startMs)
                break;
            int due = int(seg.bytes.size());
            if (paced)
                due = std::min(due, int((now - seg.startMs) / ByteMs));
            if (due > seg.sent) {
                const ssize_t n =
                    ::write(masterFd, seg.bytes.constData() + seg.sent, size_t(due - seg.sent));
                if (n < 0) {
                    if (errno == EAGAIN || errno == EINTR) {
                        writeNotifier->setEnabled(true);
                        sendTimer->stop();
                        return;
                    }
                    qWarning("veltrix-meter-sim: write to pty master failed (%s)", strerror(errno));
                    queue.clear();
                    break;
                }
                seg.sent += int(n);
                if (seg.sent < due) {
                    writeNotifier->setEnabled(true);
                    sendTimer->stop();
                    return;
                }
            }
            if (seg.sent < seg.bytes.size())
                break;
            lineFreeMs = paced ? seg.startMs + seg.bytes.size() * ByteMs : now;
            queue.pop_front();
            now = nowMs();
        }
        if (queue.empty()) {
            sendTimer->stop();
            return;
        }
        const Segment& seg = queue.front();
        double due;
        if (!seg.started)
            due = std::max(lineFreeMs + seg.gapMs, seg.readyAtMs) + (paced ? ByteMs : 0);
        else
            due = seg.startMs + (paced ? (seg.sent + 1) * ByteMs : 0);
        int delay = int(std::ceil(due - now));
        if (paced)
            delay = std::max(delay, PacingTickMs);
        sendTimer->start(std::max(delay, 0));
    }
};

VirtualMeter::VirtualMeter(QObject* parent) : QObject(parent), d(std::make_unique<Impl>(this))
{
    d->mono.start();
    d->sendTimer = new QTimer(this);
    d->sendTimer->setSingleShot(true);
    d->sendTimer->setTimerType(Qt::PreciseTimer);
    connect(d->sendTimer, &QTimer::timeout, this, [this] { d->pump(); });
    d->recordTimer = new QTimer(this);
    d->recordTimer->setTimerType(Qt::PreciseTimer);
    connect(d->recordTimer, &QTimer::timeout, this, [this] { d->appendRecord(); });

    // Factory settings: identification code 1, logging every 2.0 s.
    d->eeprom[EepromIdHigh] = 0;
    d->eeprom[EepromIdLow] = 1;
    d->eeprom[EepromInterval] = 5;
    d->sets = sampleSets();
}

VirtualMeter::~VirtualMeter()
{
    stop();
}

bool VirtualMeter::start(QString* error)
{
    if (isRunning())
        return true;
    if (!d->openPty(error))
        return false;
    if (!d->pointSymlink(error)) {
        d->closePty();
        return false;
    }
    return true;
}

void VirtualMeter::stop()
{
    d->closePty();
    d->removeSymlink();
}

bool VirtualMeter::isRunning() const
{
    return d->masterFd >= 0;
}

QString VirtualMeter::slavePath() const
{
    return d->slave;
}

void VirtualMeter::setSymlinkPath(const QString& path)
{
    if (path == d->symlink)
        return;
    d->removeSymlink();
    d->symlink = path;
    if (isRunning()) {
        QString error;
        if (!d->pointSymlink(&error))
            qWarning("veltrix-meter-sim: %s", qPrintable(error));
    }
}

QString VirtualMeter::devicePath() const
{
    return d->symlink.isEmpty() ? d->slave : d->symlink;
}

void VirtualMeter::setModelCode(quint16 code)
{
    d->model = code;
}
quint16 VirtualMeter::modelCode() const
{
    return d->model;
}

void VirtualMeter::setField(double milliGauss)
{
    d->profile = false;
    d->fieldMg = milliGauss;
}

double VirtualMeter::field() const
{
    return d->fieldMg;
}
void VirtualMeter::setProfileEnabled(bool on)
{
    d->profile = on;
}
void VirtualMeter::setUnit(Unit unit)
{
    d->unit = unit;
}
Unit VirtualMeter::unit() const
{
    return d->unit;
}
void VirtualMeter::setHighRange(bool high)
{
    d->high = high;
}
bool VirtualMeter::highRange() const
{
    return d->high;
}
void VirtualMeter::setHold(bool on)
{
    d->setHold(on);
}
bool VirtualMeter::hold() const
{
    return d->hold;
}
void VirtualMeter::setPeak(bool on)
{
    d->setPeak(on);
}
bool VirtualMeter::peak() const
{
    return d->peak;
}
void VirtualMeter::setMemoryLock(bool on)
{
    d->lock = on;
}
void VirtualMeter::setBlinkCode(int code)
{
    d->blink = code & StatusBlinkMask;
}
void VirtualMeter::setStatusOverride(int statusByte)
{
    d->statusOverride = std::min(statusByte, 255);
}
void VirtualMeter::setValueOverride(int bcdWord)
{
    d->valueOverride = std::min(bcdWord, 0xFFFF);
}
bool VirtualMeter::recording() const
{
    return d->recording;
}

quint8 VirtualMeter::statusByte() const
{
    return d->statusOverride >= 0 ? quint8(d->statusOverride) : d->status();
}

quint16 VirtualMeter::valueWord()
{
    return d->valueOverride >= 0 ? quint16(d->valueOverride) : d->shownWord();
}

void VirtualMeter::setLoggerSets(const QList<LoggerSet>& sets)
{
    d->stopRecording();
    d->sets = sets;
    d->indexedRecords = -1;
}

QList<LoggerSet> VirtualMeter::loggerSets() const
{
    return d->sets;
}
void VirtualMeter::setMemoryUsedOverride(int bytes)
{
    d->usedOverride = bytes;
}
QDateTime VirtualMeter::clock() const
{
    return d->clock();
}

void VirtualMeter::setClock(const QDateTime& t)
{
    if (t.isValid())
        d->clockOffsetMs = QDateTime::currentDateTime().msecsTo(t);
}

quint8 VirtualMeter::eeprom(int address) const
{
    return quint8(d->eeprom.at(address & 0xFFFF));
}

void VirtualMeter::setEeprom(int address, quint8 value)
{
    d->eeprom[address & 0xFFFF] = char(value);
}

QList<LoggerSet> VirtualMeter::sampleSets()
{
    QList<LoggerSet> sets;
    const QDate day(2026, 2, 20);

    // A plain low-range mG set around 12 mG.
    sets.append(patternSet(QDateTime(day, QTime(9, 15, 0)), 5, StatusMilliGauss, 20, 115, 7, 20));

    // Runs over midnight into March (2026 is a common year): 1.2 s steps from 23:59:50.
    sets.append(patternSet(QDateTime(QDate(2026, 2, 28), QTime(23, 59, 50)), 3, StatusMilliGauss,
                           30, 98, 3, 11));

    // Logged in uT with hold on: the held reading repeats.
    LoggerSet held;
    held.start = QDateTime(QDate(2026, 3, 2), QTime(14, 30, 0));
    held.intervalCode = 10;
    held.status = StatusMicroTesla | StatusHold;
    for (int i = 0; i < 12; ++i)
        held.values.append(0x0125);
    sets.append(held);

    // High-range mG with peak: a running maximum that ends beyond the range.
    LoggerSet peak;
    peak.start = QDateTime(QDate(2026, 3, 5), QTime(8, 0, 0));
    peak.intervalCode = 25;
    peak.status = StatusMilliGauss | StatusHighRange | StatusPeak;
    const int levels[] = {12, 12, 15, 15, 15, 40, 40, 220, 220, 220, 860, 860, 1540, 1540};
    for (int v : levels)
        peak.values.append(toBcdWord(v));
    peak.values.append(OverloadWord);
    sets.append(peak);

    // A night in the bedroom: every 10 s from 23:50, past midnight into 7 March.
    sets.append(patternSet(QDateTime(QDate(2026, 3, 6), QTime(23, 50, 0)), 25, StatusMilliGauss,
                           120, 30, 13, 40));

    // A working day in uT, one record a minute (60.0 s), from 31 March into April.
    sets.append(patternSet(QDateTime(QDate(2026, 3, 31), QTime(22, 0, 0)), 150, StatusMicroTesla,
                           180, 80, 17, 90));

    // A long fast set: 0.4 s steps near a transformer, high range.
    sets.append(patternSet(QDateTime(QDate(2026, 4, 2), QTime(10, 5, 30)), 1,
                           StatusMilliGauss | StatusHighRange, 1500, 400, 37, 300));
    return sets;
}

QList<LoggerSet> VirtualMeter::fullMemorySets()
{
    const int records = (MemoryFullBytes - SetDescriptorLength) / 2;
    return {patternSet(QDateTime(QDate(2026, 12, 6), QTime(14, 30, 0)), 5, StatusMilliGauss,
                       records, 100, 7, 150)};
}

void VirtualMeter::setSilent(bool on)
{
    d->silent = on;
}
void VirtualMeter::setLengthDelta(int delta)
{
    d->delta = delta;
}
void VirtualMeter::setGarbage(bool on)
{
    d->garbage = on;
}
void VirtualMeter::setLateMs(int ms)
{
    d->lateMs = std::max(0, ms);
}
void VirtualMeter::setSplitReplies(bool on)
{
    d->split = on;
}
void VirtualMeter::setPaced(bool on)
{
    d->paced = on;
}

void VirtualMeter::setSlowdown(double factor)
{
    d->ByteMs = WireByteMs * std::max(1.0, factor);
}

void VirtualMeter::setMidReplyPause(int afterBytes, int ms)
{
    d->pauseAfter = afterBytes;
    d->pauseMs = ms;
}

void VirtualMeter::unplug()
{
    d->closePty();
    // The device node goes with the device, as a USB adapter's does. Left pointing at the closed
    // pseudo-terminal, the link would lead whoever reopens it to the next program that is given
    // the same terminal number.
    d->removeSymlink();
}

bool VirtualMeter::replug(QString* error)
{
    d->closePty();
    if (!d->openPty(error))
        return false;
    if (!d->pointSymlink(error)) {
        d->closePty();
        return false;
    }
    return true;
}

QByteArray VirtualMeter::received() const
{
    return d->received;
}
QStringList VirtualMeter::commands() const
{
    return d->commands;
}

void VirtualMeter::clearReceived()
{
    d->received.clear();
    d->commands.clear();
}

} // namespace veltrix::sim
