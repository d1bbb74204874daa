// SPDX-License-Identifier: GPL-3.0-or-later
// The panel in the language asked for: German keys, menus, tool tips and messages with the German
// translation installed, the English texts letter for letter without it.

#include "support/PanelRig.h"
#include "ui/Language.h"
#include "ui/SerialLine.h"

#include <QMenuBar>
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
};

QTEST_MAIN(TestPanelLanguage)
#include "tst_panel_language.moc"
