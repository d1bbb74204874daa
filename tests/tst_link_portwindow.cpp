// The port window's choice rules.

#include "link/PortWindow.h"

#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace veltrix;

class TestPortWindow : public QObject {
    Q_OBJECT
private slots:
    void choice_data()
    {
        QTest::addColumn<QString>("typed");  // text typed into Ports, empty: keep "COM1"
        QTest::addColumn<QString>("button"); // button clicked
        QTest::addColumn<int>("port");
        QTest::newRow("default OK") << ""
                                    << "CmdOK" << 1;
        QTest::newRow("COM4 OK") << "COM4"
                                 << "CmdOK" << 4;
        QTest::newRow("COM8 OK") << "COM8"
                                 << "CmdOK" << 8;
        QTest::newRow("lower case") << "com3"
                                    << "CmdOK" << 0;
        QTest::newRow("COM9") << "COM9"
                              << "CmdOK" << 0;
        QTest::newRow("blank after") << "COM2 "
                                     << "CmdOK" << 0;
        QTest::newRow("quick COM2") << "COM7"
                                    << "CmdCom2" << 2;
        QTest::newRow("quick COM1") << ""
                                    << "CmdCom1" << 1;
    }
    void choice()
    {
        QFETCH(QString, typed);
        QFETCH(QString, button);
        QFETCH(int, port);
        ui::PortBindings b;
        b.bind(1, "/dev/ttyUSB0", "USB serial");
        auto* w = new PortWindow(b);
        w->show();
        QPointer<PortWindow> guard(w);
        auto* ports = w->findChild<QComboBox*>("Ports");
        QVERIFY(ports);
        QCOMPARE(ports->count(), 8);
        QCOMPARE(ports->itemText(7), QString("COM8"));
        QCOMPARE(ports->currentText(), QString("COM1"));
        if (!typed.isEmpty())
            ports->setEditText(typed);
        QSignalSpy chosen(w, &PortWindow::chosen);
        QTest::mouseClick(w->findChild<QPushButton*>(button), Qt::LeftButton);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).toInt(), port);
        QTRY_VERIFY(guard.isNull()); // the window closed itself
    }
};

QTEST_MAIN(TestPortWindow)
#include "tst_link_portwindow.moc"
