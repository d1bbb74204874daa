// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The digital display: the panel's reading repeated in large characters, for watching the meter
// from across the room. The panel's sample clock copies the value and the unit into it with every
// sample while it is open; it stays open when the link to the meter is lost.

#include <QWidget>

class QLabel;

namespace veltrix {

class Digital : public QWidget {
    Q_OBJECT
public:
    // The client area the window opens with (2385 x 1095 twips), in pixels.
    static constexpr QSize DesignClient{159, 73};

    explicit Digital(QWidget* parent = nullptr);

    // Opens against the main panel's right edge, at the top of the screen.
    void placeBeside(const QRect& panelFrame);

    // The sample step: the panel's value and unit texts.
    void feed(const QString& value, const QString& unit);

    QString valueText() const;
    QString unitText() const;

signals:
    // The window is closing.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* LblValue = nullptr;
    QLabel* LblFunction = nullptr;
    QLabel* LblRange = nullptr;
};

} // namespace veltrix
