// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The analog gauge: the latest reading as a needle on a dial. The panel's sample clock moves the
// needle once per sample while the window is open; a change of the meter's unit relabels the dial
// instead. The window keeps what it shows (dial variant, labels, needle) and paints from that, so
// covering and uncovering it loses nothing.

#include "link/Unit.h"
#include "views/GaugeGeometry.h"

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QLabel;
class QMenuBar;

namespace veltrix {

namespace ui {
class PicturePrinter;
}

// What the gauge reads from the panel whenever it draws (all three are needed).
struct GaugeSource {
    // The unit the panel shows now.
    std::function<std::optional<Unit>()> unit;
    // The reading decoded from the last poll answer.
    std::function<QString()> reading;
    // The dial's full scale (2000 in milligauss, 200 in microtesla), which the panel's unit key
    // also sets.
    std::function<int()> fullScale;
};

class Analog : public QWidget {
    Q_OBJECT
public:
    using PrinterFactory = std::function<std::unique_ptr<ui::PicturePrinter>()>;

    // The client area the window opens with (4590 x 2520 twips), in pixels.
    static constexpr QSize DesignClient{306, 168};

    explicit Analog(GaugeSource source, QWidget* parent = nullptr);
    ~Analog() override;

    // Opens to the right of the main panel, at the top of the screen.
    void placeBeside(const QRect& panelFrame);

    // Draws the dial anew for the panel's current unit: new scale, new full scale, labels with
    // a leading blank, no needle.
    void DrawGaugeDial();
    // The sample step: moves the needle to the current reading. When the panel's unit differs
    // from the one the dial was drawn for, redraws the dial instead and returns false (this
    // sample's feeding ends here).
    bool UpdateGaugeNeedle();

    // The unit the dial is drawn for; the panel sets its unit when it opens the gauge.
    std::optional<Unit> scaleUnit() const { return AnalogScaleUnit; }
    void setScaleUnit(std::optional<Unit> unit) { AnalogScaleUnit = unit; }

    // What the window shows.
    gauge::DialSpace dialSpace() const { return m_space; }
    gauge::DialVariant variant() const { return m_variant; }
    double radius() const { return m_radius; }
    const QList<gauge::ScaleLabel>& labels() const { return m_labels; }
    std::optional<float> needle() const { return m_needle; }
    bool dialDrawn() const { return m_drawn; }
    QWidget* face() const;
    // The dial as shown, for printing and saving.
    QImage picture() const;

    // Tests print to PDF.
    void setPrinterFactory(PrinterFactory factory);

public slots:
    bool print();
    bool savePicture();

signals:
    // The dial was relabelled for a new unit, with this full scale.
    void fullScaleChanged(int fullScale);
    // The window is closing.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    class Face;
    friend class Face;

    void faceResized();
    void drawDial(gauge::DialVariant variant);
    void paintFace(QWidget& face);
    double textWidthInDial(const QString& text) const;

    GaugeSource m_source;
    std::optional<Unit> AnalogScaleUnit;
    PrinterFactory m_printerFactory;
    Face* m_face = nullptr;
    QMenuBar* m_menu = nullptr;
    QLabel* LblFun = nullptr;
    QLabel* LblRan = nullptr;

    gauge::DialSpace m_space;
    gauge::DialVariant m_variant = gauge::DialVariant::Resize;
    double m_radius = 0;
    QList<gauge::ScaleLabel> m_labels;
    std::optional<float> m_needle;
    bool m_drawn = false;
};

} // namespace veltrix
