// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A label that reports clicks (the panel's port label toggles the title).

#include <QLabel>
#include <QMouseEvent>

namespace veltrix::ui {

class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
            emit clicked();
        QLabel::mouseReleaseEvent(e);
    }
};

} // namespace veltrix::ui
