// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/Digital.h"

#include "ui/Access.h"
#include "ui/LocaleText.h"
#include "ui/Placement.h"

#include <QCloseEvent>
#include <QLabel>

namespace veltrix {

Digital::Digital(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Digital"));
    setWindowTitle(QStringLiteral("HX-880 Digital"));
    setAttribute(Qt::WA_DeleteOnClose);
    QPalette teal = palette();
    teal.setColor(QPalette::Window, QColor(0, 128, 128));
    setPalette(teal);
    setAutoFillBackground(true);

    QFont big(QStringLiteral("Times New Roman"));
    big.setStyleHint(QFont::Serif);
    big.setPointSize(36);
    big.setBold(true);
    LblValue = new QLabel(this);
    LblValue->setObjectName(QStringLiteral("LblValue"));
    LblValue->setFont(big);
    LblValue->setAlignment(Qt::AlignCenter);
    QPalette display = LblValue->palette();
    display.setColor(QPalette::Window, QColor(255, 255, 0));
    display.setColor(QPalette::WindowText, QColor(0, 0, 255));
    LblValue->setPalette(display);
    LblValue->setAutoFillBackground(true);
    LblValue->setGeometry(8, 16, 145, 49);
    ui::makeReadout(LblValue, tr("Digital display"));
    ui::closeOnEscape(this);

    QFont small(QStringLiteral("Times New Roman"));
    small.setStyleHint(QFont::Serif);
    small.setPointSizeF(9.75);
    small.setBold(true);
    QPalette caption = palette();
    caption.setColor(QPalette::WindowText, palette().color(QPalette::HighlightedText));
    LblFunction = new QLabel(this);
    LblFunction->setObjectName(QStringLiteral("LblFunction"));
    LblFunction->setFont(small);
    LblFunction->setPalette(caption);
    LblFunction->move(0, 0);
    LblRange = new QLabel(this);
    LblRange->setObjectName(QStringLiteral("LblRange"));
    LblRange->setFont(small);
    LblRange->setPalette(caption);
    LblRange->move(153, 0);

    resize(DesignClient);
}

void Digital::placeBeside(const QRect& panelFrame)
{
    ui::placeBeside(*this, panelFrame);
}

void Digital::feed(const QString& value, const QString& unit)
{
    LblValue->setText(ui::decimalText(value));
    if (LblFunction->text() != unit) {
        LblFunction->setText(unit);
        LblFunction->adjustSize();
    }
    ui::announceReading(LblValue, ui::readingText(LblValue->text(), unit));
}

QString Digital::valueText() const
{
    return LblValue->text();
}

QString Digital::unitText() const
{
    return LblFunction->text();
}

void Digital::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit closed();
}

} // namespace veltrix
