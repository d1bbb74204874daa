// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Access.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QColor>
#include <QCoreApplication>
#include <QShortcut>
#include <QWidget>
#include <cmath>

namespace veltrix::ui {

void makeReadout(QWidget* readout, const QString& name)
{
    readout->setFocusPolicy(Qt::TabFocus);
    readout->setAccessibleName(name);
    // A chart view takes the focus in its viewport: a screen reader reads the viewport's name.
    if (auto* view = qobject_cast<QAbstractScrollArea*>(readout))
        view->viewport()->setAccessibleName(name);
}

void announceReading(QWidget* readout, const QString& reading)
{
    if (readout->accessibleDescription() == reading)
        return;
    readout->setAccessibleDescription(reading);
    QAccessibleEvent changed(readout, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
}

QString readingText(const QString& value, const QString& unit)
{
    const QString v = value.trimmed();
    if (v.isEmpty())
        return QCoreApplication::translate("veltrix::ui", "no reading");
    return unit.isEmpty() ? v : v + QLatin1Char(' ') + unit.trimmed();
}

void closeOnEscape(QWidget* window)
{
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
}

void pressOnEnter(QAbstractButton* button)
{
    QWidget* window = button->window();
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* enter = new QShortcut(QKeySequence(key), window);
        QObject::connect(enter, &QShortcut::activated, button, &QAbstractButton::click);
    }
}

namespace {
// The relative luminance of an sRGB colour.
double luminance(const QColor& c)
{
    const auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}
} // namespace

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace veltrix::ui
