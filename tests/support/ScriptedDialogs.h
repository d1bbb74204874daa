// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Answers the program's dialogs from a script and records what was asked.

#include "ui/Dialogs.h"

#include <QList>
#include <QStringList>
#include <functional>

namespace veltrix::test {

class ScriptedDialogs : public ui::Dialogs {
public:
    ScriptedDialogs() { ui::Dialogs::setCurrent(this); }
    ~ScriptedDialogs() override { ui::Dialogs::setCurrent(nullptr); }

    // Queued answers; an empty queue answers Cancel / an empty text / no file.
    QList<ui::MsgResult> messageAnswers;
    QStringList inputAnswers;
    QList<std::optional<QString>> fileAnswers;
    QList<std::optional<QString>> folderAnswers;

    // Runs while a dialog is "open" (as the user or a timer would act during its event loop).
    std::function<void()> duringDialog;

    // What was asked
    QStringList messages;
    QList<ui::MsgIcon> icons;
    QStringList inputDefaults; // one for each input box, once it closes
    int fileRequests = 0;
    int folderRequests = 0;

    ui::MsgResult message(QWidget*, const QString& text, ui::MsgButtons buttons, ui::MsgIcon icon,
                          const QString& = {}) override
    {
        messages << text;
        icons << icon;
        during();
        if (!messageAnswers.isEmpty())
            return messageAnswers.takeFirst();
        return buttons == ui::MsgButtons::Ok ? ui::MsgResult::Ok : ui::MsgResult::Cancel;
    }
    QString inputBox(QWidget*, const QString&, const QString&, const QString& defaultText) override
    {
        during();
        inputDefaults << defaultText;
        return inputAnswers.isEmpty() ? QString() : inputAnswers.takeFirst();
    }
    std::optional<QString> openFile(QWidget*, const QString&) override { return nextFile(); }
    std::optional<QString> saveFile(QWidget*, const QString&) override { return nextFile(); }
    std::optional<QString> chooseFolder(QWidget*, const QString&) override
    {
        ++folderRequests;
        during();
        return folderAnswers.isEmpty() ? std::nullopt : folderAnswers.takeFirst();
    }

private:
    void during()
    {
        if (duringDialog)
            duringDialog();
    }
    std::optional<QString> nextFile()
    {
        ++fileRequests;
        during();
        return fileAnswers.isEmpty() ? std::nullopt : fileAnswers.takeFirst();
    }
};

} // namespace veltrix::test
