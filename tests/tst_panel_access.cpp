// SPDX-License-Identifier: GPL-3.0-or-later
// The panel for a screen reader and for the keyboard alone: every control that takes focus is
// named in every window, the readouts say their reading, keys open and close the windows, and
// the face's text stays legible.

#include "link/PortWindow.h"
#include "records/FileList.h"
#include "records/ListPlot.h"
#include "records/RealTimeList.h"
#include "records/StripChart.h"
#include "survey/SurveyWindow.h"
#include "support/PanelRig.h"
#include "ui/Access.h"
#include "views/Analog.h"
#include "views/Digital.h"
#include "views/RecordGraph.h"

#include <QAccessible>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QDialog>
#include <QMenu>
#include <QSet>
#include <QToolBar>

using namespace veltrix;
using veltrix::test::PanelRig;
using veltrix::test::RecordingRig;

namespace {

QString accessibleText(QWidget* w, QAccessible::Text what)
{
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(what) : QString();
}

// The controls a keyboard reaches in every window open now; the ones a screen reader could not
// name go to `unnamed` ("window: object (class)").
struct FocusWalk {
    QSet<QWidget*> seen;
    QStringList unnamed;

    void walk()
    {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (!top->isVisible())
                continue;
            QList<QWidget*> all = top->findChildren<QWidget*>();
            all.prepend(top);
            for (QWidget* w : all)
                look(w);
        }
    }
    void look(QWidget* w)
    {
        if (!w->isVisible() || w->focusPolicy() == Qt::NoFocus || seen.contains(w))
            return;
        seen.insert(w);
        // A spin box's text field and a view's viewport are told by their owner's name.
        QWidget* judged = w;
        QWidget* owner = w->parentWidget();
        auto* area = qobject_cast<QAbstractScrollArea*>(owner);
        if (qobject_cast<QAbstractSpinBox*>(owner) || (area && area->viewport() == w))
            judged = owner;
        if (accessibleText(judged, QAccessible::Name).trimmed().isEmpty())
            unnamed << QStringLiteral("%1: %2 (%3)")
                           .arg(w->window()->objectName(), w->objectName(),
                                QString::fromLatin1(w->metaObject()->className()));
    }
    // Walks the modal dialog `open` brings up, then closes it.
    void walkDialog(const std::function<void()>& open)
    {
        bool walked = false;
        QTimer::singleShot(0, [&] {
            QTRY_VERIFY(QApplication::activeModalWidget());
            walk();
            walked = true;
            qobject_cast<QDialog*>(QApplication::activeModalWidget())->reject();
        });
        open();
        QVERIFY(walked);
    }
};

bool press(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QApplication::setActiveWindow(window);
    if (!QTest::qWaitForWindowActive(window))
        return false;
    QTest::keyClick(window, key, modifiers);
    return true;
}

} // namespace

class TestPanelAccess : public QObject {
    Q_OBJECT
private slots:
    void everyFocusableControlIsNamed()
    {
        RecordingRig rig;
        QVERIFY(rig.start() && rig.ticks(1));
        QVERIFY(rig.record("walk.txt"));
        QTRY_VERIFY_WITH_TIMEOUT(rig.panel->state().RecordCount >= 2, 10000); // a line to plot
        FocusWalk focus;
        for (const char* key : {"Analog", "Digital", "Graph", "Graph2", "List", "Alarm",
                                "TimeSet", "Survey"})
            rig.panel->toolbarClick(key);
        focus.walk();
        rig.panel->toolbarClick("SaveStop");
        rig.dialogs.fileAnswers << rig.file("walk.txt");
        rig.panel->toolbarClick("Open");
        QVERIFY(rig.panel->fileList());
        rig.panel->fileList()->findChild<QToolBar*>("Toolbar1")->findChild<QAction*>("Plot")->trigger();
        QVERIFY(rig.panel->listPlot()->window());
        rig.panel->toolbarClick("Memory");
        QVERIFY(rig.panel->memoryWindow());
        rig.panel->memoryWindow()->downloadSet(1);
        QVERIFY(rig.panel->dataList());
        auto* port = new PortWindow(ui::PortBindings{});
        port->show();
        focus.walk();
        focus.walkDialog([&] { rig.panel->fileList()->findChild<QAction*>("Report")->trigger(); });
        focus.walkDialog(
            [&] { rig.panel->surveyWindow()->findChild<QAction*>("ActDetails")->trigger(); });
        port->close();

        qInfo("focusable controls: %lld, without an accessible name: %lld",
              qint64(focus.seen.size()), qint64(focus.unnamed.size()));
        QVERIFY2(focus.unnamed.isEmpty(), qPrintable(focus.unnamed.join('\n')));
        QVERIFY(focus.seen.size() > 80);
    }

