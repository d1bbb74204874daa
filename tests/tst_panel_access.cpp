// SPDX-License-Identifier: GPL-3.0-or-later
// The panel for a screen reader and the keyboard alone: every control that takes focus is named,
// the readouts say their reading, keys open and close the windows, the face stays legible.

#include "link/PortWindow.h"
#include "logger/RTCSetup.h"
#include "records/FileList.h"
#include "records/ListPlot.h"
#include "records/RealTimeList.h"
#include "records/StripChart.h"
#include "support/PanelRig.h"
#include "survey/SurveyWindow.h"
#include "ui/Access.h"
#include "views/Analog.h"
#include "views/Digital.h"
#include "views/RecordGraph.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QSet>
#include <QToolBar>
#include <QToolButton>

using namespace veltrix;
using veltrix::test::RecordingRig;

namespace {
QString said(QWidget* w, QAccessible::Text what = QAccessible::Name)
{
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(what).trimmed() : QString();
}

// The controls Tab reaches in the windows open now; those a screen reader cannot name are kept.
struct FocusWalk {
    QSet<QWidget*> seen;
    QStringList unnamed;
    void walk()
    {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            const QList<QWidget*> all = top->findChildren<QWidget*>() << top;
            for (QWidget* w : all) {
                if (!w->isVisible() || w->focusPolicy() == Qt::NoFocus || seen.contains(w))
                    continue;
                seen.insert(w);
                // A spin box's text field and a view's viewport are told by their owner's name.
                QWidget* box = qobject_cast<QAbstractSpinBox*>(w->parentWidget());
                if (auto* view = qobject_cast<QAbstractScrollArea*>(w->parentWidget()))
                    box = view->viewport() == w ? view : nullptr;
                if (said(box ? box : w).isEmpty())
                    unnamed << w->window()->objectName() + ": " + w->objectName() + " (" +
                                   w->metaObject()->className() + ")";
            }
        }
    }
    // A label followed in its layout by an input field leads to it (its buddy, with a mnemonic
    // that no other label or button of the window takes); every text shown whole has its room.
    QStringList unled, clipped;
    void walkLabels()
    {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            QMap<QChar, QString> keys;
            for (QLayout* layout : top->findChildren<QLayout*>())
                if (layout->parentWidget() && layout->parentWidget()->window() == top)
                    checkLayout(layout);
            for (QWidget* w : top->findChildren<QWidget*>()) {
                const auto* label = qobject_cast<QLabel*>(w);
                const auto* button = qobject_cast<QAbstractButton*>(w);
                const QString text = label ? label->text() : button ? button->text() : QString();
                if (!w->isVisible() || w->window() != top || text.isEmpty())
                    continue;
                if (needs(w, text) > w->contentsRect().width())
                    clipped << top->objectName() + ": " + text;
                const QKeySequence key = QKeySequence::mnemonic(text);
                const QChar letter = key.isEmpty() ? QChar() : key.toString().back().toLower();
                if (!key.isEmpty() && keys.contains(letter))
                    unled << top->objectName() + ": Alt+" + letter + " for " + keys[letter] +
                                 " and " + text;
                keys[letter] = text;
            }
        }
    }
    // The width a text needs: widest line without the mnemonic's '&', with icon and margins
    // (wrapped and rich text is laid out by the label; icon-only tool buttons show no text).
    static int needs(QWidget* w, const QString& text)
    {
        int room = 0;
        for (const QString& line : QString(text).remove(QRegularExpression("&(?!&)")).split('\n'))
            room = std::max(room, w->fontMetrics().horizontalAdvance(line));
        auto* tool = qobject_cast<QToolButton*>(w);
        if (auto* label = qobject_cast<QLabel*>(w))
            return label->wordWrap() || Qt::mightBeRichText(text)
                       ? 0
                       : room + 2 * label->margin() + std::max(0, label->indent());
        if (tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly)
            return 0;
        const auto* button = qobject_cast<QAbstractButton*>(w);
        const auto metric = [w](QStyle::PixelMetric m) {
            return w->style()->pixelMetric(m, nullptr, w);
        };
        room += button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w))
            return room + metric(QStyle::PM_IndicatorWidth) +
                   metric(QStyle::PM_CheckBoxLabelSpacing);
        return tool ? room : room + metric(QStyle::PM_ButtonMargin);
    }
    void checkLayout(QLayout* layout)
    {
        for (int i = 0; i + 1 < layout->count(); ++i) {
            auto* label = qobject_cast<QLabel*>(layout->itemAt(i)->widget());
            QWidget* field = layout->itemAt(i + 1)->widget();
            if (!label || !label->isVisible() || !field || !field->isVisible() ||
                !(qobject_cast<QLineEdit*>(field) || qobject_cast<QAbstractSpinBox*>(field) ||
                  qobject_cast<QComboBox*>(field)))
                continue;
            if (label->buddy() != field || QKeySequence::mnemonic(label->text()).isEmpty())
                unled << label->window()->objectName() + ": " + label->text() + " -> " +
                             field->objectName();
        }
    }
    void walkDialog(QAction* opens)
    {
        QTimer::singleShot(0, [this] {
            walk();
            walkLabels();
            qobject_cast<QDialog*>(QApplication::activeModalWidget())->reject();
        });
        opens->trigger();
    }
};

