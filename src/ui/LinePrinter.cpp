// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LinePrinter.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QObject>
#include <QPainter>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <utility>

namespace veltrix::ui {

LinePrinter::LinePrinter() = default;

LinePrinter::LinePrinter(const QString& pdfPath) : m_pdfPath(pdfPath) {}

LinePrinter::~LinePrinter() = default;

void LinePrinter::printLine(const QString& line)
{
    m_lines << line;
}

QFont LinePrinter::listingFont()
{
    QFont font(QStringLiteral("DejaVu Sans Mono"), 10);
    font.setStyleHint(QFont::Monospace);
    if (!QFontInfo(font).fixedPitch()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSize(10);
    }
    return font;
}

int LinePrinter::paint(QPrinter& printer, const QStringList& lines)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    const QFont font = listingFont();
    painter.setFont(font);
    const QFontMetrics metrics(font, &printer);
    const int lineHeight = std::max(1, metrics.lineSpacing());
    const int pageHeight = printer.height();
    const int perPage = std::max(1, pageHeight / lineHeight);

    int pages = 1;
    int onPage = 0;
    for (const QString& line : lines) {
        if (onPage == perPage) {
            if (!printer.newPage())
                break;
            ++pages;
            onPage = 0;
        }
        painter.drawText(0, onPage * lineHeight + metrics.ascent(), line);
        ++onPage;
    }
    if (!painter.end())
        return 0;
    return pages;
}

bool LinePrinter::endJob(QWidget* parent)
{
    const QStringList lines = std::exchange(m_lines, {});
    m_error.clear();
    m_pages = 0;

    if (!m_pdfPath.isEmpty()) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_pdfPath);
        m_pages = paint(printer, lines);
        if (m_pages == 0)
            m_error = QObject::tr("The file %1 could not be written.").arg(m_pdfPath);
        return m_pages > 0;
    }

    const QPrinterInfo installed = QPrinterInfo::defaultPrinter();
    if (!installed.isNull()) {
        QPrinter printer(installed, QPrinter::HighResolution);
        m_pages = paint(printer, lines);
        if (m_pages == 0)
            m_error = QObject::tr("The printer %1 could not be used.").arg(installed.printerName());
        return m_pages > 0;
    }

    // No printer on this machine: let the user look at the listing and print it to a file.
    QPrinter printer(QPrinter::HighResolution);
    // On the heap and watched: the window it belongs to may be closed (and deleted) meanwhile.
    QPointer<QPrintPreviewDialog> preview = new QPrintPreviewDialog(&printer, parent);
    preview->setWindowTitle(QObject::tr("Print"));
    QObject::connect(preview.data(), &QPrintPreviewDialog::paintRequested, preview.data(),
                     [this, &lines](QPrinter* target) { m_pages = paint(*target, lines); });
    preview->exec();
    delete preview.data();
    return true;
}

} // namespace veltrix::ui
