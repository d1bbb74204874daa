// The analog gauge: its dial geometry without a window, and the window painting from it (the
// needle's side, relabelling on a unit change, resize and minimise, print and save). The digital
// display is tested behind the panel.

#include "panel/SharedState.h"
#include "support/ScriptedDialogs.h"
#include "ui/WindowPicture.h"
#include "views/Analog.h"
#include "views/GaugeGeometry.h"

#include <QAction>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

using namespace veltrix;
using namespace veltrix::gauge;

namespace {
bool near(double a, double b, double tolerance = 1e-6)
{
    return std::abs(a - b) <= tolerance;
}

// Pixels that differ between two pictures of the same size, in the left and the right half.
QPair<int, int> changedHalves(const QImage& before, const QImage& after)
{
    int left = 0, right = 0;
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            if (before.pixel(x, y) != after.pixel(x, y))
                ++(x < after.width() / 2 ? left : right);
        }
    }
    return {left, right};
}

// A gauge on its own, with the panel's unit text in `unit`.
struct GaugeRig {
    SharedState state;
    QString unit = QStringLiteral("mG");
    QPointer<Analog> gauge;

    GaugeRig()
    {
        state.GaugeFullScale = 2000;
        state.AnalogScaleUnit = unit;
        state.AnalogOpen = true;
        gauge = new Analog(state, [this] { return unit; });
        gauge->show();
    }
    ~GaugeRig() { delete gauge.data(); }
    bool needleFor(const QString& reading)
    {
        state.ReadingText = reading;
        return gauge->UpdateGaugeNeedle();
    }
};
} // namespace

class TestViewsGauge : public QObject {
    Q_OBJECT
private slots:
    void needleAngle_data()
    {
        QTest::addColumn<QString>("reading");
        QTest::addColumn<double>("fullScale");
        QTest::addColumn<double>("degrees");
        QTest::newRow("zero") << "0" << 2000.0 << 145.0;
        QTest::newRow("full scale") << "2000" << 2000.0 << 35.0;
        QTest::newRow("half scale") << "1000" << 2000.0 << 90.0;
        QTest::newRow("above full scale") << "2500" << 2000.0 << 35.0;
        QTest::newRow("OL") << "OL" << 2000.0 << 35.0;
        QTest::newRow("negative") << "-5" << 2000.0 << 145.0;
        QTest::newRow("decimal") << "12.3" << 2000.0 << double(float(145 - 110 * 12.3 / 2000));
        QTest::newRow("uT quarter") << "50" << 200.0 << 117.5;
        QTest::newRow("no scale yet") << "12" << 0.0 << 145.0;
    }
    void needleAngle()
    {
        QFETCH(QString, reading);
        QFETCH(double, fullScale);
        QFETCH(double, degrees);
        QCOMPARE(gauge::needleAngle(reading, fullScale), float(degrees));
    }

    void needleEndAndArc()
    {
        const QPointF up = needleEnd(90.0f, 1000);
        QVERIFY(near(up.x(), 0, 1e-3));
        QVERIFY(near(up.y(), 960, 1e-6));
        QVERIFY(needleEnd(145.0f, 1000).x() < -780);
        QVERIFY(needleEnd(35.0f, 1000).x() > 780);
        const QList<QPointF> arc = arcPoints(1000); // from 34.2 to 145.8 degrees
        QVERIFY(arc.first().x() > 820 && arc.last().x() < -820);
    }

    void markLengths_data()
    {
        QTest::addColumn<int>("mark");
        QTest::addColumn<double>("length");
        QTest::addColumn<double>("degrees");
        QTest::newRow("full scale") << 0 << 1.08 << 36.0;
        QTest::newRow("first minor") << 1 << 1.03 << 38.7;
        QTest::newRow("fifth") << 5 << 1.06 << 49.5;
        QTest::newRow("tenth") << 10 << 1.08 << 63.0;
        QTest::newRow("zero") << 40 << 1.08 << 144.0;
    }
    void markLengths()
    {
        QFETCH(int, mark);
        QFETCH(double, length);
        QFETCH(double, degrees);
        const QList<Mark> all = marks(1000);
        QCOMPARE(all.size(), 41);
        const Mark& m = all.at(mark);
        const double a = degrees * 3.1415926 / 180;
        QVERIFY(near(m.inner.x(), 1000 * std::cos(a)) && near(m.inner.y(), 1000 * std::sin(a)));
        QVERIFY(near(m.outer.x(), length * 1000 * std::cos(a)));
        QVERIFY(near(m.outer.y(), length * 1000 * std::sin(a)));
    }