bool press(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QApplication::setActiveWindow(window);
    if (!QTest::qWaitForWindowActive(window))
        return false;
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window, key,
                    modifiers);
    return true;
}
} // namespace

class TestPanelAccess : public QObject {
    Q_OBJECT
private slots:
    void everyFocusableControlIsNamed()
    {
        RecordingRig rig;
        QVERIFY(rig.start() && rig.record("walk.txt"));
        QTRY_VERIFY_WITH_TIMEOUT(rig.panel->state().RecordCount >= 2, 10000); // a line to plot
        FocusWalk focus;
        for (const char* key : {"Analog", "Digital", "Graph", "Graph2", "List", "Alarm", "TimeSet",
                                "Survey", "SaveStop", "Memory"})
            rig.panel->toolbarClick(key);
        rig.panel->memoryWindow()->downloadSet(1);
        rig.dialogs.fileAnswers << rig.file("walk.txt");
        rig.panel->toolbarClick("Open");
        rig.panel->fileList()->findChild<QToolBar*>()->findChild<QAction*>("Plot")->trigger();
        QVERIFY(rig.panel->listPlot()->window() && rig.panel->dataList());
        for (QWidget* chart : {(QWidget*)rig.panel->stripChart()->window(),
                               (QWidget*)rig.panel->listPlot()->window()})
            chart->findChild<QAction*>("MnuLimit")->trigger(); // their range dialogs
        auto* port = new PortWindow(ui::PortBindings{});
        port->show();
        focus.walk();
        focus.walkLabels();
        focus.walkDialog(rig.panel->fileList()->findChild<QAction*>("Report"));
        focus.walkDialog(rig.panel->surveyWindow()->findChild<QAction*>("ActDetails"));
        port->close();
        qInfo("focusable controls without an accessible name: %lld of %lld",
              qint64(focus.unnamed.size()), qint64(focus.seen.size()));
        QVERIFY2(focus.unnamed.isEmpty(), qPrintable(focus.unnamed.join('\n')));
        QVERIFY(focus.seen.size() > 80);
        QVERIFY2(focus.clipped.isEmpty(), qPrintable(focus.clipped.join('\n')));
        QVERIFY2(focus.unled.isEmpty(), qPrintable(focus.unled.join('\n')));
    }

