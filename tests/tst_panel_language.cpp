// SPDX-License-Identifier: GPL-3.0-or-later
// The panel in the language asked for: German keys, menus, tool tips and messages with the German
// translation installed, the English texts letter for letter without it.

#include "records/FileList.h"
#include "records/RecordFile.h"
#include "support/PanelRig.h"
#include "support/TestFiles.h"
#include "ui/Grid.h"
#include "ui/Language.h"
#include "ui/LocaleText.h"
#include "ui/NumEdit.h"
#include "ui/SerialLine.h"
#include "views/Digital.h"

#include <QMenuBar>
#include <QRegularExpression>
#include <QTranslator>

using namespace veltrix;

class TestPanelLanguage : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        for (QTranslator* t : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
        qunsetenv("VELTRIX_LANGUAGE");
        QLocale::setDefault(QLocale::c());
        ui::setDisplayLocale(QLocale::c());
    }

    void texts_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("german");
        QTest::addColumn<QStringList>("texts"); // key, menu, tool, message, Qt's own button
        const QStringList german{"Halten", "&Ansicht", "Datenlogger",
                                 "Kein Gerät gefunden, bitte erneut versuchen!\nDer Zugriff",
                                 "Abbrechen"};
        const QStringList english{"Hold", "&View", "Data Logger",
                                  "No device found, try again!\nPermission to open", "Cancel"};
        QTest::newRow("de") << "de" << true << german;
        QTest::newRow("de_AT.UTF-8") << "de_AT.UTF-8" << true << german;
        QTest::newRow("en") << "en" << false << english;
        QTest::newRow("fr: none of ours") << "fr" << false << english;
    }
    // Forced as a user or test would (VELTRIX_LANGUAGE), the panel built afterwards.
    void texts()
    {
        QFETCH(QString, language);
        QFETCH(bool, german);
        QFETCH(QStringList, texts);
        qputenv("VELTRIX_LANGUAGE", language.toUtf8());
        QCOMPARE(ui::chosenLanguage(), language);
        QCOMPARE(ui::installTranslators(*qApp), german);

        test::PanelRig rig;
        QVERIFY(rig.start());
        QCOMPARE(rig.w<QPushButton>("CmdHold")->text(), texts[0]);
        QStringList menus;
        for (const QAction* menu : rig.panel->menuBar()->actions())
            menus << menu->text();
        QVERIFY2(menus.contains(texts[1]), qPrintable(menus.join(u' ')));
        QCOMPARE(rig.panel->findChild<QAction*>(QStringLiteral("Memory"))->text(), texts[2]);
        QVERIFY2(Panel::startUpFailureText(ui::OpenError::PermissionDenied, {}).startsWith(texts[3]),
                 qPrintable(Panel::startUpFailureText(ui::OpenError::PermissionDenied, {})));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), texts[4]);
        QCOMPARE(rig.text("LblField") + '|' + rig.text("LblType") + '|' + rig.text("LblSample"),
                 german ? "Elektromagnetisches Feld|Datenaufzeichnung|2 s"
                        : "ElectroMagnetic Field|Data Logging|2 sec");
    }

    void figures_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("shown"); // reading, record table's date, number field
        QTest::newRow("de") << "de" << QStringList{"123,4", "\\d\\d\\.\\d\\d\\.20\\d\\d", "0,50"};
        QTest::newRow("en") << "en" << QStringList{"123.4", "\\d\\d/\\d\\d/\\d\\d", "0.50"};
    }
    // The reading, the file table and a number field in the language's form, while the record
    // file keeps its '.' and "yy/MM/dd" and Copy takes the cells as recorded.
    void figures()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, shown);
        ui::installTranslators(*qApp, language);
        test::RecordingRig rig;
        QVERIFY(rig.start() && rig.record("r.txt"));
        rig.meter.setField(123.4);
        QTRY_COMPARE_WITH_TIMEOUT(rig.text("LblValue"), shown[0], 10000);
        QTRY_VERIFY_WITH_TIMEOUT(rig.panel->state().RecordCount >= 2, 10000);
        rig.panel->toolbarClick("Digital");
        QTRY_COMPARE_WITH_TIMEOUT(rig.panel->findChild<Digital*>()->valueText(), shown[0], 10000);
        rig.panel->stopRecording();
        const QByteArray bytes = test::fileBytes(rig.file("r.txt"));
        QVERIFY2(!bytes.contains(',') && bytes.contains("\t123.4\t"), bytes.left(200));

        rig.dialogs.fileAnswers << rig.file("r.txt");
        rig.panel->toolbarClick("Open");
        QTRY_VERIFY(rig.panel->fileList() && rig.panel->fileList()->findChild<ui::Grid*>());
        ui::GridModel* table = rig.panel->fileList()->findChild<ui::Grid*>()->model();
        const int last = table->dataRows();
        const auto shownCell = [&](int c) { return table->index(last - 1, c).data().toString(); };
        QVERIFY2(QRegularExpression("^" + shown[1] + "$").match(shownCell(DateCell)).hasMatch(),
                 qPrintable(shownCell(DateCell)));
        QCOMPARE(shownCell(ValueCell).trimmed(), shown[0]);
        QVERIFY(bytes.contains(table->cell(last, DateCell).toLatin1() + '\t'));
        QCOMPARE(table->cell(last, ValueCell).trimmed(), "123.4");

        ui::NumEdit edit(ui::NumEdit::Display::Number);
        edit.setValue(0.5);
        QCOMPARE(edit.text(), shown[2]);
        edit.setText(u'1' + shown[2].mid(1, 1) + "25"); // "1,25" or "1.25"
        emit edit.editingFinished();
        QCOMPARE(edit.value(), 1.25);
    }
};

QTEST_MAIN(TestPanelLanguage)
#include "tst_panel_language.moc"