    // Each readout tells its reading to assistive technology. (The offscreen platform has no
    // accessibility bridge, so the change events it sends are not seen here.)
    void readoutsSayTheirReading()
    {
        PanelRig rig;
        QVERIFY(rig.startPolled(1));
        rig.holdSampleClock();
        for (const char* key : {"Analog", "Digital", "Graph", "Graph2"})
            rig.panel->toolbarClick(key);
        QVERIFY(rig.ticks(1));
        rig.meter.setField(123.4);
        QVERIFY(rig.ticks(2));
        rig.panel->takeSample();
        rig.panel->takeSample();

        const QString reading = rig.panel->shownValue().trimmed() + " " + rig.panel->shownUnit();
        QVERIFY2(reading.startsWith("123"), qPrintable(reading));
        const QList<std::pair<const char*, QWidget*>> readouts = {
            {"Reading", rig.w("LblValue")},
            {"Analog gauge", rig.panel->analogGauge()->face()},
            {"Digital display", rig.panel->digitalDisplay()->findChild<QLabel*>("LblValue")},
            {"Strip chart", rig.panel->stripChart()->window()->canvas()},
            {"Record graph", rig.panel->recordGraph()->findChild<QWidget*>("CWGraph1")},
        };
        for (const auto& [name, w] : readouts) {
            QVERIFY2(w, name);
            QCOMPARE(accessibleText(w, QAccessible::Name), QString(name));
            QCOMPARE(accessibleText(w, QAccessible::Description), reading);
            QVERIFY2(w->focusPolicy() & Qt::TabFocus, name);
        }
    }

