// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The first window: the user picks the COM port the meter hangs on. Besides the port list and
// the two quick buttons it shows which device each COMn stands for and the serial devices found
// on this computer, so a user sees where the meter is.

#include "ui/PortBindings.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QListWidget;

namespace veltrix {

// The port number a text in the list stands for: exactly "COM1".."COM8" gives 1..8, anything
// else (including lower case) nothing.
int portFromText(const QString& text);

class PortWindow : public QWidget {
    Q_OBJECT
public:
    explicit PortWindow(const ui::PortBindings& bindings, QWidget* parent = nullptr);

    int comPortNumber() const { return m_port; }

signals:
    // The user made a choice (port 0 when the text named no port: the panel will then fail).
    void chosen(int port);

private:
    void choose(int port);
    void showBinding();

    ui::PortBindings m_bindings;
    QComboBox* m_ports = nullptr;
    QLabel* m_device = nullptr;
    int m_port = 0;
};

} // namespace veltrix
