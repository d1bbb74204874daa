// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the survey report of a record table and the report of a survey project share: the pages
// with their footer and running cursor, the fonts, the label-and-value blocks, the instrument and
// method, the figures, the chart of a recording with its levels, the references with their
// sources and the sign-off. Internal to the report writers (the veltrix_survey_pdf library).

#include "survey/ReferenceLevels.h"
#include "survey/ReportRequest.h"
#include "survey/Statistics.h"
#include "survey/SurveyReport.h"
#include "ui/LocaleText.h"

#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>

#include <functional>
#include <utility>

namespace veltrix::pdf {

using namespace stats;

// The reports' texts share one translation context (lupdate reads it from here).
struct Tr {
    Q_DECLARE_TR_FUNCTIONS(SurveyReport)
};

// Everything is laid out in points (1/72 inch) and drawn at 720 dots per inch.
inline constexpr int Resolution = 720;
inline constexpr double K = Resolution / 72.0;
inline constexpr double Margin = 50;
inline constexpr double FooterGap = 22; // the footer's baseline below the text area
inline constexpr qint64 DayMs = 86'400'000;

inline const QColor Ink(25, 25, 25);
inline const QColor Grey(110, 110, 110);
inline const QColor Rule(200, 200, 200);

// How a level's line is drawn: a colour and a dash of its own, so that levels can be told apart
// in black and white too. The colours keep away from the trace's blue and the overloads' red.
struct LevelStyle {
    QColor colour;
    QList<qreal> dashes; // in line widths; empty: solid
};
LevelStyle levelStyle(qsizetype i);

QFont font(double points, bool bold = false, bool mono = false, bool italic = false);

// The meter's clock (local time of the computer that recorded) as local time of this computer.
QDateTime localTime(ClockMs ms);
// "+01:00"
QString offsetText(const QDateTime& local);
// "2026-12-05 10:00:00 +01:00", in German "05.12.2026 10:00:00 +01:00"
QString whenText(ClockMs ms);
// A duration in the reader's form ("4,5 s" in German).
inline QString lengthText(qint64 ms)
{
    return durationText(ms, ui::displayLocale());
}
// "UTC+01:00 (CET)"; both offsets when summer time began or ended within the period.
QString zoneText(ClockMs first, ClockMs last);
// A number as short as it is exact: a level, a value on the chart's axis.
QString plainNumber(double v);
// "now" on this computer, to the minute, with its offset.
QString nowText();

// The pages: a text area between the margins, a cursor going down it, a footer on each page.
// A dry run lays everything out without drawing, to count the pages.
class Pages {
public:
    Pages(QPdfWriter& writer, QPainter* painter, QSizeF pagePoints, QString footer, int total)
        : m_writer(writer), m_p(painter), m_size(pagePoints), m_footer(std::move(footer)),
          m_total(total)
    {
        y = Margin;
    }

    double y;
    double left() const { return Margin; }
    double right() const { return m_size.width() - Margin; }
    double width() const { return right() - left(); }
    double bottom() const { return m_size.height() - Margin; }
    int page() const { return m_page; }
    QPainter* painter() const { return m_p; }

    void ensure(double height)
    {
        if (y + height > bottom())
            next();
    }
    void next()
    {
        footer();
        if (m_p)
            m_writer.newPage();
        ++m_page;
        y = Margin;
    }
    void finish() { footer(); }

    double textHeight(const QString& text, const QFont& f, double w, int flags = Qt::TextWordWrap)
    {
        const QFontMetricsF fm(f, &m_writer);
        return fm.boundingRect(QRectF(0, 0, w * K, 1e7), flags, text).height() / K;
    }
    double lineSpacing(const QFont& f) const { return QFontMetricsF(f, &m_writer).lineSpacing() / K; }
    double textWidth(const QString& text, const QFont& f)
    {
        const QFontMetricsF fm(f, &m_writer);
        return fm.boundingRect(QRectF(0, 0, 1e7, 1e7), 0, text).width() / K;
    }
    // Text in a box of points; returns its height.
    double text(double x, double top, double w, const QString& text, const QFont& f,
                const QColor& colour = Ink, int flags = Qt::AlignLeft | Qt::TextWordWrap)
    {
        const double h = textHeight(text, f, w, flags);
        if (m_p) {
            m_p->setFont(f);
            m_p->setPen(colour);
            m_p->drawText(QRectF(x * K, top * K, w * K, h * K + 1), flags, text);
        }
        return h;
    }
    void line(double x1, double y1, double x2, double y2, const QColor& colour, double width,
              const QList<qreal>& dashes = {})
    {
        if (!m_p)
            return;
        QPen pen(colour, width * K, Qt::SolidLine, Qt::FlatCap);
        if (!dashes.isEmpty())
            pen.setDashPattern(dashes);
        m_p->setPen(pen);
        m_p->drawLine(QPointF(x1 * K, y1 * K), QPointF(x2 * K, y2 * K));
    }
    // Text that may run on over the page's end: line by line, each line on the page it fits.
    void flow(double x, double w, const QString& text, const QFont& f, const QColor& colour = Ink)
    {
        const double lineHeight = lineSpacing(f);
        for (const QString& paragraph : text.split(u'\n')) {
            QTextLayout lines(paragraph, f, &m_writer);
            lines.beginLayout();
            for (QTextLine line = lines.createLine(); line.isValid(); line = lines.createLine()) {
                line.setLineWidth(w * K);
                ensure(lineHeight);
                this->text(x, y, w, paragraph.mid(line.textStart(), line.textLength()), f, colour,
                           Qt::AlignLeft);
                y += lineHeight;
            }
            lines.endLayout();
        }
    }
    double headingHeight(const QString& text)
    {
        return 10 + textHeight(text, font(12, true), width()) + 8;
    }
    // A heading, on the page of what follows it (`keepWith` points of it).
    void heading(const QString& text, double keepWith)
    {
        ensure(headingHeight(text) + keepWith);
        y += 10;
        y += this->text(left(), y, width(), text, font(12, true));
        line(left(), y + 2, right(), y + 2, Rule, 0.8);
        y += 8;
    }

private:
    void footer();

