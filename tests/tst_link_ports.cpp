// Port numbering and line settings.

#include "ui/PortBindings.h"
#include "ui/SerialLine.h"

#include <QTest>

using namespace veltrix::ui;

class TestPorts : public QObject {
    Q_OBJECT
private slots:
    void bindingOrder()
    {
        const auto b = PortBindings::fromDevices({{"/dev/ttyS10", ""},
                                                  {"/dev/ttyS2", ""},
                                                  {"/dev/ttyACM0", "modem"},
                                                  {"/dev/ttyUSB1", ""},
                                                  {"/dev/ttyUSB0", "USB serial"}});
        QCOMPARE(b.devicePath(1), QString("/dev/ttyUSB0"));
        QCOMPARE(b.description(1), QString("USB serial"));
        QCOMPARE(b.devicePath(2), QString("/dev/ttyUSB1"));
        QCOMPARE(b.devicePath(3), QString("/dev/ttyACM0"));
        QCOMPARE(b.devicePath(4), QString("/dev/ttyS2"));
        QCOMPARE(b.devicePath(5), QString("/dev/ttyS10"));
        QVERIFY(b.devicePath(6).isEmpty());
    }

    void bindOption_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("port");
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
        if (port)
            QCOMPARE(b.devicePath(port), path);
    }

    void settings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::newRow("meter") << "9600,n,8,1" << true;
        QTest::newRow("even 7 2") << "4800,E,7,2" << true;
        QTest::newRow("three parts") << "9600,n,8" << false;
        QTest::newRow("bad parity") << "9600,x,8,1" << false;
        QTest::newRow("bad baud") << "fast,n,8,1" << false;
    }
    void settings()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QCOMPARE(parseLineSettings(text, nullptr), ok);
    }
};

QTEST_GUILESS_MAIN(TestPorts)
#include "tst_link_ports.moc"
