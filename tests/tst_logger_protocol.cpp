// SPDX-License-Identifier: GPL-3.0-or-later
// The data logger's replies, time stamps and settings rules, without a line or a window.

#include "logger/LoggerBackup.h"
#include "logger/LoggerProtocol.h"
#include "logger/LoggerRecords.h"
#include "logger/LoggerTimes.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace veltrix;
using namespace veltrix::logger;

namespace {
// A "K" reply: header (records field left 0), then the records.
QByteArray setReply(const QByteArray& startHex, int intervalCode, quint8 status,
                    const QList<quint16>& words)
{
    QByteArray r = QByteArray::fromHex("0000" + startHex);
    r.append(char(intervalCode));
    r.append(char(status));
    for (quint16 w : words) {
        r.append(char(w >> 8));
        r.append(char(w & 0xFF));
    }
    return r;
}
StartBytes startOf(const QByteArray& hex)
{
    const QByteArray b = QByteArray::fromHex(hex);
    StartBytes s{};
    for (int i = 0; i < 6; ++i)
        s[i] = quint8(b[i]);
    return s;
}
} // namespace

class TestLoggerProtocol : public QObject {
    Q_OBJECT
private slots:
    void remaining_data()
    {
        QTest::addColumn<QByteArray>("statusHex");
        QTest::addColumn<QString>("remaining");
        QTest::addColumn<int>("sets");
        QTest::newRow("empty") << QByteArray("0001000005000000") << "32.0" << 0;
        QTest::newRow("partly used") << QByteArray("0001000005030200") << "31.5" << 3;
        QTest::newRow("7F00 with few sets") << QByteArray("00010000050A7F00") << "0" << 10;
        QTest::newRow("250 sets") << QByteArray("0001000005FA2000") << "0" << 250;
    }
    void remaining()
    {
        QFETCH(QByteArray, statusHex);
        QFETCH(QString, remaining);
        QFETCH(int, sets);
        const auto s = parseMemoryStatus(QByteArray::fromHex(statusHex));
        QVERIFY(s);
        QCOMPARE(s->setCount, sets);
        QCOMPARE(remainingMemory(*s), remaining);
    }

    // The set command; the memory status and clock replies, taken only whole.
    void commandAndReplyFields()
    {
        QCOMPARE(setDataCommand(10), QByteArray("K0A")); // two hex digits, upper case
        const auto s = parseMemoryStatus(QByteArray::fromHex("3039AABB0F047F00"));
        QVERIFY(s);
        QCOMPARE(s->idCode, 12345);
        QCOMPARE(s->intervalCode, 15);
        QCOMPARE(intervalText(s->intervalCode), QStringLiteral("6.0"));
        QCOMPARE(s->usedBytes, 0x7F00);
        QVERIFY(!parseMemoryStatus(QByteArray(7, '\0')));
        QVERIFY(!parseMemoryStatus(QByteArray(9, '\0')));
        QCOMPARE(clockText(QByteArray::fromHex("250314094107")),
                 QStringLiteral("25/03/14-----09:41:07"));
        QCOMPARE(clockText(QByteArray::fromHex("2503140941")), QString());
    }

    void setIndex_data()
    {
        QTest::addColumn<QByteArray>("descriptorHex");
        QTest::addColumn<QString>("row");
        QTest::addColumn<bool>("known");
        const auto row = [](const char* name, const char* hex, const char* text, bool known) {
            QTest::newRow(name) << QByteArray(hex) << QString(text) << known;
        };
        row("mG", "00782602282359500380", "1\t26/02/28\t23:59:50\tmG\t1.2\t120", true);
        row("uT hold", "000C260302143000FF60", "1\t26/03/02\t14:30:00\tuT\t102.0\t12", true);
        row("not BCD shown as is", "0005261A050B30000580", "1\t26/1A/05\t0B:30:00\tmG\t2.0\t5",
            false);
        row("month 13", "00052613051030000580", "1\t26/13/05\t10:30:00\tmG\t2.0\t5", false);
        row("29 Feb, leap year", "00052802291030000580", "1\t28/02/29\t10:30:00\tmG\t2.0\t5", true);
    }
    void setIndex()
    {
        QFETCH(QByteArray, descriptorHex);
        QFETCH(QString, row);
        QFETCH(bool, known);
        const QByteArray reply = QByteArray(1, '\x55') + QByteArray::fromHex(descriptorHex);
        const QList<SetInfo> sets = parseSetIndex(reply, 1);
        QCOMPARE(sets.size(), 1);
        QCOMPARE(sets[0].rowText(), row);
        QCOMPARE(startKnown(sets[0].start), known);
    }

    void setIndexKeepsWholeDescriptorsOnly()
    {
        QByteArray reply(1 + 25, '\0');
        QCOMPARE(parseSetIndex(reply, 3).size(), 2);
        QCOMPARE(parseSetIndex(reply, 3).at(1).number, 2);
        QCOMPARE(parseSetIndex(reply, 1).size(), 1);
    }

