#pragma once
// The analog gauge: the latest reading as a needle on a dial. The panel's sample clock moves the
// needle once per sample while the window is open; a change of the meter's unit relabels the dial
// instead. The window keeps what it shows (dial variant, labels, needle) and paints from that, so
// covering and uncovering it loses nothing.

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
struct SharedState;

class Analog : public QWidget {
    Q_OBJECT
public:
    // Where the gauge reads the main panel's unit text ("mG" or "uT").
    using UnitSource = std::function<QString()>;
    using PrinterFactory = std::function<std::unique_ptr<ui::PicturePrinter>()>;

    // The client area the window opens with (4590 x 2520 twips), in pixels.
    static constexpr QSize DesignClient{306, 168};

    Analog(SharedState& state, UnitSource unit, QWidget* parent = nullptr);
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
    // The window is closing; AnalogOpen is already cleared.
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

    SharedState& m_state;
    UnitSource m_unit;
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
