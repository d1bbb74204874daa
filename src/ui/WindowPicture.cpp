// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowPicture.h"

#include "ui/Dialogs.h"
#include "ui/SaveFile.h"

#include <QDir>
#include <QFileInfo>
#include <QObject>
#include <QPainter>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

namespace veltrix::ui {

bool PicturePrinter::paint(QPrinter& printer, const QImage& picture)
{
    if (picture.isNull())
        return false;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect page = painter.viewport();
    QSize size = picture.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    const QRect target(page.x() + (page.width() - size.width()) / 2, page.y(), size.width(),
                       size.height());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture);
    return painter.end();
}

bool PicturePrinter::print(const QImage& picture, QWidget* parent)
{
    m_error.clear();
    if (!m_pdfPath.isEmpty()) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_pdfPath);
        if (!paint(printer, picture)) {
            m_error = QObject::tr("The file %1 could not be written.").arg(m_pdfPath);
            return false;
        }
        return true;
    }

    const QPrinterInfo installed = QPrinterInfo::defaultPrinter();
    if (!installed.isNull()) {
        QPrinter printer(installed, QPrinter::HighResolution);
        if (!paint(printer, picture)) {
            m_error = QObject::tr("The printer %1 could not be used.").arg(installed.printerName());
            return false;
        }
        return true;
    }

    // No printer on this machine: show the page and let the user print it to a file.
    QPrinter printer(QPrinter::HighResolution);
    // On the heap and watched: the window it belongs to may be closed (and deleted) meanwhile.
    QPointer<QPrintPreviewDialog> preview = new QPrintPreviewDialog(&printer, parent);
    preview->setWindowTitle(QObject::tr("Print"));
    QObject::connect(preview.data(), &QPrintPreviewDialog::paintRequested, preview.data(),
                     [&picture](QPrinter* target) { paint(*target, picture); });
    preview->exec();
    delete preview.data();
    return true;
}

bool writePicture(const QImage& picture, const QString& path, QString* error)
{
    QSaveFile file(path);
    QString why;
    if (picture.isNull())
        why = QObject::tr("There is no picture to save.");
    else if (!file.open(QIODevice::WriteOnly))
        why = file.errorString();
    else if (!picture.save(&file, "PNG"))
        why = QObject::tr("The picture could not be encoded.");
    else if (!commitWhole(file))
        why = file.errorString();
    if (why.isEmpty())
        return true;
    file.cancelWriting();
    if (error)
        *error = why;
    return false;
}

bool savePictureAs(QWidget* parent, const QImage& picture)
{
    auto path = Dialogs::current().saveFile(parent, PictureFilter);
    if (!path || path->isEmpty())
        return false;
    if (QFileInfo(*path).suffix().isEmpty())
        *path += QStringLiteral(".png");
    QString why;
    if (writePicture(picture, *path, &why))
        return true;
    Dialogs::current().message(parent,
                               QObject::tr("The picture could not be saved to %1.\n%2")
                                   .arg(QDir::toNativeSeparators(*path), why),
                               MsgButtons::Ok, MsgIcon::Critical);
    return false;
}

} // namespace veltrix::ui
