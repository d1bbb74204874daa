// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/ChartWindow.h"

#include "records/ChartGeometry.h"
#include "ui/Access.h"
#include "ui/LocaleText.h"
#include "ui/Dialogs.h"
#include "ui/Placement.h"
#include "ui/WindowPicture.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>

namespace veltrix {

namespace {

// Where a label sits: a point in chart coordinates and which side of the label touches it.
struct Anchor {
    QPointF at;
    Qt::Alignment side;
};

Anchor anchorOf(const QLabel* label)
{
    return {label->property("chartAnchor").toPointF(),
            Qt::Alignment(label->property("chartSide").toInt())};
}

QPen lookOf(chart::LineLook look)
{
    QPen pen;
    pen.setCosmetic(true);
    switch (look) {
    case chart::LineLook::Axis:
        pen.setColor(Qt::black);
        pen.setWidth(2);
        break;
    case chart::LineLook::Limit:
        pen.setColor(Qt::red);
        pen.setStyle(Qt::DashLine);
        break;
    case chart::LineLook::Middle:
        pen.setColor(QColor(0, 160, 0));
        pen.setStyle(Qt::DotLine);
        break;
    }
    return pen;
}

} // namespace

// The drawing surface: the frame and the line, painted from the window's points.
class ChartCanvas : public QWidget {
public:
    explicit ChartCanvas(ChartWindow* window) : QWidget(window), m_window(window)
    {
        setObjectName(QStringLiteral("Chart"));
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, Qt::white);
        p.setColor(QPalette::WindowText, Qt::black);
        setPalette(p);
        // The frame's lines can be found by name, like the window's other controls.
        for (const chart::FrameLine& f : chart::frameLines()) {
            auto* line = new QObject(this);
            line->setObjectName(QString::fromLatin1(f.name));
            line->setProperty("line", f.line);
        }
    }

    // The window rectangle that a chart rectangle covers, with room for the pen.
    QRect toWindowRect(const QRectF& chartRect) const
    {
        return chart::toWindow(size()).mapRect(chartRect).toAlignedRect().adjusted(-3, -3, 3, 3);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setTransform(chart::toWindow(size()));
        for (const chart::FrameLine& f : chart::frameLines()) {
            painter.setPen(lookOf(f.look));
            painter.drawLine(f.line);
        }
        const QList<QPointF>& points = m_window->m_points;
        if (points.size() > 1) {
            QPen pen(Qt::black);
            pen.setCosmetic(true);
            painter.setPen(pen);
            painter.drawPolyline(points.constData(), int(points.size()));
        }
    }
    void resizeEvent(QResizeEvent* e) override
    {
        QWidget::resizeEvent(e);
        m_window->placeLabels();
    }

private:
    ChartWindow* m_window;
};

ChartWindow::ChartWindow(const QString& name, const QString& caption, bool withValueLabel,
                         QWidget* parent)
    : QMainWindow(parent, Qt::Window), m_canvas(new ChartCanvas(this))
{
    setObjectName(name);
    setWindowTitle(caption);
    setCentralWidget(m_canvas);
    resize(640, 420);
    ui::closeOnEscape(this);

    const auto menu = [this](const QString& key, const QString& text) {
        QAction* a = menuBar()->addAction(text);
        a->setObjectName(key);
        return a;
    };
    connect(menu(QStringLiteral("MnuLimit"), tr("Limit")), &QAction::triggered, this,
            &ChartWindow::limitRequested);
    connect(menu(QStringLiteral("MnuPrint"), tr("Print")), &QAction::triggered, this,
            &ChartWindow::print);
    connect(menu(QStringLiteral("MnuSave"), tr("Save picture")), &QAction::triggered, this,
            &ChartWindow::savePicture);

    const auto label = [this](const char* key, QPointF at, Qt::Alignment side,
                              const QString& text = {}) {
        auto* l = new QLabel(text, m_canvas);
        l->setObjectName(QString::fromLatin1(key));
        l->setProperty("chartAnchor", at);
        l->setProperty("chartSide", int(side));
        return l;
    };
    using namespace chart;
    // Value labels end just left of the value axis; time labels hang below the time axis.
    LblValTop = label("LblValTop", {Left - 60, Top}, Qt::AlignRight | Qt::AlignVCenter);
    LblValMid = label("LblValMid", {Left - 60, Middle}, Qt::AlignRight | Qt::AlignVCenter);
    Lbl0 = label("Lbl0", {Left - 60, Bottom}, Qt::AlignRight | Qt::AlignVCenter);
    LblT1 = label("LblT1", {Left, Bottom + 80}, Qt::AlignHCenter | Qt::AlignTop);
    LblT2 = label("LblT2", {Centre, Bottom + 80}, Qt::AlignHCenter | Qt::AlignTop);
    LblT3 = label("LblT3", {Right, Bottom + 80}, Qt::AlignHCenter | Qt::AlignTop);
    LblUnit = label("LblUnit", {150, 350}, Qt::AlignLeft | Qt::AlignVCenter);
    Label1 = label("Label1", {Right + 100, Bottom}, Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("TIME"));
    if (withValueLabel) {
        LblValue = label("LblValue", {Right, 350}, Qt::AlignRight | Qt::AlignVCenter);
        QFont big = LblValue->font();
        big.setPointSizeF(big.pointSizeF() * 1.6);
        big.setBold(true);
        LblValue->setFont(big);
    }
    QFont bold = LblUnit->font();
    bold.setBold(true);
    LblUnit->setFont(bold);
}

