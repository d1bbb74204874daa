// The link without a meter: reading decoder, protocol helpers, port numbering and the port
// window's choice rules.

#include "link/MeterLink.h"
#include "link/PortWindow.h"
#include "link/ReadingDecoder.h"
#include "ui/PortBindings.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace veltrix;
using namespace veltrix::ui;

class TestLink : public QObject {
    Q_OBJECT
private slots:
    void status_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("flags"); // lock, high range, peak, hold, tesla, gauss
        QTest::newRow("80 mG low") << 0x80 << "-----G";
        QTest::newRow("48 uT high") << 0x48 << "-H--T-";
        QTest::newRow("31 lock peak hold") << 0x31 << "L-PD--";
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
        QTest::addColumn<int>("digits");
        QTest::addColumn<bool>("overloadBefore");
        QTest::addColumn<QString>("text"); // "7.7": what the panel showed before
        QTest::addColumn<bool>("overload");
        // Range and unit place the decimal point.
        QTest::newRow("mG low 0123") << 0x80 << 0x0123 << false << "12.3" << false;
        QTest::newRow("uT high 0123") << 0x48 << 0x0123 << false << "12.3" << false;
        QTest::newRow("uT low 0123") << 0x40 << 0x0123 << false << "1.23" << false;
        QTest::newRow("mG high 0123") << 0x88 << 0x0123 << false << "123" << false;
        QTest::newRow("uT low 0000") << 0x40 << 0x0000 << false << "0.00" << false;
        QTest::newRow("mG high 1999") << 0x88 << 0x1999 << true << "1999" << false;
        QTest::newRow("hex digit ends run") << 0x80 << 0x1A23 << false << "1.3" << false;
        QTest::newRow("OL") << 0x48 << 0x1C00 << false << "OL" << true;
        // Invalid values keep the shown text and the previous overload state.
        QTest::newRow("1000 invalid") << 0x80 << 0x1000 << true << "7.7" << true;
        QTest::newRow("12FF invalid") << 0x80 << 0x12FF << false << "7.7" << false;
        QTest::newRow("1F34 invalid") << 0x80 << 0x1F34 << false << "7.7" << false;
        // A fraction digit past 9 is a garbled answer: "29.E7" would be taken as 290000000.
        QTest::newRow("uT low 29E7 invalid") << 0x40 << 0x29E7 << false << "7.7" << false;
        QTest::newRow("mG low 123A invalid") << 0x80 << 0x123A << true << "7.7" << true;
    }
    void value()
    {
        QFETCH(int, status);
        QFETCH(int, digits);
        QFETCH(bool, overloadBefore);
        QFETCH(QString, text);
        QFETCH(bool, overload);
        SharedState s;
        DecodeStatus(quint8(status), s);
        s.OverloadFlag = overloadBefore;
        DecodeValue(quint8(digits >> 8), quint8(digits), "7.7", s);
        QCOMPARE(s.ReadingText, text);
        QCOMPARE(s.OverloadFlag, overload);
        QCOMPARE(s.Flags, DecodeStatus(quint8(status)));
    }

    void eeprom()
    {
        QCOMPARE(eepromCommand(4, 10), QByteArray("W00040A"));
        QCOMPARE(eepromCommand(300, 255), QByteArray("W012CFF"));
        QCOMPARE(eepromCommand(0, 256), QByteArray("W000000"));
        QCOMPARE(eepromCommand(65535, 1), QByteArray("WFFFF01"));
    }

    // How every caller reads a shown reading or a record's value cell.
    void valueText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        QTest::addColumn<bool>("overload");
        QTest::newRow("with unit") << "2 sec" << 2.0 << false;
        QTest::newRow("blanks sign") << "  -1.5e1x" << -15.0 << false;
        QTest::newRow("fraction only") << ".5" << 0.5 << false;
        QTest::newRow("exponent without digits") << "3e" << 3.0 << false;
        QTest::newRow("none") << "abc" << 0.0 << false;
        QTest::newRow("ol in a cell") << " ol " << 0.0 << true;
        QTest::newRow("OL and more") << "OL2" << 0.0 << false;
    }
    void valueText()
    {
        QFETCH(QString, text);
        QFETCH(double, number);
        QFETCH(bool, overload);
        QCOMPARE(leadingNumber(text), number);
        QCOMPARE(isOverload(text), overload);
    }

    void bindingOrder()
    {
        const auto b = PortBindings::fromDevices({{"/dev/ttyS10", ""},
                                                  {"/dev/ttyS2", ""},
                                                  {"/dev/ttyACM0", "modem"},
                                                  {"/dev/ttyUSB1", ""},
                                                  {"/dev/ttyUSB0", "USB serial"}});
        QStringList paths;
        for (int n = 1; n <= 6; ++n)
            paths << b.devicePath(n);
        QCOMPARE(paths, QStringList({"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyACM0", "/dev/ttyS2",
                                     "/dev/ttyS10", ""}));
        QCOMPARE(b.description(1), QString("USB serial"));
    }

    void bindOption_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("port"); // 0: refused
        QTest::addColumn<QString>("path");
        QTest::newRow("plain") << "1=/dev/ttyUSB0" << 1 << "/dev/ttyUSB0";
        QTest::newRow("COM prefix") << "COM8=/tmp/x" << 8 << "/tmp/x";
        QTest::newRow("port 9") << "9=/dev/x" << 0 << "";
        QTest::newRow("no path") << "2=" << 0 << "";
        QTest::newRow("garbage") << "abc" << 0 << "";
    }
    void bindOption()
    {
        QFETCH(QString, option);
        QFETCH(int, port);
        QFETCH(QString, path);
        PortBindings b;
        QCOMPARE(b.bindFromOption(option), port != 0);
        QCOMPARE(b.devicePath(port), path);
    }

    // Typed into Ports as a user would (keys, optionally Enter): only COM1..COM8 exactly choose
    // a port, nothing is completed, corrected or added to the list.
    void choice_data()
    {
        QTest::addColumn<QString>("typed"); // empty: keep "COM1"
        QTest::addColumn<bool>("enter");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("port");
        QTest::newRow("default OK") << "" << false << "CmdOK" << 1;
        QTest::newRow("COM8 OK") << "COM8" << false << "CmdOK" << 8;
        QTest::newRow("COM4 Enter OK") << "COM4" << true << "CmdOK" << 4;
        QTest::newRow("lower case Enter") << "com3" << true << "CmdOK" << 0;
        QTest::newRow("COM prefix Enter") << "COM" << true << "CmdOK" << 0;
        QTest::newRow("COM9 Enter") << "COM9" << true << "CmdOK" << 0;
        QTest::newRow("blank after") << "COM2 " << true << "CmdOK" << 0;
        QTest::newRow("quick COM2") << "COM7" << false << "CmdCom2" << 2;
        QTest::newRow("quick COM1") << "" << false << "CmdCom1" << 1;
    }
    void choice()
    {
        QFETCH(QString, typed);
        QFETCH(bool, enter);
        QFETCH(QString, button);
        QFETCH(int, port);
        PortBindings b;
        b.bind(1, "/dev/ttyUSB0", "USB serial");
        QPointer<PortWindow> w = new PortWindow(b);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        auto* ports = w->findChild<QComboBox*>("Ports");
        QCOMPARE(ports->itemText(7), QString("COM8"));
        QCOMPARE(ports->currentText(), QString("COM1"));
        if (!typed.isEmpty()) {
            ports->lineEdit()->setFocus();
            ports->lineEdit()->selectAll();
            QTest::keyClicks(ports->lineEdit(), typed);
            if (enter)
                QTest::keyClick(ports->lineEdit(), Qt::Key_Return);
            QCOMPARE(ports->currentText(), typed);
        }
        QCOMPARE(ports->count(), 8);
        QSignalSpy chosen(w, &PortWindow::chosen);
        QTest::mouseClick(w->findChild<QPushButton*>(button), Qt::LeftButton);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).toInt(), port);
        QTRY_VERIFY(w.isNull()); // the window closed itself
    }
};

QTEST_MAIN(TestLink)
#include "tst_link_ports.moc"
