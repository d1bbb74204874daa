// SPDX-License-Identifier: GPL-3.0-or-later
#include "logger/Alarm.h"

#include "ui/Access.h"
#include "ui/Dialogs.h"
#include "ui/Placement.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace veltrix {

namespace {
template <class T> T* named(T* w, const char* name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}
} // namespace

Alarm::Alarm(AlarmState& state, Unit meterUnit, QWidget* parent)
    : QWidget(parent, Qt::Window), m_state(state), PTH(named(new QLabel(tr("&High"), this), "PTH")),
      PTL(named(new QLabel(tr("&Low"), this), "PTL")), TTH(named(new QLineEdit(this), "TTH")),
      TTL(named(new QLineEdit(this), "TTL")),
      FUnit(named(new QGroupBox(QStringLiteral("1 \u03bcT = 10 mG"), this), "FUnit")),
      OptuT(named(new QRadioButton(QStringLiteral("\u03bcT"), FUnit), "OptuT")),
      OptmG(named(new QRadioButton(QStringLiteral("mG"), FUnit), "OptmG")),
      CmdOK(named(new QPushButton(tr("Enable"), this), "CmdOK")),
      CmdDisable(named(new QPushButton(tr("Disable"), this), "CmdDisable"))
{
    setObjectName(QStringLiteral("Alarm"));
    setWindowTitle(tr("Alarm"));
    setAttribute(Qt::WA_DeleteOnClose);
    ui::closeOnEscape(this);

    for (QLineEdit* box : {TTH, TTL}) {
        box->installEventFilter(this);
        box->setAlignment(Qt::AlignRight);
        box->setMaxLength(12);
    }
    PTH->setBuddy(TTH);
    PTL->setBuddy(TTL);
    auto* unitLayout = new QHBoxLayout(FUnit);
    unitLayout->addWidget(OptuT);
    unitLayout->addWidget(OptmG);

    auto* thresholds = new QGridLayout;
    thresholds->addWidget(PTH, 0, 0);
    thresholds->addWidget(TTH, 0, 1);
    thresholds->addWidget(PTL, 1, 0);
    thresholds->addWidget(TTL, 1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CmdOK);
    buttons->addWidget(CmdDisable);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(thresholds);
    layout->addWidget(FUnit);
    layout->addLayout(buttons);

    connect(CmdOK, &QPushButton::clicked, this, &Alarm::enable);
    connect(CmdDisable, &QPushButton::clicked, this, &Alarm::disable);
    CmdOK->setDefault(true);
    setMinimumWidth(240);
    load(meterUnit);
}

void Alarm::load(Unit meterUnit)
{
    const AlarmForm f = loadAlarmForm(m_state, meterUnit);
    TTH->setText(f.high);
    TTL->setText(f.low);
    OptuT->setChecked(f.unit == Unit::MicroTesla);
    OptmG->setChecked(f.unit == Unit::MilliGauss);
}

void Alarm::placeBeside(const QRect& panelFrame)
{
    ui::placeBeside(*this, panelFrame);
}

AlarmForm Alarm::form() const
{
    std::optional<Unit> unit;
    if (OptuT->isChecked())
        unit = Unit::MicroTesla;
    else if (OptmG->isChecked())
        unit = Unit::MilliGauss;
    return {TTH->text(), TTL->text(), unit};
}

bool Alarm::enable()
{
    if (!enableAlarm(m_state, form())) {
        refuse();
        return false;
    }
    close();
    return true;
}

bool Alarm::disable()
{
    if (!disableAlarm(m_state, form())) {
        refuse();
        return false;
    }
    close();
    return true;
}

void Alarm::refuse()
{
    // The window stays open with what was typed.
    ui::Dialogs::current().message(this, invalidAlarmSettingsText(), ui::MsgButtons::Ok,
                                   ui::MsgIcon::Critical);
}

bool Alarm::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == TTH || watched == TTL) && event->type() == QEvent::KeyPress) {
        // Only what types a character is filtered; arrows, Delete and shortcuts pass.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
            return QWidget::eventFilter(watched, event);
        for (const QChar c : key->text()) {
            if (c.isPrint() && !alarmKeyAllowed(c))
                return true; // dropped
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace veltrix
