// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey/FloorPlanView.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace veltrix::survey {

namespace {
constexpr double MarkerRadius = 11;
constexpr int GridLines = 10;
} // namespace

FloorPlanView::FloorPlanView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FloorPlan"));
    setAccessibleName(tr("Floor plan"));
    setMinimumSize(240, 180);
    setCursor(Qt::CrossCursor);
    setFocusPolicy(Qt::ClickFocus);
}

void FloorPlanView::setPlan(const QImage& image, double aspect)
{
    m_image = image;
    m_aspect = aspect > 0.05 && aspect < 20 ? aspect : 297.0 / 210.0;
    update();
}

void FloorPlanView::setMarkers(const QList<PlanMarker>& markers)
{
    m_markers = markers;
    update();
}

QSize FloorPlanView::sizeHint() const
{
    return {520, 380};
}

QRectF FloorPlanView::planRect() const
{
    const double aspect =
        m_image.isNull() ? m_aspect : double(m_image.width()) / std::max(1, m_image.height());
    const QRectF area =
        QRectF(rect()).adjusted(MarkerRadius, MarkerRadius, -MarkerRadius, -MarkerRadius);
    QSizeF size(area.width(), area.width() / aspect);
    if (size.height() > area.height())
        size = QSizeF(area.height() * aspect, area.height());
    QRectF plan(QPointF(), size);
    plan.moveCenter(area.center());
    return plan;
}

QPointF FloorPlanView::markerCentre(const QPointF& at) const
{
    const QRectF plan = planRect();
    return {plan.left() + at.x() * plan.width(), plan.top() + at.y() * plan.height()};
}

void FloorPlanView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), palette().window());
    const QRectF plan = planRect();
    if (!m_image.isNull()) {
        p.drawImage(plan, m_image);
    } else {
        p.fillRect(plan, Qt::white);
        p.setPen(QPen(QColor(0xd5, 0xdb, 0xe3), 1));
        for (int i = 1; i < GridLines; ++i) {
            const double x = plan.left() + plan.width() * i / GridLines;
            const double y = plan.top() + plan.height() * i / GridLines;
            p.drawLine(QPointF(x, plan.top()), QPointF(x, plan.bottom()));
            p.drawLine(QPointF(plan.left(), y), QPointF(plan.right(), y));
        }
    }
    p.setPen(QPen(QColor(0x5d, 0x66, 0x73), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(plan);

    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(11);
    p.setFont(font);
    for (const PlanMarker& m : m_markers) {
        const QPointF c = markerCentre(m.at);
        const QColor fill = QColor::fromRgb(m.rgb);
        p.setPen(QPen(m.chosen ? QColor(0x1f, 0x6f, 0xeb) : QColor(0x26, 0x2b, 0x33),
                      m.chosen ? 4 : 1.5));
        p.setBrush(fill);
        p.drawEllipse(c, MarkerRadius, MarkerRadius);
        // The number sits on a label at the marker's upper right, so the disc shows its band's
        // colour whole and a number stays legible on any plan.
        const QString number = QString::number(m.number);
        const QRectF label(c.x() + MarkerRadius * 0.6, c.y() - MarkerRadius * 2.1,
                           p.fontMetrics().horizontalAdvance(number) + 6, 14);
        p.setPen(QPen(QColor(0x26, 0x2b, 0x33), 1));
        p.setBrush(QColor(255, 255, 255, 230));
        p.drawRoundedRect(label, 3, 3);
        p.drawText(label, Qt::AlignCenter, number);
    }
}

void FloorPlanView::mousePressEvent(QMouseEvent* event)
{
    const QRectF plan = planRect();
    const QPointF at = event->position();
    if (event->button() != Qt::LeftButton || !plan.contains(at) || plan.isEmpty())
        return QWidget::mousePressEvent(event);
    emit placeClicked(
        QPointF((at.x() - plan.left()) / plan.width(), (at.y() - plan.top()) / plan.height()));
}

} // namespace veltrix::survey
