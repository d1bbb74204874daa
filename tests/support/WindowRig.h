// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A window under test: its controls found by name and typed into as the user would.

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

namespace veltrix::test {

template <class T = QLabel> T* child(const QWidget* window, const char* name)
{
    return window->findChild<T*>(QString::fromLatin1(name));
}

// Replaces what the box holds, key by key (so the window's key filter sees every character).
inline void typeInto(const QWidget* window, const char* box, const QString& text)
{
    auto* edit = child<QLineEdit>(window, box);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

} // namespace veltrix::test
