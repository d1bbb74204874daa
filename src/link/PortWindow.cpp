// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/PortWindow.h"

#include "ui/Access.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace veltrix {

int portFromText(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^COM([1-8])$"));
    const auto m = re.match(text);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

PortWindow::PortWindow(const ui::PortBindings& bindings, QWidget* parent)
    : QWidget(parent), m_bindings(bindings)
{
    setObjectName(QStringLiteral("Port"));
    setWindowTitle(tr("Port"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_ports = new QComboBox(this);
    m_ports->setObjectName(QStringLiteral("Ports"));
    m_ports->setEditable(true);
    // Only the exact texts COM1..COM8 choose a port: typed text is neither completed, nor
    // corrected to a list item, nor added to the list.
    m_ports->setCompleter(nullptr);
    m_ports->setInsertPolicy(QComboBox::NoInsert);
    for (int n = 1; n <= ui::PortBindings::PortCount; ++n) {
        m_ports->addItem(QStringLiteral("COM%1").arg(n));
        const QString path = m_bindings.devicePath(n);
        m_ports->setItemData(n - 1, path.isEmpty() ? tr("no device") : path, Qt::ToolTipRole);
    }
    m_ports->setCurrentIndex(0);
    m_ports->setEditText(QStringLiteral("COM1"));
    m_ports->setAccessibleName(tr("Meter port"));
    m_ports->lineEdit()->setAccessibleName(m_ports->accessibleName());

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("CmdOK"));
    ok->setDefault(true);
    auto* com1 = new QPushButton(QStringLiteral("COM1"), this);
    com1->setObjectName(QStringLiteral("CmdCom1"));
    auto* com2 = new QPushButton(QStringLiteral("COM2"), this);
    com2->setObjectName(QStringLiteral("CmdCom2"));

    m_device = new QLabel(this);
    m_device->setObjectName(QStringLiteral("LblDevice"));
    m_device->setWordWrap(true);

    auto* found = new QListWidget(this);
    found->setObjectName(QStringLiteral("Devices"));
    found->setSelectionMode(QAbstractItemView::NoSelection);
    found->setAccessibleName(tr("COM ports on this computer"));
    for (int n = 1; n <= ui::PortBindings::PortCount; ++n) {
        const QString path = m_bindings.devicePath(n);
        if (path.isEmpty())
            continue;
        const QString desc = m_bindings.description(n);
        found->addItem(
            QStringLiteral("COM%1  %2%3")
                .arg(n)
                .arg(path, desc.isEmpty() ? QString() : QStringLiteral("  (%1)").arg(desc)));
    }
    if (found->count() == 0)
        found->addItem(tr("No serial device found on this computer."));

    auto* choice = new QGroupBox(tr("Meter port"), this);
    auto* grid = new QGridLayout(choice);
    grid->addWidget(m_ports, 0, 0);
    grid->addWidget(ok, 0, 1);
    grid->addWidget(m_device, 1, 0, 1, 2);
    auto* quick = new QHBoxLayout;
    quick->addWidget(com1);
    quick->addWidget(com2);
    grid->addLayout(quick, 2, 0, 1, 2);

    auto* devices = new QGroupBox(tr("COM ports on this computer"), this);
    auto* dl = new QVBoxLayout(devices);
    dl->addWidget(found);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(choice);
    layout->addWidget(devices);
    resize(380, 300);

    connect(m_ports, &QComboBox::currentTextChanged, this, &PortWindow::showBinding);
    connect(ok, &QPushButton::clicked, this,
            [this] { choose(portFromText(m_ports->currentText())); });
    connect(com1, &QPushButton::clicked, this, [this] { choose(1); });
    connect(com2, &QPushButton::clicked, this, [this] { choose(2); });
    showBinding();
    // A plain window has no default button of its own: Enter takes the port typed or chosen.
    ui::pressOnEnter(ok);
    // Escape leaves without a port, as the window's close button does (the program ends).
    ui::closeOnEscape(this);
}

void PortWindow::showBinding()
{
    const int n = portFromText(m_ports->currentText());
    const QString path = n ? m_bindings.devicePath(n) : QString();
    if (!n)
        m_device->setText(tr("Choose COM1 to COM8."));
    else if (path.isEmpty())
        m_device->setText(tr("COM%1: no device").arg(n));
    else
        m_device->setText(tr("COM%1: %2").arg(n).arg(path));
}

void PortWindow::choose(int port)
{
    m_port = port;
    emit chosen(port);
    close();
}

} // namespace veltrix
