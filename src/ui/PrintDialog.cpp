// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PrintDialog.h"

#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>

namespace veltrix::ui {

namespace {
PrintDialogRunner& runner()
{
    static PrintDialogRunner current;
    return current;
}
} // namespace

bool runPrintDialog(QPrinter& printer, QWidget* parent)
{
    if (runner())
        return runner()(printer, parent);
    // On the heap: if the parent window is closed and deleted while the dialog runs, it takes
    // the dialog with it, and the guard says so.
    QPointer<QPrintDialog> dialog = new QPrintDialog(&printer, parent);
    const bool accepted = dialog->exec() == QDialog::Accepted;
    if (!dialog)
        return false;
    delete dialog.data();
    return accepted;
}

void setPrintDialogRunner(PrintDialogRunner r)
{
    runner() = std::move(r);
}

} // namespace veltrix::ui
