// The port window's choice rules.

#include "link/PortWindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace veltrix;

class TestPortWindow : public QObject {
    Q_OBJECT
private slots:
    // The text is typed into Ports as a user would (keys, optionally Enter), never set.
    void choice_data()
    {
        QTest::addColumn<QString>("typed"); // empty: keep "COM1"
        QTest::addColumn<bool>("enter");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("port");
        QTest::newRow("default OK") << "" << false << "CmdOK" << 1;
        QTest::newRow("COM4 OK") << "COM4" << false << "CmdOK" << 4;
        QTest::newRow("COM4 Enter OK") << "COM4" << true << "CmdOK" << 4;
        QTest::newRow("COM8 OK") << "COM8" << false << "CmdOK" << 8;
        QTest::newRow("lower case") << "com3" << false << "CmdOK" << 0;
        QTest::newRow("lower case Enter") << "com3" << true << "CmdOK" << 0;
        QTest::newRow("prefix Enter") << "com" << true << "CmdOK" << 0;
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
        ui::PortBindings b;
        b.bind(1, "/dev/ttyUSB0", "USB serial");
        auto* w = new PortWindow(b);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QPointer<PortWindow> guard(w);
        auto* ports = w->findChild<QComboBox*>("Ports");
        QVERIFY(ports && ports->lineEdit());
        QCOMPARE(ports->itemText(7), QString("COM8"));
        QCOMPARE(ports->currentText(), QString("COM1"));
        if (!typed.isEmpty()) {
            QLineEdit* edit = ports->lineEdit();
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, typed);
            if (enter)
                QTest::keyClick(edit, Qt::Key_Return);
            QCOMPARE(ports->currentText(), typed); // neither completed nor corrected
        }
        QCOMPARE(ports->count(), 8); // nothing added
        QSignalSpy chosen(w, &PortWindow::chosen);
        QTest::mouseClick(w->findChild<QPushButton*>(button), Qt::LeftButton);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).toInt(), port);
        QTRY_VERIFY(guard.isNull()); // the window closed itself
    }
};

QTEST_MAIN(TestPortWindow)
#include "tst_link_portwindow.moc"
