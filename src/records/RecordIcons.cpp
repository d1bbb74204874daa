// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RecordIcons.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace veltrix {

namespace {

// A floppy disk.
constexpr char SaveSvg[] = R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 24 24">
<path d="M3 3h15l3 3v15H3z" fill="#3a6ea5" stroke="#1d3d5e" stroke-width="1"/>
<rect x="7" y="3.5" width="9" height="6" fill="#e8eef5"/>
<rect x="13" y="4.5" width="2" height="4" fill="#1d3d5e"/>
<rect x="6" y="13" width="12" height="7" fill="#ffffff"/>
<path d="M8 15.5h8M8 17.5h8" stroke="#8a9bb0" stroke-width="0.8"/>
</svg>)";

// A printer with a sheet coming out.
constexpr char PrintSvg[] = R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 24 24">
<rect x="6" y="2.5" width="12" height="6" fill="#ffffff" stroke="#555" stroke-width="1"/>
<rect x="2.5" y="8" width="19" height="9" rx="1.5" fill="#8c8c8c" stroke="#444" stroke-width="1"/>
<circle cx="18.5" cy="10.5" r="0.9" fill="#6fdc6f"/>
<rect x="6" y="14" width="12" height="8" fill="#ffffff" stroke="#555" stroke-width="1"/>
<path d="M8 17h8M8 19.5h6" stroke="#777" stroke-width="0.8"/>
</svg>)";

// A small line chart.
constexpr char PlotSvg[] = R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 24 24">
<rect x="2.5" y="2.5" width="19" height="19" fill="#ffffff" stroke="#444" stroke-width="1"/>
<path d="M5 5v14h14" fill="none" stroke="#444" stroke-width="1"/>
<path d="M5 16l4-5 3 3 4-7 3 3" fill="none" stroke="#c0392b" stroke-width="1.6"
      stroke-linejoin="round"/>
</svg>)";

// A sheet with a small table and a green arrow leaving it.
constexpr char CsvSvg[] = R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 24 24">
<path d="M4 2.5h11l4 4v15H4z" fill="#ffffff" stroke="#555" stroke-width="1"/>
<path d="M6.5 9h9M6.5 12h9M6.5 15h9M10 7.5v9" stroke="#2e8b57" stroke-width="0.9"/>
<path d="M13 19h7M17.5 16.5l2.5 2.5-2.5 2.5" fill="none" stroke="#1e7d32" stroke-width="1.6"
      stroke-linejoin="round"/>
</svg>)";

// A page with a heading, a small chart and a red level line: the survey report.
constexpr char ReportSvg[] = R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 24 24">
<path d="M4 2.5h11l4 4v15H4z" fill="#ffffff" stroke="#555" stroke-width="1"/>
<path d="M6.5 6h6" stroke="#333" stroke-width="1.4"/>
<path d="M6.5 10v8h10" fill="none" stroke="#555" stroke-width="0.8"/>
<path d="M6.5 12.5h10" stroke="#d00000" stroke-width="0.9"/>
<path d="M7 16.5l2.5-2 2 1.5 2.5-4 2 2" fill="none" stroke="#1f5aa0" stroke-width="1.2"
      stroke-linejoin="round"/>
</svg>)";

QPixmap render(const char* svg, int size)
{
    QSvgRenderer renderer{QByteArray(svg)};
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

} // namespace

QIcon recordIcon(RecordIcon which)
{
    const char* svg = which == RecordIcon::Save     ? SaveSvg
                      : which == RecordIcon::Print  ? PrintSvg
                      : which == RecordIcon::Csv    ? CsvSvg
                      : which == RecordIcon::Report ? ReportSvg
                                                    : PlotSvg;
    QIcon icon;
    for (int size : {16, 24, 32, 48})
        icon.addPixmap(render(svg, size));
    return icon;
}

} // namespace veltrix
