// SPDX-License-Identifier: GPL-3.0-or-later
// The Survey window driven by its controls: rooms and points, places on the plan, attached
// recordings, sessions, undo, its file; and a spot measurement from the virtual meter through
// the panel while the panel records.

#include "records/RecordFile.h"
#include "support/PanelRig.h"
#include "survey/FloorPlanView.h"
#include "survey/SurveyDetailsDialog.h"
#include "survey/SurveyWindow.h"

#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QDateEdit>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

using namespace veltrix;
using namespace veltrix::survey;
using veltrix::test::ScriptedDialogs;

namespace {

// A record file of readings in mG one second apart from 10:00:00.
QByteArray recordFile(const QList<double>& values)
{
    QStringList rows;
    for (int i = 0; i < values.size(); ++i)
        rows << QStringLiteral("%1\t26/12/05\t10:00:%2\t%3\tmG\t\t")
                    .arg(i + 1)
                    .arg(i, 2, 10, QChar(u'0'))
                    .arg(values[i], 0, 'f', 1);
    return tableFileBytes(rows);
}

struct WindowRig {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    SurveyWindow window{nullptr};

    WindowRig() { window.show(); }
    template <class T = QPushButton> T* w(const char* name)
    {
        return window.findChild<T*>(QString::fromLatin1(name));
    }
    void click(const char* name) { w(name)->click(); }
    void act(const char* name) { w<QAction>(name)->trigger(); }
    QString file(const char* name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(QString::fromLatin1(name));
        test::writeFile(path, bytes);
        return path;
    }
    // Adds a room or point named `name` through its button.
    void add(const char* button, const QString& name)
    {
        dialogs.inputAnswers << name;
        click(button);
    }
    void attach(const QByteArray& records)
    {
        dialogs.fileAnswers << file("rec.txt", records);
        click("CmdAttachRecording");
    }
    void chooseSession(int index)
    {
        w<QComboBox>("ComboSession")->setCurrentIndex(index);
        emit w<QComboBox>("ComboSession")->activated(index);
    }
    QTreeWidgetItem* pointItem(int room, int point)
    {
        return w<QTreeWidget>("TreePoints")->topLevelItem(room)->child(point);
    }
    // Two rooms, of two points and one; the first point placed and measured.
    QString build()
    {
        add("CmdAddRoom", "Bedroom");
        add("CmdAddPoint", "Bed head");
        const QString bed = window.chosenPointId();
        add("CmdAddPoint", "Cot");
        add("CmdAddRoom", "Office");
        add("CmdAddPoint", "Desk");
        window.choose(bed);
        FloorPlanView* plan = window.floorPlan();
        QTest::mouseClick(plan, Qt::LeftButton, {}, plan->markerCentre({0.25, 0.5}).toPoint());
        attach(recordFile({2.0, 3.0, 4.0, 3.0, 2.5}));
        return bed;
    }
    QRgb markerPixel(const QPointF& at)
    {
        return window.floorPlan()->grab().toImage().pixel(
            window.floorPlan()->markerCentre(at).toPoint());
    }
};

} // namespace

