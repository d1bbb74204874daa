// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The site's floor plan with the points as numbered markers, each filled with the colour of its
// band. The plan is the image the user opened, scaled to fit, or a blank grid of the survey's
// proportions; places are fractions of the plan's width and height, so they stay put whatever
// the window's size. A click on the plan says where, as such a fraction.

#include <QImage>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>

namespace veltrix::survey {

struct PlanMarker {
    QString pointId;
    int number = 0;
    QPointF at;      // fractions (0..1) of the plan
    quint32 rgb = 0; // fill, 0xRRGGBB
    bool chosen = false;
};

class FloorPlanView : public QWidget {
    Q_OBJECT
public:
    explicit FloorPlanView(QWidget* parent = nullptr);

    // A null image: the blank grid of `aspect` (width / height).
    void setPlan(const QImage& image, double aspect);
    void setMarkers(const QList<PlanMarker>& markers);
    const QList<PlanMarker>& markers() const { return m_markers; }
    // Where the plan is drawn in the widget, and a marker's centre there.
    QRectF planRect() const;
    QPointF markerCentre(const QPointF& at) const;

    QSize sizeHint() const override;

signals:
    void placeClicked(const QPointF& fraction);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage m_image;
    double m_aspect = 297.0 / 210.0;
    QList<PlanMarker> m_markers;
};

} // namespace veltrix::survey
