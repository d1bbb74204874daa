// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every modal question the program asks goes through Dialogs, so that a test can answer it
// (install a scripted implementation with Dialogs::setCurrent) and the rest of the code never
// touches QMessageBox, QInputDialog or QFileDialog directly.

#include <QString>
#include <optional>

class QWidget;

namespace veltrix::ui {

enum class MsgIcon { None, Critical, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel };
enum class MsgResult { Ok, Cancel };

// The record-file filter as the program states it ("Name (*.x)|*.x|..."), converted for Qt.
QString qtFilter(const QString& pipeFilter);
inline const QString DataFilesFilter =
    QStringLiteral("Data Files (*.txt)|*.txt|All Files (*.*)|*.*|");

class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual MsgResult message(QWidget* parent, const QString& text, MsgButtons buttons,
                              MsgIcon icon, const QString& title = {});
    // Returns the answer; an empty text when cancelled (the callers cannot tell the two apart).
    virtual QString inputBox(QWidget* parent, const QString& prompt, const QString& title,
                             const QString& defaultText);
    // The chosen path, or nothing when the user cancelled. The first filter is selected.
    virtual std::optional<QString> openFile(QWidget* parent, const QString& pipeFilter);
    virtual std::optional<QString> saveFile(QWidget* parent, const QString& pipeFilter);
    // A folder to write several files into, or nothing when the user cancelled.
    virtual std::optional<QString> chooseFolder(QWidget* parent, const QString& title = {});

    static Dialogs& current();
    // Installs d (not owned) as the program's dialogs; nullptr restores the real ones.
    static void setCurrent(Dialogs* d);
};

} // namespace veltrix::ui