class TestSurveyWindow : public QObject {
    Q_OBJECT
private slots:
    // Rooms and points, a place, figures and bands in two sessions, undo, save and reopen.
    void editsAndRoundTrip()
    {
        WindowRig rig;
        // A point's commands wait for a point; the tree's commands sit in a row below it.
        QVERIFY(!rig.w("CmdAttachRecording")->isEnabled());
        for (const char* name : {"CmdAddRoom", "CmdDelete"})
            QVERIFY(rig.w(name)->geometry().top() >=
                    rig.w<QTreeWidget>("TreePoints")->geometry().bottom());
        const QString bed = rig.build();
        const Survey& s = rig.window.survey();
        QCOMPARE(s.rooms.size(), 2);
        QCOMPARE(s.rooms[0].points.size(), 2);
        QCOMPARE(rig.pointItem(1, 0)->text(0), QString("3. Desk"));
        const QPointF at = *s.point(bed)->position;
        const double pixel = 1.0 / rig.window.floorPlan()->planRect().width();
        QVERIFY2(qAbs(at.x() - 0.25) <= pixel && qAbs(at.y() - 0.5) <= pixel,
                 qPrintable(QString("%1 %2").arg(at.x()).arg(at.y())));

        // Figures in the tree, the panel and the marker's colour of its band.
        const stats::Reference* guidance = stats::findReference(s.guidance, s.mains);
        const auto before = pointFigures(*s.point(bed), beforeSession(), guidance);
        QVERIFY(before && before->band);
        const QString max = stats::figureText(4.0, s.unit, before->statistics.resolution);
        QCOMPARE(rig.pointItem(0, 0)->text(2), max);
        QCOMPARE(rig.pointItem(0, 0)->text(4).endsWith(before->bandName), true);
        QVERIFY(rig.w<QLabel>("LblFigures")->text().contains(max));
        const int bands = bandCount(guidance);
        QCOMPARE(rig.pointItem(0, 0)->background(4).color().rgb() & 0xffffff,
                 bandRgb(before->band, bands));
        QCOMPARE(rig.markerPixel(at) & 0xffffff, bandRgb(before->band, bands));

        // "after": nothing yet (a grey marker), then a lower reading in a band of its own.
        rig.chooseSession(1);
        QCOMPARE(rig.window.session(), afterSession());
        QCOMPARE(rig.w<QComboBox>("ComboSession")->currentText(), afterSession());
        QCOMPARE(rig.pointItem(0, 0)->text(2), QString());
        QCOMPARE(rig.markerPixel(at) & 0xffffff, bandRgb(std::nullopt, bands));
        rig.attach(recordFile({0.1, 0.1, 0.1}));
        const auto after = pointFigures(*s.point(bed), afterSession(), guidance);
        QVERIFY(after && after->band && *after->band < *before->band);
        QCOMPARE(rig.markerPixel(at) & 0xffffff, bandRgb(after->band, bands));
        rig.dialogs.inputAnswers << "night";
        rig.chooseSession(2);
        QCOMPARE(s.sessions.last(), QString("night"));
        QCOMPARE(rig.window.session(), QString("night"));

        // A plan and a photo in PNG are shown; anything else is refused.
        QImage picture(60, 30, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QByteArray png;
        QBuffer buffer(&png);
        QVERIFY(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "PNG"));
        rig.dialogs.fileAnswers << rig.file("plan.png", png) << rig.file("photo.png", png)
                                << rig.file("bad.png", "GIF89a");
        rig.act("ActOpenPlan");
        rig.click("CmdAddPhoto");
        rig.click("CmdAddPhoto");
        QCOMPARE(s.plan.image, png);
        QCOMPARE(s.point(bed)->photo, png);
        QVERIFY(!rig.w<QLabel>("LblPhoto")->pixmap().isNull());
        const QRectF plan = rig.window.floorPlan()->planRect();
        QCOMPARE(qRound(plan.width() / plan.height()), 2);
        const QPoint inside = plan.topLeft().toPoint() + QPoint(3, 3);
        QCOMPARE(rig.window.floorPlan()->grab().toImage().pixel(inside) & 0xffffff, 0x0000ffu);
        QCOMPARE(rig.dialogs.messages.size(), 1);

        // A file that is not a record file is refused; nothing is added.
        const int messages = rig.dialogs.messages.size();
        rig.attach("just some text\r\n");
        QCOMPARE(rig.dialogs.messages.size(), messages + 1);
        QCOMPARE(s.point(bed)->measurements.size(), 2);

        // Delete the point and undo it: back with its place and measurements.
        const QByteArray whole = toJson(s);
        rig.window.choose(bed);
        rig.click("CmdDelete");
        QVERIFY(!s.point(bed));
        QCOMPARE(rig.window.floorPlan()->markers().size(), 0);
        rig.act("ActUndo");
        QCOMPARE(toJson(s), whole);
        QCOMPARE(rig.window.floorPlan()->markers().size(), 1);

        // A measurement deleted and brought back.
        rig.window.choose(bed);
        rig.w<QListWidget>("ListMeasurements")->setCurrentRow(0);
        rig.click("CmdDeleteMeasurement");
        QCOMPARE(s.point(bed)->measurements.size(), 1);
        rig.act("ActUndo");
        QCOMPARE(toJson(s), whole);

        // Saved (once where it cannot be: said, still changed) and reopened with every value.
        const QString path = rig.dir.filePath("site.vsurvey");
        rig.dialogs.fileAnswers << rig.dir.filePath("none/site") << path;
        rig.act("ActSave");
        QCOMPARE(rig.dialogs.messages.size(), messages + 2);
        QVERIFY(rig.window.isWindowModified() && rig.window.filePath().isEmpty());
        rig.act("ActSave");
        QVERIFY(!rig.window.isWindowModified());
        QString error;
        const auto loaded = load(path, &error);
        QVERIFY2(loaded, qPrintable(error));
        QCOMPARE(toJson(*loaded), whole);
        rig.act("ActNew");
        QCOMPARE(rig.window.survey().rooms.size(), 0);
        rig.dialogs.fileAnswers << path;
        rig.act("ActOpen");
        QCOMPARE(toJson(rig.window.survey()), whole);
        QCOMPARE(rig.window.filePath(), path);
        QVERIFY(!rig.w("CmdMeasure")->isEnabled()); // no meter

        // The report, and one that cannot be written (its folder is not there).
        const QString pdf = rig.dir.filePath("site.pdf");
        rig.dialogs.fileAnswers << pdf << rig.dir.filePath("none/site.pdf");
        rig.act("ActReport");
        QProcess text;
        text.start("pdftotext", {pdf, "-"});
        QVERIFY(text.waitForFinished(20000));
        QVERIFY(QString::fromUtf8(text.readAllStandardOutput()).contains("Bed head"));
        rig.act("ActReport");
        QCOMPARE(rig.dialogs.messages.size(), messages + 3);
    }