    QPdfWriter& m_writer;
    QPainter* m_p;
    QSizeF m_size;
    QString m_footer;
    int m_total;
    int m_page = 1;
};

using Rows = QList<std::pair<QString, QString>>;

// Label and value rows; the label column is `labelWidth` points wide.
double rowHeight(Pages& pg, const std::pair<QString, QString>& row, double w, double labelWidth,
                 bool monoValue);
void keyValueRows(Pages& pg, double x, double w, double labelWidth, const Rows& rows,
                  bool monoValues = false);
// Rows without the empty ones (a field left empty is not printed).
Rows filled(const Rows& rows);
// Label and value rows in two columns side by side, on one page with their heading.
void twoColumnSection(Pages& pg, const QString& title, const Rows& left, const Rows& right);
// A paragraph under a bold label, the label kept with its first lines.
void labelledParagraph(Pages& pg, const QString& label, const QString& text);

struct ChartLevel {
    Level level;
    LevelStyle style;
};

// Where the text blocks sit across the text area, in points from its left edge.
struct Columns {
    // Label columns beside the values: the header and the left half of the figures, and the
    // right half of the figures (which begins halfway across).
    static constexpr double Labels = 105;
    static constexpr double RightLabels = 95;
    static constexpr double HalfGap = 10;     // between the two halves of the figures
    static constexpr double CellGap = 8;      // between two columns of a table
    static constexpr double LevelNames = 100; // the level table's names get at least this
};

// The records table's lines, and how many records of the range it leaves to the record files.
struct RecordsTable {
    QStringList lines;
    qint64 more = 0;
};

struct Content {
    const ReportRequest& request;
    const Statistics& st;
    const RecordsTable& records;
    QList<ChartLevel> levels;
    QList<const Reference*> references;

    // A statistic (in the statistics' unit) in the report's unit, as a number and as a figure.
    double inUnit(double v) const { return figureValue(toMilliGauss(v, st.unit), request.unit); }
    QString figure(double v) const { return figureMg(toMilliGauss(v, st.unit)); }
    // A value in milligauss in the report's unit at the meter's resolution: 0.1 mG, 0.01 µT, 10 nT.
    QString figureMg(double milliGauss) const
    {
        return figureText(milliGauss, request.unit, toMilliGauss(st.resolution, st.unit),
                          ui::displayLocale());
    }
    // A level as it was given: "0.4 µT", "300 nT".
    QString levelText(double milliGauss) const
    {
        return plainNumber(figureValue(milliGauss, request.unit)) + u' ' +
               figureUnitText(request.unit);
    }
};

// The levels of `options` with their line styles, in order.
QList<ChartLevel> chartLevels(const Options& options);
// The chart's columns for a page: two a point of the plot.
int chartColumns(QSizeF pagePoints);

// The chart of a recording under `title`: per column of the plot the lowest and highest
// reading, with the levels, its legend and a note, on one page.
void drawChart(Pages& pg, const Content& c, ReportLayout* layout, const QString& title);
// The title (or "Magnetic field survey"), the site and location under it, and a rule.
void drawTitle(Pages& pg, const ReportDetails& d);
// "A. Tester, Example Ltd", or whichever of the two is given.
QString measuredBy(const ReportDetails& d);
// The meter and how it was used.
void drawInstrument(Pages& pg, const Content& c);
// The figures, in two columns: counts and times on the left, values on the right.
void drawFigures(Pages& pg, const Content& c);
// One sentence for each chosen reference, comparing with it the statistic it is meant for.
QStringList assessmentSentences(const Content& c);
// Company, place and date, and the line to sign on, all on one page.
void drawSignOff(Pages& pg, const Content& c);
// The published levels chosen, each with its meaning and source, then the user's own.
void drawReferences(Pages& pg, const Content& c);

QPageSize pageSizeOf(const ReportRequest& request);
// The references of the request that are known, at its mains frequency.
QList<const Reference*> referencesOf(const ReportRequest& request);

// Writes a PDF to `path` whole or not at all: `render` lays the pages out once without drawing
// (to count them) and once more drawing (`drawing` true). False with the reason in *error.
using Render = std::function<void(Pages& pages, bool drawing)>;
bool writePdf(const QString& path, const QPageSize& pageSize, const QString& title,
              const QString& footer, const Render& render, QString* error, int* pages = nullptr);

} // namespace veltrix::pdf