    void labels_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<double>("fullScale");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("resize mG") << int(DialVariant::Resize) << 2000.0
                                   << QStringList{"1000", "1500", "500", "2000", "0"};
        QTest::newRow("resize uT")
            << int(DialVariant::Resize) << 200.0 << QStringList{"100", "150", "50", "200", "0"};
        QTest::newRow("unit change mG") << int(DialVariant::UnitChange) << 2000.0
                                        << QStringList{" 1000", " 1500", " 500", " 2000", "0"};
        QTest::newRow("unit change uT") << int(DialVariant::UnitChange) << 200.0
                                        << QStringList{" 100", " 150", " 50", " 200", "0"};
    }
    // The middle label sits on the axis; the others in pairs on one line each, each centred on its
    // point of the label circle (the relabelled dial shifts every one by the same fixed amount).
    void labels()
    {
        QFETCH(int, variant);
        QFETCH(double, fullScale);
        QFETCH(QStringList, texts);
        const auto width = [](const QString& t) { return 30.0 * t.size(); };
        const QList<ScaleLabel> list = scaleLabels(DialVariant(variant), 2295, fullScale, width);
        QStringList got;
        for (const ScaleLabel& l : list)
            got << l.text;
        QCOMPARE(got, texts);
        QVERIFY(near(list[0].anchor.y(), 1.16 * 2295));
        QVERIFY(std::abs(list[0].anchor.x()) < 130);
        for (int i : {1, 3})
            QVERIFY(near(list[i].anchor.y(), list[i + 1].anchor.y()));
        QVERIFY(list[3].anchor.y() < list[1].anchor.y());
        const double degrees[] = {63, 117, 39.6, 140.4}; // 3 FS/4, FS/4, FS, 0
        for (int i = 1; i < 5; ++i) {
            const double shift =
                variant == int(DialVariant::UnitChange) ? 120 : width(list[i].text) / 2;
            QVERIFY2(
                near(list[i].anchor.x() + shift, 1.16 * 2295 * std::cos(radians(degrees[i - 1]))),
                qPrintable(list[i].text));
        }
    }

    void dialSpace()
    {
        const DialSpace s = DialSpace::fromClientPixels(QSizeF(306, 168));
        const QSizeF client(306, 168);
        QCOMPARE(s.toPixel({-2295, 3024}, client), QPointF(0, 0));
        QCOMPARE(s.toPixel({2295, 504}, client), QPointF(306, 168));
        QCOMPARE(s.toPixel({0, 0}, client), QPointF(153, 1.2 * 168));
        // Stretched unevenly with the window.
        QCOMPARE(s.toPixel({2295, 504}, QSizeF(612, 200)), QPointF(612, 200));
        QCOMPARE(s.toPixel({0, 1764}, QSizeF(612, 200)), QPointF(306, 100));
        const DialSpace outer = DialSpace::fromOuterPixels(QSizeF(307, 195));
        QVERIFY(near(outer.width(), 307 * 15 * 4485.0 / 4605));
        QVERIFY(near(outer.height(), 195 * 15 * 2490.0 / 2925));
        // A window squeezed flat has no dial to draw: no scale that divides by zero.
        for (const QSizeF flat : {QSizeF(306, 0), QSizeF(0, 168)})
            QVERIFY(DialSpace::fromClientPixels(flat).toPixels(flat).isIdentity());
    }

    void needleSide_data()
    {
        QTest::addColumn<QString>("reading");
        QTest::addColumn<bool>("left");
        QTest::newRow("small") << "150" << true;
        QTest::newRow("large") << "1850" << false;
    }
    void needleSide()
    {
        QFETCH(QString, reading);
        QFETCH(bool, left);
        GaugeRig rig;
        QVERIFY(QTest::qWaitForWindowExposed(rig.gauge));
        const QImage bare = rig.gauge->picture();
        QVERIFY(rig.needleFor(reading));
        const QImage withNeedle = rig.gauge->picture();
        const auto [l, r] = changedHalves(bare, withNeedle);
        QVERIFY2(left ? (l > 20 && r < 3) : (r > 20 && l < 3),
                 qPrintable(QStringLiteral("left %1 right %2").arg(l).arg(r)));
        // A second sample replaces the needle rather than adding one.
        QVERIFY(rig.needleFor(left ? "1850" : "150"));
        const auto [l2, r2] = changedHalves(bare, rig.gauge->picture());
        QVERIFY2(left ? (r2 > 20 && l2 < 3) : (l2 > 20 && r2 < 3),
                 qPrintable(QStringLiteral("left %1 right %2").arg(l2).arg(r2)));
    }

    // Opens on the resize dial without a needle, is relabelled on a unit change, says it closed.
    void unitChangeRelabels()
    {
        GaugeRig rig;
        QVERIFY(QTest::qWaitForWindowExposed(rig.gauge));
        QVERIFY(rig.gauge->dialDrawn());
        QCOMPARE(rig.gauge->variant(), DialVariant::Resize);
        QVERIFY(!rig.gauge->needle());
        QCOMPARE(rig.gauge->findChild<QLabel*>("LblFun")->text(), QString("mG"));
        QCOMPARE(rig.gauge->labels().first().text, QString("1000"));
        QVERIFY(rig.needleFor("100"));
        rig.unit = QStringLiteral("uT");
        QVERIFY(!rig.needleFor("10"));
        QCOMPARE(rig.state.GaugeFullScale, 200);
        QCOMPARE(rig.gauge->labels().first().text, QString(" 100"));
        QCOMPARE(rig.gauge->findChild<QLabel*>("LblFun")->text(), QString("uT"));
        const QSize outer = rig.gauge->frameGeometry().size() -
                            QSize(0, rig.gauge->findChild<QWidget*>("MenuBar")->height());
        QVERIFY(near(rig.gauge->dialSpace().width(), outer.width() * 15 * 4485.0 / 4605));
        rig.unit = QStringLiteral("mG");
        QVERIFY(!rig.needleFor("10"));
        QCOMPARE(rig.state.GaugeFullScale, 2000);
        QCOMPARE(rig.gauge->labels().at(3).text, QString(" 2000"));
        rig.gauge->close();
        QVERIFY(!rig.state.AnalogOpen);
        QTRY_VERIFY(rig.gauge.isNull());
    }

    void resizeAndMinimise()
    {
        GaugeRig rig;
        QVERIFY(QTest::qWaitForWindowExposed(rig.gauge));
        QVERIFY(rig.needleFor("500"));
        const DialSpace before = rig.gauge->dialSpace();
        rig.state.GaugeFullScale = 200; // as the toolbar may have set it meanwhile
        rig.gauge->resize(600, 300);
        QTRY_COMPARE(rig.gauge->face()->width(), 600);
        QVERIFY(!rig.gauge->needle());
        QCOMPARE(rig.gauge->variant(), DialVariant::Resize);
        QCOMPARE(rig.gauge->dialSpace().width(), before.width());
        QCOMPARE(rig.gauge->dialSpace().height(), before.height());
        QCOMPARE(rig.gauge->labels().first().text, QString("100"));

        // Minimised, nothing is drawn until the window is shown again.
        QVERIFY(rig.needleFor("50"));
        rig.gauge->showMinimized();
        QVERIFY(rig.gauge->isMinimized());
        rig.unit = QStringLiteral("uT"); // would show in LblFun if a dial were drawn
        rig.gauge->resize(400, 250);
        QTRY_COMPARE(rig.gauge->face()->width(), 400);
        QVERIFY(rig.gauge->needle());
        QCOMPARE(rig.gauge->findChild<QLabel*>("LblFun")->text(), QString("mG"));
        rig.gauge->showNormal();
        QTRY_VERIFY(!rig.gauge->needle());
        QCOMPARE(rig.gauge->findChild<QLabel*>("LblFun")->text(), QString("uT"));
    }

    void printAndSave()
    {
        QTemporaryDir dir;
        GaugeRig rig;
        QVERIFY(QTest::qWaitForWindowExposed(rig.gauge));
        QVERIFY(rig.needleFor("700"));
        const QString pdf = dir.filePath("gauge.pdf");
        rig.gauge->setPrinterFactory([pdf] { return std::make_unique<ui::PicturePrinter>(pdf); });
        rig.gauge->findChild<QAction*>("MnuPrint")->trigger();
        QVERIFY(QFileInfo(pdf).size() > 0);

        test::ScriptedDialogs dialogs;
        dialogs.fileAnswers << dir.filePath("dial");
        rig.gauge->findChild<QAction*>("MnuSave")->trigger();
        QImage saved(dir.filePath("dial.png"));
        QCOMPARE(saved.size(), rig.gauge->face()->size());
        QCOMPARE(saved.convertToFormat(QImage::Format_RGB32),
                 rig.gauge->picture().convertToFormat(QImage::Format_RGB32));
        QVERIFY(dialogs.messages.isEmpty());

        // A folder that does not exist: told, not silently dropped.
        dialogs.fileAnswers << dir.filePath("missing/dial.png");
        rig.gauge->findChild<QAction*>("MnuSave")->trigger();
        QCOMPARE(dialogs.messages.size(), 1);
    }
};

QTEST_MAIN(TestViewsGauge)
#include "tst_views_gauge.moc"
