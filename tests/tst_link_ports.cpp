// The link without a meter: reading decoder, protocol helpers, port numbering and the port
// window's choice rules.

#include "link/MeterLink.h"
#include "link/PortWindow.h"
#include "link/ReadingDecoder.h"
#include "ui/PortBindings.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace veltrix;
using namespace veltrix::ui;

class TestLink : public QObject {
    Q_OBJECT
private slots:
    // Lock, high range, peak, hold, tesla, gauss; the blink bits 02 and 04 are no flags.
    void status()
    {
        const auto flags = [](int status) {
            const StatusFlags f = DecodeStatus(quint8(status));
            return QString(f.MemoryLockFlag ? "L" : "-") + (f.HighRangeFlag ? "H" : "-") +
                   (f.PeakFlag ? "P" : "-") + (f.HoldFlag ? "D" : "-") + (f.TeslaFlag ? "T" : "-") +
                   (f.GaussFlag ? "G" : "-");
        };
        QCOMPARE(flags(0x80), QString("-----G"));
        QCOMPARE(flags(0x48), QString("-H--T-"));
        QCOMPARE(flags(0x31), QString("L-PD--"));
        QCOMPARE(flags(0x06), QString("------"));
    }

    void value_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("digits");
        QTest::addColumn<bool>("overloadBefore");
        QTest::addColumn<QString>("text"); // "7.7": what the panel showed before
        QTest::addColumn<bool>("overload");
        QTest::newRow("mG low 0123") << 0x80 << 0x0123 << false << "12.3" << false;
        QTest::newRow("uT high 0123") << 0x48 << 0x0123 << false << "12.3" << false;
        QTest::newRow("uT low 0123") << 0x40 << 0x0123 << false << "1.23" << false;
        QTest::newRow("mG high 0123") << 0x88 << 0x0123 << false << "123" << false;
        QTest::newRow("uT low 0000") << 0x40 << 0x0000 << false << "0.00" << false;
        QTest::newRow("mG high 1999") << 0x88 << 0x1999 << true << "1999" << false;
        QTest::newRow("hex digit ends run") << 0x80 << 0x1A23 << false << "1.3" << false;
        QTest::newRow("uT hex digit ends run") << 0x40 << 0x1A23 << false << "1.23" << false;
        QTest::newRow("OL") << 0x48 << 0x1C00 << false << "OL" << true;
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
    void valueText()
    {
        QCOMPARE(leadingNumber(u"2 sec"), 2.0);
        QCOMPARE(leadingNumber(u"  -1.5e1x"), -15.0);
        QCOMPARE(leadingNumber(u".5"), 0.5);
        QCOMPARE(leadingNumber(u"3e"), 3.0);
        QCOMPARE(leadingNumber(u"abc"), 0.0);
        QCOMPARE(leadingNumber(QStringView()), 0.0); // an empty cell has no characters to look at
        QVERIFY(isOverload(u" ol "));
        QVERIFY(!isOverload(u"OL2"));
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
        PortBindings c; // as given on the command line
        QVERIFY(c.bindFromOption("COM8=/tmp/x"));
        QCOMPARE(c.devicePath(8), QString("/tmp/x"));
        QVERIFY(!c.bindFromOption("9=/dev/x"));
        QVERIFY(!c.bindFromOption("2="));
    }

    // Typed key by key: only COM1..COM8 choose a port; nothing is completed, corrected or added.
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
        QCOMPARE(ports->itemData(0, Qt::ToolTipRole).toString(), QString("/dev/ttyUSB0"));
        QCOMPARE(ports->currentText(), QString("COM1"));
        if (!typed.isEmpty()) {
            ports->lineEdit()->setFocus();
            ports->lineEdit()->selectAll();
            QTest::keyClicks(ports->lineEdit(), typed);
            if (enter)
                QTest::keyClick(ports->lineEdit(), Qt::Key_Return);
            QCOMPARE(ports->currentText(), typed);
            QCOMPARE(w->findChild<QLabel*>("LblDevice")->text() == "Choose COM1 to COM8.",
                     button == "CmdOK" && port == 0);
        }
        QCOMPARE(ports->count(), 8);
        QSignalSpy chosen(w, &PortWindow::chosen);
        QTest::mouseClick(w->findChild<QPushButton*>(button), Qt::LeftButton);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).toInt(), port);
        QCOMPARE(w->comPortNumber(), port);
        QTRY_VERIFY(w.isNull()); // the window closed itself
    }
};

QTEST_MAIN(TestLink)
#include "tst_link_ports.moc"
