// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Prints lines of text in a fixed-pitch font, top to bottom, starting a new page when one is
// full. Lines are collected by printLine() and go to the device when the job ends, so composing a
// job never waits on the printer.
//
// The default printer is the system's; on a machine without one the user gets a print preview
// from which the listing can still be saved as PDF. The PDF variant writes straight to a file.

#include <QFont>
#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace veltrix::ui {

class LinePrinter {
public:
    // Prints to the system's default printer.
    LinePrinter();
    // Prints to a PDF file (replaced when it exists).
    explicit LinePrinter(const QString& pdfPath);
    virtual ~LinePrinter();

    LinePrinter(const LinePrinter&) = delete;
    LinePrinter& operator=(const LinePrinter&) = delete;

    virtual void printLine(const QString& line);
    // Sends the collected lines to the device and starts a new job. False (with errorString())
    // when the device could not be used; the collected lines are dropped either way.
    virtual bool endJob(QWidget* parent = nullptr);

    QString errorString() const { return m_error; }
    int pagesPrinted() const { return m_pages; }

    // The listing lines up only in a fixed-pitch font.
    static QFont listingFont();

protected:
    // Paints the lines onto an open printer; returns the number of pages, 0 on failure.
    int paint(QPrinter& printer, const QStringList& lines);

private:
    QString m_pdfPath;
    QStringList m_lines;
    QString m_error;
    int m_pages = 0;
};

} // namespace veltrix::ui
