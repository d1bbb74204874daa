// Reading decoder and pure protocol helpers: data-driven cases.

#include "link/MeterLink.h"
#include "link/ReadingDecoder.h"

#include <QTest>

using namespace veltrix;

class TestDecoder : public QObject {
    Q_OBJECT
private slots:
    void status_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>(
            "flags"); // L H P D T G: lock, high range, peak, hold, tesla, gauss
        QTest::newRow("80 mG low") << 0x80 << "-----G";
        QTest::newRow("48 uT high") << 0x48 << "-H--T-";
        QTest::newRow("31 lock peak hold") << 0x31 << "L-PD--";
        QTest::newRow("ff all") << 0xFF << "LHPDTG";
        QTest::newRow("06 blink bits only") << 0x06 << "------";
    }
    void status()
    {
        QFETCH(int, status);
        QFETCH(QString, flags);
        const StatusFlags f = DecodeStatus(quint8(status));
        const QString got = QString(f.MemoryLockFlag ? "L" : "-") + (f.HighRangeFlag ? "H" : "-") +
                            (f.PeakFlag ? "P" : "-") + (f.HoldFlag ? "D" : "-") +
                            (f.TeslaFlag ? "T" : "-") + (f.GaussFlag ? "G" : "-");
        QCOMPARE(got, flags);
    }

    void value_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("low");
        QTest::addColumn<bool>("overloadBefore");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("overload");
        // Range and unit place the decimal point.
        QTest::newRow("mG low 0123") << 0x80 << 0x01 << 0x23 << false << "12.3" << false;
        QTest::newRow("uT high 0123") << 0x48 << 0x01 << 0x23 << false << "12.3" << false;
        QTest::newRow("uT low 0123") << 0x40 << 0x01 << 0x23 << false << "1.23" << false;
        QTest::newRow("mG high 0123") << 0x88 << 0x01 << 0x23 << false << "123" << false;
        QTest::newRow("mG high 0000") << 0x88 << 0x00 << 0x00 << false << "0" << false;
        QTest::newRow("uT low 0000") << 0x40 << 0x00 << 0x00 << false << "0.00" << false;
        QTest::newRow("mG low 0000") << 0x80 << 0x00 << 0x00 << false << "0.0" << false;
        QTest::newRow("uT low trailing zeros") << 0x40 << 0x12 << 0x00 << false << "12.00" << false;
        QTest::newRow("mG high 1999") << 0x88 << 0x19 << 0x99 << true << "1999" << false;
        QTest::newRow("hex digit ends run") << 0x80 << 0x1A << 0x23 << false << "1.3" << false;
        // Overload in every range.
        QTest::newRow("OL mG low") << 0x80 << 0x1C << 0x00 << false << "OL" << true;
        QTest::newRow("OL uT high") << 0x48 << 0x1C << 0x00 << false << "OL" << true;
        // Invalid values keep the shown text and the previous overload state.
        QTest::newRow("1000 invalid") << 0x80 << 0x10 << 0x00 << true << "7.7" << true;
        QTest::newRow("12FF invalid") << 0x80 << 0x12 << 0xFF << false << "7.7" << false;
        QTest::newRow("1F34 invalid") << 0x80 << 0x1F << 0x34 << false << "7.7" << false;
        // A fraction digit that is no decimal digit is a garbled answer: "29.E7" would otherwise
        // be shown, recorded and compared as 290000000.
        QTest::newRow("uT low 29E7 invalid") << 0x40 << 0x29 << 0xE7 << false << "7.7" << false;
        QTest::newRow("mG low 123A invalid") << 0x80 << 0x12 << 0x3A << true << "7.7" << true;
    }
    void value()
    {
        QFETCH(int, status);
        QFETCH(int, high);
        QFETCH(int, low);
        QFETCH(bool, overloadBefore);
        QFETCH(QString, text);
        QFETCH(bool, overload);
        const DecodedValue v = DecodeValue(quint8(high), quint8(low), "7.7",
                                           DecodeStatus(quint8(status)), overloadBefore);
        QCOMPARE(v.ReadingText, text);
        QCOMPARE(v.OverloadFlag, overload);
    }

    void invalidValueKeepsFlags()
    {
        SharedState s;
        DecodeStatus(0x48, s);
        const StatusFlags before = s.Flags;
        DecodeValue(0x10, 0x00, "3.3", s);
        QCOMPARE(s.Flags, before);
        QCOMPARE(s.ReadingText, QString("3.3"));
    }

    void eeprom_data()
    {
        QTest::addColumn<int>("address");
        QTest::addColumn<int>("value");
        QTest::addColumn<QByteArray>("command");
        QTest::newRow("4,10") << 4 << 10 << QByteArray("W00040A");
        QTest::newRow("300,255") << 300 << 255 << QByteArray("W012CFF");
        QTest::newRow("0,256") << 0 << 256 << QByteArray("W000000");
        QTest::newRow("65535,1") << 65535 << 1 << QByteArray("WFFFF01");
    }
    void eeprom()
    {
        QFETCH(int, address);
        QFETCH(int, value);
        QFETCH(QByteArray, command);
        QCOMPARE(eepromCommand(address, value), command);
    }

    // How every caller reads a shown reading or a record's value cell.
    void valueText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        QTest::addColumn<bool>("overload");
        QTest::newRow("plain") << "12.3" << 12.3 << false;
        QTest::newRow("with unit") << "2 sec" << 2.0 << false;
        QTest::newRow("blanks sign") << "  -1.5e1x" << -15.0 << false;
        QTest::newRow("fraction only") << ".5" << 0.5 << false;
        QTest::newRow("exponent without digits") << "3e" << 3.0 << false;
        QTest::newRow("none") << "abc" << 0.0 << false;
        QTest::newRow("OL") << "OL" << 0.0 << true;
        QTest::newRow("ol in a cell") << " ol " << 0.0 << true;
        QTest::newRow("OL and more") << "OL2" << 0.0 << false;
        QTest::newRow("empty") << "" << 0.0 << false;
    }
    void valueText()
    {
        QFETCH(QString, text);
        QFETCH(double, number);
        QFETCH(bool, overload);
        QCOMPARE(veltrix::leadingNumber(text), number);
        QCOMPARE(veltrix::isOverload(text), overload);
    }
};

QTEST_GUILESS_MAIN(TestDecoder)
#include "tst_link_decoder.moc"