QWidget* ChartWindow::canvas() const
{
    return m_canvas;
}

QImage ChartWindow::picture() const
{
    return m_canvas->grab().toImage();
}

void ChartWindow::placeBeside(const QRect& panelFrame)
{
    ui::placeBeside(*this, panelFrame);
}

bool ChartWindow::print()
{
    const std::unique_ptr<ui::PicturePrinter> printer =
        m_printerFactory ? m_printerFactory() : std::make_unique<ui::PicturePrinter>();
    // No parent for a print preview: this window may be closed while the preview is open.
    if (printer->print(picture(), nullptr))
        return true;
    ui::Dialogs::current().message(this, printer->errorString(), ui::MsgButtons::Ok,
                                   ui::MsgIcon::Critical);
    return false;
}

bool ChartWindow::savePicture()
{
    return ui::savePictureAs(this, picture());
}

void ChartWindow::showValueLabels(double min, double max)
{
    setLabel(LblValTop, ui::decimalText(chart::numberText(max)));
    setLabel(LblValMid, ui::decimalText(chart::numberText((min + max) / 2)));
    setLabel(Lbl0, ui::decimalText(chart::numberText(min)));
}

void ChartWindow::setLabel(QLabel* label, const QString& text)
{
    if (!label || label->text() == text)
        return;
    label->setText(text);
    placeLabel(label);
}

void ChartWindow::clearChart()
{
    setLine({});
    for (QLabel* l : {LblT1, LblT2, LblT3, LblValue})
        setLabel(l, QString());
}

void ChartWindow::setLine(QList<QPointF> points)
{
    m_points = std::move(points);
    m_canvas->update();
}

void ChartWindow::addSegment(const QPointF& from, const QPointF& to)
{
    if (m_points.isEmpty())
        m_points.append(from);
    m_points.append(to);
    // Only the new segment needs painting.
    m_canvas->update(m_canvas->toWindowRect(QRectF(from, to).normalized()));
}

void ChartWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    closing();
    clearChart(); // closing discards what the window showed
    emit closed();
}

void ChartWindow::placeLabels()
{
    for (QLabel* l : m_canvas->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        placeLabel(l);
}

void ChartWindow::placeLabel(QLabel* label)
{
    const Anchor a = anchorOf(label);
    const QPointF at = chart::toWindow(m_canvas->size()).map(a.at);
    const QSize size = label->sizeHint();
    double x = at.x();
    double y = at.y();
    if (a.side & Qt::AlignRight)
        x -= size.width();
    else if (a.side & Qt::AlignHCenter)
        x -= size.width() / 2.0;
    if (a.side & Qt::AlignBottom)
        y -= size.height();
    else if (a.side & Qt::AlignVCenter)
        y -= size.height() / 2.0;
    label->setGeometry(QRect(QPoint(qRound(x), qRound(y)), size));
}

} // namespace veltrix