    void stamps_data()
    {
        QTest::addColumn<QByteArray>("start"); // yymmddhhmmss as BCD
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("century");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("stamp"); // date and time
        const auto row = [](const char* name, const char* start, int code, int steps,
                            const char* stamp, int century = 20) {
            QTest::newRow(name) << QByteArray(start) << code << century << steps << QString(stamp);
        };
        row("first record at .0", "260101081500", 5, 0, "26/01/01 08:15:00.0");
        row("31 Dec 23:59:59 + 1.2 s", "261231235959", 3, 1, "27/01/01 00:00:00.2");
        row("2000 is leap", "000228235959", 3, 1, "00/02/29 00:00:00.2");
        row("2100 is not", "000228235959", 3, 1, "00/03/01 00:00:00.2", 21);
        row("29 Feb 2100 is no date", "000229120000", 3, 1, "--/--/-- --:--:--.-", 21);
        row("102 s from 59.0", "260610120059", 255, 1, "26/06/10 12:02:41.0");
        row("60.4 s from 59.2", "260610120058", 151, 4, "26/06/10 12:04:59.6");
        row("0.4 s steps", "260610120000", 1, 7, "26/06/10 12:00:02.8");
        row("not BCD", "26061A125930", 5, 3, "--/--/-- --:--:--.-");
    }
    void stamps()
    {
        QFETCH(QByteArray, start);
        QFETCH(int, code);
        QFETCH(int, century);
        QFETCH(int, steps);
        QFETCH(QString, stamp);
        SetClock clock(startOf(start), code, century);
        for (int i = 0; i < steps; ++i)
            clock.advance();
        QCOMPARE(clock.dateText() + ' ' + clock.timeText(), stamp);
    }

    // One record after a header of 5 March 08:00:00: its value, unit, hold and peak fields.
    void records_data()
    {
        QTest::addColumn<quint8>("status");
        QTest::addColumn<quint16>("word");
        QTest::addColumn<QString>("fields");
        QTest::newRow("mG low") << quint8(0x80) << quint16(0x0123) << "12.3\tmG\t \t";
        QTest::newRow("bit 6 uT") << quint8(0x40) << quint16(0x0123) << "1.23\tuT\t \t";
        QTest::newRow("bit 5 hold") << quint8(0xA0) << quint16(0x0123) << "12.3\tmG\tH\t";
        QTest::newRow("bit 4 peak") << quint8(0x90) << quint16(0x0123) << "12.3\tmG\t \tP";
        QTest::newRow("invalid takes shown") << quint8(0x80) << quint16(0x12FF) << "7.7\tmG\t \t";
    }
    void records()
    {
        QFETCH(quint8, status);
        QFETCH(quint16, word);
        QFETCH(QString, fields);
        const QByteArray reply = setReply("260305080000", 5, status, {word});
        QCOMPARE(reply.size(), setDataLength(1));
        const SetRecords set = decodeSetRecords(reply, 1, "7.7", 20);
        QCOMPARE(set.rows, QStringList{"1\t26/03/05\t08:00:00.0\t" + fields});
    }

    void partialReplyKeepsWholeRecords()
    {
        const QByteArray reply = setReply("260305080000", 5, 0x80, {0x0100, 0x0200, 0x0300});
        QCOMPARE(decodeSetRecords(reply.left(15), 3, {}, 20).rows.size(), 2);
        QCOMPARE(decodeSetRecords(reply.left(9), 3, {}, 20).rows.size(), 0);
        QCOMPARE(decodeSetRecords(reply + "xx", 3, {}, 20).rows.size(), 3);
        QCOMPARE(wholeRecords(15), 2);
    }

    void idCode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code"); // -1: refused
        QTest::newRow("0") << "0" << 0;
        QTest::newRow("65535") << "65535" << 65535;
        QTest::newRow("65536") << "65536" << -1;
        QTest::newRow("-1") << "-1" << -1;
        QTest::newRow("12.5") << "12.5" << 12;
        QTest::newRow("13.5") << "13.5" << 14;
    }
    void idCode()
    {
        QFETCH(QString, text);
        QFETCH(int, code);
        QCOMPARE(idCodeFromText(text).value_or(-1), code);
    }

    void interval_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code"); // -1: refused
        QTest::newRow("102.4") << "102.4" << -1;
        QTest::newRow("0.2") << "0.2" << -1;
        QTest::newRow("1.0") << "1.0" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("-0.4") << "-0.4" << -1;
        QTest::newRow("infinite") << "1e999" << -1;
        for (int n = 1; n <= 255; ++n) { // every tenth that is a multiple of 0.4 s passes
            const QString text = QString::number(n * 4 / 10) + '.' + QString::number(n * 4 % 10);
            QTest::addRow("%s", qPrintable(text)) << text << n;
        }
    }
    void interval()
    {
        QFETCH(QString, text);
        QFETCH(int, code);
        QCOMPARE(intervalCodeFromText(text).value_or(-1), code);
    }

    void backupNames_data()
    {
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("name");
        QTest::newRow("dated") << QByteArray("261206143000") << 1
                               << "set01_2026-12-06_14-30-00.txt";
        QTest::newRow("set 120") << QByteArray("990101000000") << 120
                                 << "set120_2099-01-01_00-00-00.txt";
        QTest::newRow("not a date") << QByteArray("A61206143000") << 7 << "set07.txt";
    }
    void backupNames()
    {
        QFETCH(QByteArray, start);
        QFETCH(int, number);
        QFETCH(QString, name);
        SetInfo s;
        s.number = number;
        s.start = startOf(start);
        QCOMPARE(backupFileName(s, 20), name);
    }

    // A disk that fills while a set is written keeps no part of it and says why: a set small
    // enough to wait in the write buffer, and one past it.
    void backupOnAFullDisk()
    {
        QTemporaryDir dir;
        for (const int rows : {3, 2000}) {
            QString error;
            const QStringList set(rows, "1\t26/12/06\t14:30:00.0\t12.3\tmG\t \t");
            {
                const test::FileSizeLimit full(60);
                QVERIFY(!writeRecordFile(dir.filePath("set01.txt"), set, &error));
            }
            QVERIFY(!error.isEmpty());
            QVERIFY(QDir(dir.path()).isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TestLoggerProtocol)
#include "tst_logger_protocol.moc"