    // With keys alone: Tab in reading order, a recording, every view and the Memory window open
    // (each readout saying the reading) and close again.
    void keyboardOnly()
    {
        RecordingRig rig;
        QVERIFY(rig.start() && rig.ticks(1));
        Panel* panel = rig.panel.get();
        rig.w<QWidget>("CmdHold")->setFocus();
        QStringList keys;
        for (int i = 0; i < 5 && press(panel, Qt::Key_Tab); ++i)
            keys << QApplication::focusWidget()->objectName();
        QCOMPARE(keys, (QStringList{"CmdGauss", "CmdRange", "CmdTesla", "CmdPeak", "SaveStop"}));
        rig.dialogs.fileAnswers << rig.file("keys.txt");
        QVERIFY(press(panel, Qt::Key_R, Qt::ControlModifier) && panel->state().RecordingOn);
        rig.meter.setField(123.4);
        QTRY_VERIFY_WITH_TIMEOUT(panel->shownValue().startsWith("123.4"), 10000);
        const QList<std::tuple<Qt::Key, Qt::KeyboardModifiers, std::function<QWidget*()>,
                               std::function<QWidget*()>>>
            opens = {
                {Qt::Key_N, Qt::ControlModifier, [=] { return panel->analogGauge(); },
                 [=] { return panel->analogGauge()->face(); }},
                {Qt::Key_G, Qt::ControlModifier, [=] { return panel->stripChart()->window(); },
                 [=] { return panel->stripChart()->window()->canvas(); }},
                {Qt::Key_G, Qt::ControlModifier | Qt::ShiftModifier,
                 [=] { return panel->recordGraph(); },
                 [=] { return panel->recordGraph()->findChild<QWidget*>("CWGraph1"); }},
                {Qt::Key_D, Qt::NoModifier, [=] { return panel->digitalDisplay(); },
                 [=] { return panel->digitalDisplay()->findChild<QWidget*>("LblValue"); }},
                {Qt::Key_L, Qt::ControlModifier, [=] { return panel->liveTable(); }, {}},
                {Qt::Key_M, Qt::ControlModifier, [=] { return panel->memoryWindow(); }, {}},
                {Qt::Key_K, Qt::ControlModifier, [=] { return panel->findChild<RTCSetup*>(); }, {}},
            };
        for (const auto& [key, mods, window, readout] : opens) {
            if (key == Qt::Key_D) { // no button: the View menu, by its mnemonic
                QVERIFY(press(panel, Qt::Key_V, Qt::AltModifier));
                QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
                QTest::keyClick(QApplication::activePopupWidget(), key);
            } else {
                QVERIFY(press(panel, key, mods));
            }
            QPointer<QWidget> w = window();
            QVERIFY2(w && w->isVisible(), qPrintable(QKeySequence(key | mods).toString()));
            if (readout) {
                const QString reading = panel->shownValue().trimmed() + " " + panel->shownUnit();
                QTRY_COMPARE(said(readout(), QAccessible::Description), reading);
                QVERIFY(!said(readout()).isEmpty());
            }
            QVERIFY(press(w, Qt::Key_Escape));
            QTRY_VERIFY(!w || !w->isVisible());
        }
        QCOMPARE(said(rig.w("LblValue"), QAccessible::Description), QString("123.4 mG"));
        QVERIFY(press(panel, Qt::Key_R, Qt::ControlModifier) && !panel->state().RecordingOn);

        // The Port window takes the port typed with Enter (it is no dialog with a default button).
        QPointer<PortWindow> port = new PortWindow(ui::PortBindings{});
        QSignalSpy chosen(port.data(), &PortWindow::chosen);
        port->show();
        port->findChild<QComboBox*>()->lineEdit()->setText("COM3");
        QVERIFY(press(port, Qt::Key_Enter));
        QCOMPARE(chosen.value(0).value(0).toInt(), 3);
    }

    // The face's text colours against their backgrounds; OVER and UNDER are words, not a colour.
    void faceIsLegible()
    {
        QCOMPARE(qRound(ui::contrastRatio(Qt::white, Qt::black) * 100), 2100);
        QCOMPARE(qRound(ui::contrastRatio(QColor("#777777"), Qt::white) * 100), 448);
        QCOMPARE(qRound(ui::contrastRatio(Qt::red, Qt::blue) * 100), 215);
        QCOMPARE(ui::readingText(" ", "mG"), QString("no reading"));
        for (const FaceInk& ink : Panel::faceInks())
            QVERIFY2(ui::contrastRatio(QColor(QString(ink.text)),
                                       QColor(QString(ink.background))) >= ui::TextContrast,
                     ink.what);
        RecordingRig rig;
        QVERIFY(rig.start());
        QCOMPARE(rig.text("OverText1") + rig.text("OverText2"), QString("OVERUNDER"));
        for (const FaceInk& ink : Panel::faceInks())
            QVERIFY(rig.w<QWidget>("Body")->styleSheet().contains(ink.text));
    }
};

QTEST_MAIN(TestPanelAccess)
#include "tst_panel_access.moc"