    void readingText_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("said");
        QTest::newRow("value and unit") << " 12.5" << "mG" << "12.5 mG";
        QTest::newRow("unit padded") << "0.03" << " uT " << "0.03 uT";
        QTest::newRow("no unit yet") << "7" << "" << "7";
        QTest::newRow("nothing read") << "  " << "mG" << "no reading";
    }
    void readingText()
    {
        QFETCH(QString, value);
        QFETCH(QString, unit);
        QFETCH(QString, said);
        QCOMPARE(ui::readingText(value, unit), said);
    }

    void contrast_data()
    {
        QTest::addColumn<QColor>("a");
        QTest::addColumn<QColor>("b");
        QTest::addColumn<double>("ratio");
        QTest::newRow("black on white") << QColor(Qt::black) << QColor(Qt::white) << 21.0;
        QTest::newRow("either way") << QColor(Qt::white) << QColor(Qt::black) << 21.0;
        QTest::newRow("same") << QColor("#777777") << QColor("#777777") << 1.0;
        QTest::newRow("mid grey on white") << QColor("#777777") << QColor(Qt::white) << 4.48;
        QTest::newRow("pure red on white") << QColor(Qt::red) << QColor(Qt::white) << 4.0;
        QTest::newRow("pure blue on black") << QColor(Qt::blue) << QColor(Qt::black) << 2.44;
        QTest::newRow("pure green on black") << QColor(Qt::green) << QColor(Qt::black) << 15.3;
    }
    void contrast()
    {
        QFETCH(QColor, a);
        QFETCH(QColor, b);
        QFETCH(double, ratio);
        QVERIFY2(qAbs(ui::contrastRatio(a, b) - ratio) < 0.01,
                 qPrintable(QString::number(ui::contrastRatio(a, b))));
    }

    // Every text colour of the face against its background, and OVER and UNDER say themselves
    // in words, not by their colour alone.
    void faceIsLegible()
    {
        const QList<FaceInk> inks = Panel::faceInks();
        QVERIFY(inks.size() >= 8);
        for (const FaceInk& ink : inks) {
            const double ratio =
                ui::contrastRatio(QColor(QString(ink.text)), QColor(QString(ink.background)));
            QVERIFY2(ratio >= ui::TextContrast,
                     qPrintable(QStringLiteral("%1: %2").arg(ink.what).arg(ratio)));
        }
        PanelRig rig;
        QVERIFY(rig.start());
        QCOMPARE(rig.text("OverText1"), QString("OVER"));
        QCOMPARE(rig.text("OverText2"), QString("UNDER"));
        const QString style = rig.panel->findChild<QWidget*>("Body")->styleSheet();
        for (const FaceInk& ink : inks)
            QVERIFY2(style.contains(ink.text) && style.contains(ink.background), ink.what);
    }

    // With keys alone: a recording starts, every view and the Memory window open and close again.
    void keyboardOnly()
    {
        RecordingRig rig;
        QVERIFY(rig.start() && rig.ticks(1));
        Panel* panel = rig.panel.get();
        rig.dialogs.fileAnswers << rig.file("keys.txt");
        QVERIFY(press(panel, Qt::Key_R, Qt::ControlModifier));
        QVERIFY(panel->state().RecordingOn);

        const auto window = [panel](const char* key) -> QWidget* {
            const QString k = QString::fromLatin1(key);
            if (k == "Analog")
                return panel->analogGauge();
            if (k == "Digital")
                return panel->digitalDisplay();
            if (k == "Graph")
                return panel->stripChart()->window();
            if (k == "Graph2")
                return panel->recordGraph();
            if (k == "List")
                return panel->liveTable();
            return panel->memoryWindow();
        };
        const QList<std::tuple<const char*, Qt::Key, Qt::KeyboardModifiers>> opens = {
            {"Analog", Qt::Key_N, Qt::ControlModifier},
            {"Graph", Qt::Key_G, Qt::ControlModifier},
            {"Graph2", Qt::Key_G, Qt::ControlModifier | Qt::ShiftModifier},
            {"List", Qt::Key_L, Qt::ControlModifier},
            {"Memory", Qt::Key_M, Qt::ControlModifier},
        };
        for (const auto& [key, k, mods] : opens) {
            QVERIFY2(press(panel, k, mods), key);
            QPointer<QWidget> w = window(key);
            QVERIFY2(w && w->isVisible(), key);
            QVERIFY2(press(w, Qt::Key_Escape), key);
            QTRY_VERIFY2(!w || !w->isVisible(), key);
        }
        // The digital display has no button: the View menu opens it, by its mnemonic.
        QVERIFY(press(panel, Qt::Key_V, Qt::AltModifier));
        QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_D);
        QPointer<QWidget> digital = window("Digital");
        QTRY_VERIFY(digital && digital->isVisible());
        QVERIFY(press(digital, Qt::Key_Escape));
        QTRY_VERIFY(!digital || !digital->isVisible());

        QVERIFY(panel->state().RecordingOn);
        QVERIFY(press(panel, Qt::Key_R, Qt::ControlModifier));
        QVERIFY(!panel->state().RecordingOn);
    }

    // The Port window takes what is typed with Enter (it is no dialog, so no default button
    // does it by itself).
    void portTakesEnter_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
    }
    void portTakesEnter()
    {
        QFETCH(int, key);
        QPointer<PortWindow> port = new PortWindow(ui::PortBindings{});
        QSignalSpy chosen(port.data(), &PortWindow::chosen);
        port->show();
        auto* ports = port->findChild<QComboBox*>("Ports");
        ports->setFocus();
        QVERIFY(press(port, Qt::Key_End));
        ports->lineEdit()->selectAll();
        QTest::keyClicks(ports->lineEdit(), "COM3");
        QTest::keyClick(ports->lineEdit(), Qt::Key(key));
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.first().first().toInt(), 3);
        QTRY_VERIFY(!port);
    }
};

QTEST_MAIN(TestPanelAccess)
#include "tst_panel_access.moc"
