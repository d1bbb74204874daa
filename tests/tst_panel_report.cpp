// A survey report as a user writes one from the panel: a set downloaded from the virtual meter
// over the pseudo-terminal, Report… on its Data List, the PDF read back with pdftotext.

#include "logger/DataList.h"
#include "logger/MemoryWindow.h"
#include "records/ReportDialog.h"
#include "support/PanelRig.h"
#include "support/ScriptedDialogs.h"
#include "ui/Grid.h"

#include <QAction>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

using namespace veltrix;
using veltrix::test::PanelRig;

class TestPanelReport : public QObject {
    Q_OBJECT
private slots:
    void reportOfADownloadedSet()
    {
        QTemporaryDir dir;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.filePath("settings"));
        PanelRig rig;
        QPointer<MemoryWindow> memory;
        QVERIFY(rig.openMemory(memory));
        memory->downloadSet(1);
        QPointer<DataList> list = memory->dataList();
        QVERIFY(list && list->grid().rowCount() > 0);
        const QString id = memory->findChild<QLineEdit*>("TxtIDCode")->text();
        QVERIFY(!id.isEmpty());

        // The meter's model and the ID code the Memory window read are filled in.
        test::ScriptedDialogs dialogs;
        const QString pdf = dir.filePath("set1.pdf");
        dialogs.fileAnswers << pdf;
        QString meter;
        QTimer::singleShot(0, list, [&] {
            auto* dialog = list->findChild<ReportDialog*>("ReportDialog");
            if (!dialog)
                return;
            meter = dialog->findChild<QLineEdit*>("TxtMeter")->text();
            dialog->findChild<QLineEdit*>("TxtSite")->setText("Workshop");
            if (!dialog->write())
                dialog->reject();
        });
        list->findChild<QAction*>("Report")->trigger();
        QCOMPARE(meter, "Model 4627, ID code " + id);

        QProcess p;
        p.start("pdftotext", {pdf, "-"});
        QVERIFY(p.waitForFinished(30000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(text.contains("Workshop") && text.contains("Model 4627, ID code " + id) &&
                     text.contains("Data List: " + list->title()->text().simplified()),
                 qPrintable(text.left(2000)));
    }
};

QTEST_MAIN(TestPanelReport)
#include "tst_panel_report.moc"