    // The dialog shows what the survey holds (OK unchanged keeps every field) and puts its
    // fields back.
    void details()
    {
        Survey s = newSurvey();
        s.details.client = "J. Client";
        s.mains = stats::Mains::Hz60;
        s.unit = stats::FigureUnit::MilliGauss;
        s.visitFrom = QDate(2026, 3, 2);
        s.visitTo = QDate(2026, 3, 3);
        s.method = "1 m above the floor";
        Survey kept = s;
        SurveyDetailsDialog(s).applyTo(kept);
        QCOMPARE(toJson(kept), toJson(s));
        SurveyDetailsDialog dialog(s);
        dialog.show(); // OK and Cancel below the last field
        QVERIFY(dialog.findChild<QWidget*>("Buttons")->geometry().top() >=
                dialog.findChild<QWidget*>("TxtConclusion")->geometry().bottom());
        dialog.findChild<QLineEdit*>("TxtSite")->setText(" 12 Elm Road ");
        auto* mains = dialog.findChild<QComboBox*>("CboMains");
        mains->setCurrentIndex(mains->findData(int(stats::Mains::Hz50)));
        dialog.findChild<QDateEdit*>("DateTo")->setDate(QDate(2026, 3, 1)); // before the start
        auto* unit = dialog.findChild<QComboBox*>("CboUnit");
        unit->setCurrentIndex(unit->findData(int(stats::FigureUnit::NanoTesla)));
        dialog.applyTo(s);
        QCOMPARE(s.details.site, QString("12 Elm Road"));
        QCOMPARE(s.mains, stats::Mains::Hz50);
        QCOMPARE(s.guidance, newSurvey().guidance); // kept across the mains change
        QCOMPARE(s.visitTo, QDate(2026, 3, 2));
        QCOMPARE(s.unit, stats::FigureUnit::NanoTesla);
    }

