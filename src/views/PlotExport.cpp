// SPDX-License-Identifier: GPL-3.0-or-later
// The plot window's way out: printing the window's picture, and exporting the visible samples as
// CSV or the chart as a PNG picture. The layout and the track modes are in PlotWindow.cpp.

#include "views/PlotWindow.h"

#include "ui/Dialogs.h"
#include "ui/Graph.h"
#include "ui/PrintDialog.h"
#include "ui/SaveFile.h"
#include "ui/WindowPicture.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLayout>
#include <QPointer>
#include <QPrinter>
#include <QSaveFile>
#include <QScopeGuard>

namespace veltrix {

namespace {
const QString ExportFilter = QStringLiteral("CSV Files (*.csv)|*.csv|PNG Pictures (*.png)|*.png|");
} // namespace

struct PlotWindow::PrintLayout {
    QSize size;
    QColor colour;
    bool autoFill = false;
    QPalette palette;
    QString frameTitle;
    bool frameFlat = false;
};

PlotWindow::PrintLayout PlotWindow::enterPrintLayout()
{
    PrintLayout saved{size(),    CWGraph1->colour(),  autoFillBackground(),
                      palette(), FrmGraphic->title(), FrmGraphic->isFlat()};
    // On paper: a white page, no frame around the chart and the chart on white.
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    FrmGraphic->setTitle(QString());
    FrmGraphic->setFlat(true);
    CWGraph1->setColour(Qt::white);
    resize(qMax(width(), 770), height());
    return saved;
}

void PlotWindow::leavePrintLayout(const PrintLayout& saved)
{
    CWGraph1->setColour(saved.colour);
    FrmGraphic->setFlat(saved.frameFlat);
    FrmGraphic->setTitle(saved.frameTitle);
    setAutoFillBackground(saved.autoFill);
    setPalette(saved.palette);
    resize(saved.size);
}

bool PlotWindow::print()
{
    QPointer<PlotWindow> self(this);
    QPrinter printer(QPrinter::HighResolution);
    const bool chosen = ui::runPrintDialog(printer, this);
    if (!self || !chosen)
        return false; // cancelled: nothing printed, nothing changed
    QImage picture;
    {
        // The window goes back to how it was whatever happens while it is in its print layout.
        const PrintLayout saved = enterPrintLayout();
        const auto restore = qScopeGuard([this, &saved] { leavePrintLayout(saved); });
        if (QLayout* l = layout())
            l->activate();
        picture = grab().toImage();
    }
    if (!ui::PicturePrinter::paint(printer, picture)) {
        const QString where = printer.outputFileName().isEmpty()
                                  ? printer.printerName()
                                  : QDir::toNativeSeparators(printer.outputFileName());
        ui::Dialogs::current().message(this, tr("The plot could not be printed on %1.").arg(where),
                                       ui::MsgButtons::Ok, ui::MsgIcon::Critical);
        return false;
    }
    return true;
}

bool PlotWindow::exportCsv(const QString& path, QString* error)
{
    QSaveFile file(path);
    const QByteArray csv = plotCsv(m_samples, CWGraph1->axisMinimum(ui::Graph::XAxis),
                                   CWGraph1->axisMaximum(ui::Graph::XAxis), m_unit);
    if (file.open(QIODevice::WriteOnly) && file.write(csv) == csv.size() && ui::commitWhole(file))
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

bool PlotWindow::exportView()
{
    QPointer<PlotWindow> self(this);
    auto path = ui::Dialogs::current().saveFile(this, ExportFilter);
    if (!self || !path || path->isEmpty())
        return false;
    QString error;
    bool ok = false;
    if (QFileInfo(*path).suffix().compare(QStringLiteral("png"), Qt::CaseInsensitive) == 0) {
        ok = ui::writePicture(CWGraph1->picture(), *path, &error);
    } else {
        if (QFileInfo(*path).suffix().isEmpty())
            *path += QStringLiteral(".csv");
        ok = exportCsv(*path, &error);
    }
    if (!ok) {
        ui::Dialogs::current().message(this,
                                       tr("The file %1 could not be written (%2).")
                                           .arg(QDir::toNativeSeparators(*path), error),
                                       ui::MsgButtons::Ok, ui::MsgIcon::Critical);
    }
    return ok;
}

} // namespace veltrix
