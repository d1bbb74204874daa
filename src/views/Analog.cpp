// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/Analog.h"

#include "ui/Access.h"
#include "ui/Dialogs.h"
#include "ui/Placement.h"
#include "ui/WindowPicture.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QPolygonF>
#include <QVBoxLayout>

namespace veltrix {

namespace {
const QColor FaceColour = QColor(255, 255, 0);
// The gauge opens this far right of the panel's outer edge (1455 twips).
constexpr int GapToPanel = 97;
} // namespace

// The dial's drawing surface: the client area below the window's menu bar.
class Analog::Face : public QWidget {
public:
    Face(Analog& owner) : QWidget(&owner), m_owner(owner)
    {
        setObjectName(QStringLiteral("GaugeFace"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override { m_owner.paintFace(*this); }
    void resizeEvent(QResizeEvent*) override { m_owner.faceResized(); }

private:
    Analog& m_owner;
};

Analog::Analog(GaugeSource source, QWidget* parent)
    : QWidget(parent, Qt::Window), m_source(std::move(source)),
      m_printerFactory([] { return std::make_unique<ui::PicturePrinter>(); })
{
    setObjectName(QStringLiteral("Analog"));
    setWindowTitle(tr("Analog"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_menu = new QMenuBar(this);
    m_menu->setObjectName(QStringLiteral("MenuBar"));
    auto* print = m_menu->addAction(tr("Print"));
    print->setObjectName(QStringLiteral("MnuPrint"));
    connect(print, &QAction::triggered, this, &Analog::print);
    auto* save = m_menu->addAction(tr("Save picture"));
    save->setObjectName(QStringLiteral("MnuSave"));
    connect(save, &QAction::triggered, this, &Analog::savePicture);

    m_face = new Face(*this);
    QFont unitFont(QStringLiteral("Sans Serif"));
    unitFont.setStyleHint(QFont::SansSerif);
    unitFont.setPointSizeF(9.75);
    unitFont.setBold(true);
    LblFun = new QLabel(m_face);
    LblFun->setObjectName(QStringLiteral("LblFun"));
    LblFun->setFont(unitFont);
    LblFun->move(6, 4);
    LblRan = new QLabel(m_face);
    LblRan->setObjectName(QStringLiteral("LblRan"));
    LblRan->setFont(unitFont);
    ui::makeReadout(m_face, tr("Analog gauge"));
    ui::closeOnEscape(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(m_menu);
    layout->addWidget(m_face);

    // Load: the dial's scale is set from the client area the window opens with.
    m_space = gauge::DialSpace::fromClientPixels(QSizeF(DesignClient));
    resize(DesignClient.width(), DesignClient.height() + m_menu->sizeHint().height());
}

Analog::~Analog() = default;

QWidget* Analog::face() const
{
    return m_face;
}

void Analog::placeBeside(const QRect& panelFrame)
{
    ui::placeBeside(*this, panelFrame, GapToPanel);
}

void Analog::faceResized()
{
    // A minimised window draws nothing; it is drawn again when it comes back.
    if (isMinimized())
        return;
    LblRan->move(m_face->width() - LblRan->width() - 6, 4);
    drawDial(gauge::DialVariant::Resize);
}

void Analog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        if ((change->oldState() & Qt::WindowMinimized) && !isMinimized())
            faceResized(); // restored: the dial without a needle until the next sample
    }
    QWidget::changeEvent(event);
}

double Analog::textWidthInDial(const QString& text) const
{
    const int pixels = m_face->width();
    if (pixels <= 0)
        return 0;
    return m_face->fontMetrics().horizontalAdvance(text) * m_space.width() / pixels;
}

void Analog::drawDial(gauge::DialVariant variant)
{
    const std::optional<Unit> unit = m_source.unit();
    double fullScale = m_source.fullScale();
    if (variant == gauge::DialVariant::UnitChange) {
        // The relabelled dial sets its scale from the window's outer size (without the menu
        // bar, which the dial never covers) and takes the full scale from the unit shown.
        QSize outer = frameGeometry().size();
        outer.rheight() -= m_menu->height();
        m_space = gauge::DialSpace::fromOuterPixels(QSizeF(outer));
        m_radius = 0.5 * m_space.width();
        fullScale = unit == Unit::MilliGauss ? 2000 : 200;
        AnalogScaleUnit = unit;
        emit fullScaleChanged(int(fullScale));
    } else {
        m_radius = m_space.width() / 2;
    }
    LblFun->setText(unit ? unitAscii(*unit) : QString());
    LblFun->adjustSize();
    m_variant = variant;
    m_labels = gauge::scaleLabels(variant, m_radius, fullScale,
                                  [this](const QString& t) { return textWidthInDial(t); });
    m_needle.reset();
    m_drawn = true;
    m_face->update();
}

void Analog::DrawGaugeDial()
{
    drawDial(gauge::DialVariant::UnitChange);
}

bool Analog::UpdateGaugeNeedle()
{
    const std::optional<Unit> unit = m_source.unit();
    if (unit != AnalogScaleUnit) {
        DrawGaugeDial();
        AnalogScaleUnit = unit;
        return false;
    }
    // The new needle replaces the old one; the marks and labels stay as drawn.
    m_needle = gauge::needleAngle(m_source.reading(), m_source.fullScale());
    m_face->update();
    ui::announceReading(m_face, ui::readingText(m_source.reading(), LblFun->text()));
    return true;
}

void Analog::paintFace(QWidget& face)
{
    QPainter p(&face);
    p.fillRect(face.rect(), FaceColour);
    if (!m_drawn || !m_space.isValid())
        return;
    p.setRenderHint(QPainter::Antialiasing);
    const QTransform toPixels = m_space.toPixels(QSizeF(face.size()));
    const QColor ink = face.palette().color(QPalette::WindowText);

    QPen pen(ink, 2);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    QPolygonF arc;
    for (const QPointF& point : gauge::arcPoints(m_radius))
        arc << toPixels.map(point);
    p.drawPolyline(arc);

    pen.setWidth(1);
    p.setPen(pen);
    for (const gauge::Mark& mark : gauge::marks(m_radius))
        p.drawLine(toPixels.map(mark.inner), toPixels.map(mark.outer));

    // Texts keep their size; only their anchors follow the stretched dial.
    for (const gauge::ScaleLabel& label : m_labels) {
        const QPointF at = toPixels.map(label.anchor);
        p.drawText(QRectF(at, QSizeF(400, 100)), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                   label.text);
    }

    if (m_needle)
        p.drawLine(toPixels.map(gauge::needleEnd(*m_needle, m_radius)),
                   toPixels.map(QPointF(0, 0)));
}

QImage Analog::picture() const
{
    return m_face->grab().toImage();
}

void Analog::setPrinterFactory(PrinterFactory factory)
{
    m_printerFactory = std::move(factory);
}

bool Analog::print()
{
    const QImage image = picture();
    const std::unique_ptr<ui::PicturePrinter> printer = m_printerFactory();
    if (!printer)
        return false;
    // No parent for the preview: a lost link closes the gauge while the preview may be open.
    QPointer<Analog> self(this);
    if (printer->print(image, nullptr))
        return true;
    if (!self)
        return false;
    ui::Dialogs::current().message(this, printer->errorString(), ui::MsgButtons::Ok,
                                   ui::MsgIcon::Critical);
    return false;
}

bool Analog::savePicture()
{
    return ui::savePictureAs(this, picture());
}

void Analog::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit closed();
}

} // namespace veltrix
