// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>

namespace veltrix::ui {

namespace {
Dialogs* installed = nullptr;

QMessageBox::Icon toQt(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

QString qtFilter(const QString& pipeFilter)
{
    // "A (*.a)|*.a|B (*.*)|*.*|": names and patterns alternate; Qt wants "A (*.a);;B (*.*)".
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList names;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (!parts[i].isEmpty())
            names << parts[i];
    }
    return names.join(QStringLiteral(";;"));
}

// Every dialog is made on the heap and watched: a window that closes while its dialog is open
// (a lost link closes the live views and the Memory window) takes the dialog with it, and
// exec() then returns as if cancelled, instead of the window deleting a dialog on the stack.
namespace {
template <class D> int runGuarded(QPointer<D>& dialog)
{
    const int result = dialog->exec();
    return dialog ? result : QDialog::Rejected;
}

std::optional<QString> fileDialog(QWidget* parent, const QString& caption, const QString& filter,
                                  QFileDialog::AcceptMode mode, QFileDialog::FileMode fileMode)
{
    QPointer<QFileDialog> dialog = new QFileDialog(parent, caption, QString(), filter);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(fileMode);
    if (fileMode == QFileDialog::Directory)
        dialog->setOption(QFileDialog::ShowDirsOnly);
    const bool accepted = runGuarded(dialog) == QDialog::Accepted;
    std::optional<QString> path;
    if (dialog && accepted && !dialog->selectedFiles().isEmpty() &&
        !dialog->selectedFiles().constFirst().isEmpty())
        path = dialog->selectedFiles().constFirst();
    delete dialog.data();
    return path;
}
} // namespace

MsgResult Dialogs::message(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon,
                           const QString& title)
{
    QPointer<QMessageBox> box = new QMessageBox(
        toQt(icon), title.isEmpty() ? QStringLiteral("Veltrix Panel") : title, text,
        buttons == MsgButtons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok,
        parent);
    const int result = runGuarded(box);
    delete box.data();
    return result == QMessageBox::Ok ? MsgResult::Ok : MsgResult::Cancel;
}

QString Dialogs::inputBox(QWidget* parent, const QString& prompt, const QString& title,
                          const QString& defaultText)
{
    QPointer<QInputDialog> dialog = new QInputDialog(parent);
    dialog->setWindowTitle(title);
    dialog->setLabelText(prompt);
    dialog->setTextValue(defaultText);
    const bool accepted = runGuarded(dialog) == QDialog::Accepted;
    QString answer = dialog && accepted ? dialog->textValue() : QString();
    delete dialog.data();
    return answer;
}

std::optional<QString> Dialogs::openFile(QWidget* parent, const QString& pipeFilter)
{
    return fileDialog(parent, QObject::tr("Open"), qtFilter(pipeFilter), QFileDialog::AcceptOpen,
                      QFileDialog::ExistingFile);
}

std::optional<QString> Dialogs::saveFile(QWidget* parent, const QString& pipeFilter)
{
    return fileDialog(parent, QObject::tr("Save As"), qtFilter(pipeFilter), QFileDialog::AcceptSave,
                      QFileDialog::AnyFile);
}

std::optional<QString> Dialogs::chooseFolder(QWidget* parent, const QString& title)
{
    return fileDialog(parent, title.isEmpty() ? QObject::tr("Choose a folder") : title, QString(),
                      QFileDialog::AcceptOpen, QFileDialog::Directory);
}

Dialogs& Dialogs::current()
{
    static Dialogs real;
    return installed ? *installed : real;
}

void Dialogs::setCurrent(Dialogs* d)
{
    installed = d;
}

} // namespace veltrix::ui
