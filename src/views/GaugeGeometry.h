// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The analog gauge's dial, as numbers: its coordinate system, the arc, the 41 scale marks, the
// five scale labels and the needle. The gauge window paints what these functions compute; tests
// check them without a window.
//
// Dial coordinates grow to the right and upwards, in twips of the client area at the moment the
// scale was set. The needle's pivot (0, 0) sits below the bottom edge, horizontally centred.

#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QTransform>
#include <functional>

namespace veltrix::gauge {

// The dial's own approximation of pi: angles land where they always have.
inline constexpr double Pi = 3.1415926;
// Twips per logical pixel (1440 twips to the inch, 96 logical pixels to the inch).
inline constexpr double TwipsPerPixel = 15.0;

inline double radians(double degrees)
{
    return degrees * Pi / 180.0;
}

// The arc spans 34.2 to 145.8 degrees; the marks 36 (full scale) to 144 (zero); the needle
// 35 to 145.
inline constexpr double ArcFrom = 34.2;
inline constexpr double ArcTo = 145.8;
inline constexpr int MarkCount = 41;
inline constexpr double LabelRadius = 1.16;    // labels sit on this circle, times R
inline constexpr double NeedleLength = 0.96;   // times R
inline constexpr double NeedleSweep = 0.98;    // the area a needle may cover, times R
inline constexpr double UnitChangeShift = 120; // label shift of the relabelled dial

// The user coordinate system laid over a client area of sw x sh twips: x from -sw/2 (left) to
// +sw/2 (right), y from 1.2 sh (top) down to 0.2 sh (bottom). It keeps these numbers when the
// window is resized and is stretched over the new client area, unevenly if need be.
struct DialSpace {
    double sw = 0;
    double sh = 0;

    double left() const { return -sw / 2; }
    double top() const { return 1.2 * sh; }
    double width() const { return sw; }
    double height() const { return sh; }
    bool isValid() const { return sw > 0 && sh > 0; }

    // Set from the client area in pixels (window load).
    static DialSpace fromClientPixels(QSizeF client);
    // Set from the outer window size in pixels, the way the relabelled dial estimates its
    // client area (the design's client-to-outer proportions, 4485/4605 and 2490/2925).
    static DialSpace fromOuterPixels(QSizeF outer);

    // Dial coordinates to pixels of a client area of the given size.
    QTransform toPixels(QSizeF client) const;
    QPointF toPixel(QPointF dial, QSizeF client) const { return toPixels(client).map(dial); }
};

// A point at `degrees` on the circle of radius r round the pivot.
QPointF onCircle(double r, double degrees);

// The arc of radius r from ArcFrom to ArcTo as a polyline (an ellipse arc once stretched).
QList<QPointF> arcPoints(double r, int segments = 224);

// Mark i (0..40) at 36 + 2.7 i degrees: from R outwards to L R, L = 1.08 every tenth mark,
// 1.06 every fifth, else 1.03.
double markLength(int i);
double markAngle(int i);
struct Mark {
    QPointF inner;
    QPointF outer;
};
QList<Mark> marks(double r);

enum class DialVariant {
    Resize,     // drawn when the window is resized: plain texts centred on their angle
    UnitChange, // drawn when the meter's unit changed: texts with a leading blank, fixed shift
};

struct ScaleLabel {
    QString text;
    QPointF anchor; // top-left corner of the text, in dial coordinates
};
// Width of a text as drawn, in dial units (x direction).
using TextWidth = std::function<double(const QString&)>;

// The five labels, in the order FS/2, 3 FS/4, FS/4, FS, "0".
QList<ScaleLabel> scaleLabels(DialVariant variant, double r, double fullScale,
                              const TextWidth& width);

// Shortest decimal text of a scale value ("1500", "50", "0.5").
QString scaleText(double value);

// The needle's angle in degrees for a reading: 145 at zero, 35 at full scale, pinned at both
// ends; "OL" pins it at 35. Computed in single precision like the meter software always did.
float needleAngle(const QString& reading, double fullScale);

// The needle's free end for an angle; the needle runs from there to the pivot.
QPointF needleEnd(float degrees, double r);

} // namespace veltrix::gauge