    // A file that cannot be opened is named as such; the window's survey stays as it was.
    void refusedFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("damaged") << "damaged";
        QTest::newRow("newer version") << "newer";
        QTest::newRow("not a survey") << "other";
    }
    void refusedFiles()
    {
        QFETCH(QString, kind);
        WindowRig rig;
        rig.build();
        QByteArray bytes = toJson(rig.window.survey());
        if (kind == "damaged") {
            bytes.chop(bytes.size() / 3);
        } else if (kind == "newer") {
            QJsonObject o = QJsonDocument::fromJson(bytes).object();
            o[QStringLiteral("version")] = FormatVersion + 1;
            bytes = QJsonDocument(o).toJson();
        } else {
            bytes = recordFile({1.0});
        }
        const QByteArray shown = toJson(rig.window.survey());
        rig.dialogs.messageAnswers << ui::MsgResult::Ok; // discard the changes
        rig.dialogs.fileAnswers << rig.file("bad.vsurvey", bytes);
        rig.act("ActOpen");
        QCOMPARE(rig.dialogs.messages.size(), 2);
        QVERIFY2(rig.dialogs.messages.last().contains("bad.vsurvey"),
                 qPrintable(rig.dialogs.messages.last()));
        QCOMPARE(toJson(rig.window.survey()), shown);
        QVERIFY(rig.window.isWindowModified());
    }

    // From the panel's toolbar, a spot measurement of 2 s while the panel records every sample.
    void measureWhileRecording()
    {
        test::RecordingRig rig;
        QVERIFY(rig.start() && rig.ticks(2));
        QVERIFY(rig.record("rec.txt"));
        rig.w<QAction>("Survey")->trigger();
        SurveyWindow* window = rig.panel->surveyWindow();
        QVERIFY(window && window->isVisible());
        const auto button = [&](const char* name) { return window->findChild<QPushButton*>(name); };
        rig.dialogs.inputAnswers << "Kitchen"
                                 << "Cooker";
        button("CmdAddRoom")->click();
        button("CmdAddPoint")->click();
        const QString id = window->chosenPointId();
        QPushButton* measure = button("CmdMeasure");
        QVERIFY(measure->isEnabled());
        measure->click(); // 30 s, cancelled: nothing stored
        QVERIFY(window->measuring());
        button("CmdCancelMeasure")->click();
        QVERIFY(!window->measuring() && measure->isEnabled());
        window->findChild<QSpinBox*>("SpinMeasureSeconds")->setValue(2);
        QSignalSpy stored(window, &SurveyWindow::measurementStored);
        measure->click();
        QVERIFY(!measure->isEnabled());
        auto* sessions = window->findChild<QComboBox*>("ComboSession"); // stored where it began
        emit sessions->activated(1);
        QVERIFY(stored.wait(10000));
        QVERIFY(measure->isEnabled());
        QTRY_VERIFY(rig.panel->state().RecordCount >= 4);
        rig.panel->toolbarClick("SaveStop");

        const QList<Measurement>& ms = window->survey().point(id)->measurements;
        QCOMPARE(ms.size(), 1);
        rig.w<QAction>("MnuToolsSurvey")->trigger(); // the one window, from the menu too
        QCOMPARE(rig.panel->surveyWindow(), window);
        QCOMPARE(ms[0].kind, MeasurementKind::Spot);
        QCOMPARE(ms[0].session, beforeSession());
        const QStringList rows = ms[0].rows();
        QVERIFY2(rows.size() >= 2 && rows.size() <= 4, qPrintable(rows.join('|')));
        QString why;
        const int recorded = test::completeRecords(rig.file("rec.txt"), &why, true);
        QVERIFY2(recorded >= rows.size() + 1, qPrintable(why));
        // Every sample measured is a sample the recording holds.
        QStringList bodies;
        for (const QString& line : test::fileLines(rig.file("rec.txt")).mid(1))
            bodies << line.section('\t', 1, 4);
        for (const QString& row : rows)
            QVERIFY2(bodies.contains(row.section('\t', 1, 4)), qPrintable(row));

        // The meter goes silent mid-measurement: nothing stored, the user told; back once it
        // answers again. (The panel waits for it inside its tick: looked at from its notice.)
        measure->click();
        const int messages = rig.dialogs.messages.size();
        bool cancelled = false;
        connect(rig.panel.get(), &Panel::linkStateChanged, this, [&](bool lost) {
            if (!lost)
                return;
            cancelled = !window->measuring() && !measure->isEnabled() &&
                        rig.dialogs.messages.size() == messages + 1;
            QTimer::singleShot(300, &rig.meter, [&] { rig.meter.setSilent(false); });
        });
        rig.meter.setSilent(true);
        QTRY_VERIFY_WITH_TIMEOUT(cancelled, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(measure->isEnabled(), 10000);
        QCOMPARE(window->survey().point(id)->measurements.size(), 1);
    }
};

QTEST_MAIN(TestSurveyWindow)
#include "tst_survey_window.moc"
