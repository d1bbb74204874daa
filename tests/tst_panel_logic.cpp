// The panel's window-free rules.

#include "panel/PanelLogic.h"

#include <QTest>

using namespace veltrix;

Q_DECLARE_METATYPE(veltrix::Mark)

class TestPanelLogic : public QObject {
    Q_OBJECT
private slots:
    void sampling_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("seconds"); // -1: nothing changes
        QTest::newRow("plain") << "10" << 10;
        QTest::newRow("comma removed") << "2,5" << 25;
        QTest::newRow("only first comma") << "1,2,3" << -1;
        QTest::newRow("half to even down") << "2.5" << 2;
        QTest::newRow("half to even up") << "3.5" << 4;
        QTest::newRow("zero") << "0" << 1;
        QTest::newRow("negative") << "-5" << 1;
        QTest::newRow("above a day") << "86401" << 86400;
        QTest::newRow("blanks") << "  7 " << 7;
        QTest::newRow("text") << "abc" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("infinite") << "1e999" << -1;
    }
    void sampling()
    {
        QFETCH(QString, answer);
        QFETCH(int, seconds);
        const auto t = parseSamplingAnswer(answer);
        QCOMPARE(t.has_value() ? *t : -1, seconds);
    }

    void alarm_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("high");
        QTest::addColumn<QString>("low");
        QTest::addColumn<QString>("enable");
        QTest::addColumn<Mark>("over");
        QTest::addColumn<Mark>("under");
        const auto row = [](const char* name, const char* shown, const char* high, const char* low,
                            const char* enable, Mark over, Mark under) {
            QTest::newRow(name) << QString(shown) << QString(high) << QString(low)
                                << QString(enable) << over << under;
        };
        row("between", "9.5", "10", "2", "0", Mark::Hide, Mark::Hide);
        row("at high", "10.0", "10", "2", "0", Mark::Show, Mark::Hide);
        row("below low", "1.5", "10", "2", "0", Mark::Hide, Mark::Show);
        row("OL", "OL", "10", "2", "0", Mark::Show, Mark::Hide);
        row("no low", "0.5", "10", "", "0", Mark::Hide, Mark::Hide);
        row("no high", "99", "", "2", "0", Mark::Leave, Mark::Leave);
        row("switched off", "99", "10", "2", "1", Mark::Hide, Mark::Hide);
        row("odd switch", "99", "10", "2", "7", Mark::Leave, Mark::Leave);
    }
    void alarm()
    {
        QFETCH(QString, shown);
        QFETCH(QString, high);
        QFETCH(QString, low);
        QFETCH(QString, enable);
        QFETCH(Mark, over);
        QFETCH(Mark, under);
        const AlarmMarks m = alarmMarks(shown, high, low, enable);
        QCOMPARE(m.over, over);
        QCOMPARE(m.under, under);
    }

    void blink_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("code"); // -1: leave the label alone
        QTest::newRow("80 steady") << 0x80 << 0;
        QTest::newRow("81 slow") << 0x81 << 1;
        QTest::newRow("42 fast") << 0x42 << 2;
        QTest::newRow("83 other") << 0x83 << -1;
        QTest::newRow("00 malformed") << 0x00 << -1;
        QTest::newRow("C1 malformed") << 0xC1 << -1;
    }
    void blink()
    {
        QFETCH(int, status);
        QFETCH(int, code);
        const auto c = blinkCode(quint8(status));
        QCOMPARE(c.has_value() ? *c : -1, code);
    }

    void recordKeyWaits()
    {
        QCOMPARE(keyWaits(Key::Record, "4627"), (QList<double>{0.3}));
        QCOMPARE(keyWaits(Key::Record, ""), (QList<double>{0.2, 0.3}));
        QCOMPARE(keyWaits(Key::Hold, ""), (QList<double>{0.2}));
        QCOMPARE(keyCommand(Key::Unit, "", true), QByteArray("u")); // never identified
        QCOMPARE(keyCommand(Key::Unit, "", false), QByteArray("m"));
    }
};

QTEST_GUILESS_MAIN(TestPanelLogic)
#include "tst_panel_logic.moc"
