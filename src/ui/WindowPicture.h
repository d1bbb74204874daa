// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures of the chart and gauge windows: printed as one page scaled to fit, or saved as a PNG
// file for pasting into reports.
//
// Like the listing, a picture goes to the system's default printer; on a machine without one the
// user gets a print preview (from which it can still be printed to PDF). The PDF variant writes
// straight to a file, which is what tests use.

#include <QImage>
#include <QString>

class QPrinter;
class QWidget;

namespace veltrix::ui {

class PicturePrinter {
public:
    // Prints to the system's default printer.
    PicturePrinter() = default;
    // Prints to a PDF file (replaced when it exists).
    explicit PicturePrinter(const QString& pdfPath) : m_pdfPath(pdfPath) {}
    virtual ~PicturePrinter() = default;

    // False (with errorString()) when the device could not be used.
    virtual bool print(const QImage& picture, QWidget* parent = nullptr);

    QString errorString() const { return m_error; }

    // Paints the picture centred on one page, as large as fits with its aspect ratio kept.
    static bool paint(QPrinter& printer, const QImage& picture);

private:
    QString m_pdfPath;
    QString m_error;
};

inline const QString PictureFilter = QStringLiteral("PNG Pictures (*.png)|*.png|");

// Writes the picture as PNG to `path` through a temporary file, so an existing file is only
// replaced by a complete one. False with the reason in *error.
bool writePicture(const QImage& picture, const QString& path, QString* error = nullptr);

// Asks for a file name (".png" added when it has no suffix) and writes the picture there; a
// failure is reported in a message box. False when cancelled or failed.
bool savePictureAs(QWidget* parent, const QImage& picture);

} // namespace veltrix::ui
