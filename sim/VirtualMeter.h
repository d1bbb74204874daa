// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A virtual field meter on a pseudo-terminal. It answers the meter's command set the way the
// hand-held instrument does (fixed-length raw answers, no framing), paced at 9600 baud, and can be
// told to misbehave so that the program's retry and recovery paths can be exercised.
//
// It runs on the event loop of the thread that owns it: in-process for tests and demo mode, or in
// the veltrix-meter-sim executable.

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QSocketNotifier;
class QTimer;

namespace veltrix::sim {

// One logged set in the meter's data-logger memory.
struct LoggerSet {
    QDateTime start;         // start date and time (meter clock)
    quint8 intervalCode = 5; // logging interval in steps of 0.4 s
    quint8 status = 0x80;    // status byte of the set: unit, range, hold, peak bits
    QList<quint16> values;   // each record's two value bytes as a 16-bit BCD word, e.g. 0x0123
    // When six bytes long, sent instead of `start` as they are (a meter whose clock was never
    // set or is corrupted may hold digits A to F).
    QByteArray rawStart;
};

enum class Unit { MilliGauss, MicroTesla };

class VirtualMeter : public QObject {
    Q_OBJECT
public:
    explicit VirtualMeter(QObject* parent = nullptr);
    ~VirtualMeter() override;

    // Opens a fresh pseudo-terminal pair. The slave side is the device the program opens.
    bool start(QString* error = nullptr);
    void stop();
    bool isRunning() const;
    QString slavePath() const;
    // Keeps a symbolic link pointing at the current slave (re-pointed after replug()).
    // devicePath() returns the link when one is set, else the slave path.
    void setSymlinkPath(const QString& path);
    QString devicePath() const;

    // --- What the meter measures and shows -------------------------------------------------
    void setModelCode(quint16 code); // 0x4627 by default
    quint16 modelCode() const;
    // The field in milligauss. While the profile runs, the field follows a slow, plausible
    // drift of its own; setting the field exactly stops the profile.
    void setField(double milliGauss);
    double field() const;
    void setProfileEnabled(bool on);
    void setUnit(Unit unit);
    Unit unit() const;
    void setHighRange(bool high);
    bool highRange() const;
    void setHold(bool on);
    bool hold() const;
    void setPeak(bool on);
    bool peak() const;
    void setMemoryLock(bool on);
    // Unit-label blink code the meter reports in the low status bits (0 steady, 1 slow, 2 fast).
    void setBlinkCode(int code);
    // Overrides the status byte of poll answers (-1: computed from the state above).
    void setStatusOverride(int statusByte);
    // Overrides the two value bytes of poll answers (-1: computed from the field).
    void setValueOverride(int bcdWord);
    bool recording() const; // the meter's own logging, started and stopped by the record key
    // What the next poll answer carries: the status byte and the two value bytes as a BCD word
    // (overrides included). Reading the value updates the running peak, as a poll does.
    quint8 statusByte() const;
    quint16 valueWord();

    // --- Data logger, clock and EEPROM ----------------------------------------------------
    void setLoggerSets(const QList<LoggerSet>& sets);
    QList<LoggerSet> loggerSets() const;
    void setMemoryUsedOverride(int bytes); // -1: computed from the sets
    QDateTime clock() const;               // the meter's real-time clock now
    void setClock(const QDateTime& t);
    quint8 eeprom(int address) const;
    void setEeprom(int address, quint8 value);
    // A few pre-filled sets: a plain mG set, one crossing midnight and a month end, one in uT
    // with hold, and so on. An empty list is the empty-memory option.
    static QList<LoggerSet> sampleSets();
    // A logger filled to the last byte (32512 in use): one set of 16251 records, whose download
    // is 32512 bytes on the wire.
    static QList<LoggerSet> fullMemorySets();

    // --- Fault injection -------------------------------------------------------------------
    void setSilent(bool on);        // reads commands, never answers (cable pulled)
    void setLengthDelta(int delta); // answers have this many bytes more (or fewer)
    void setGarbage(bool on);       // answers are replaced by random bytes of the same length
    void setLateMs(int ms);         // every answer starts this late
    void setSplitReplies(bool on);  // every answer leaves in two parts with a pause between
    void setPaced(bool on);         // 9600-baud pacing (default on); off: answers at once
    // Paced answers take `factor` times their time at 9600 baud (a meter or adapter that lags).
    void setSlowdown(double factor);
    // The next answer longer than `afterBytes` stops for `ms` after that many bytes.
    void setMidReplyPause(int afterBytes, int ms);
    void unplug();                  // closes the pseudo-terminal; the device and its symlink vanish
    bool replug(QString* error = nullptr); // a new pseudo-terminal; the symlink follows it

    // --- What the program sent -------------------------------------------------------------
    QByteArray received() const;  // every byte received since start or clearReceived()
    QStringList commands() const; // the commands recognised, in order ("M", " ", "K01", ...)
    void clearReceived();

signals:
    void commandReceived(const QString& command);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Pure helpers shared by the meter model and its tests.
// BCD word of the reading as the meter's display shows it for the given field, unit and range;
// 0x1C00 when the field is beyond the range.
quint16 displayWord(double milliGauss, Unit unit, bool highRange);

} // namespace veltrix::sim
