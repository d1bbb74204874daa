#include "ui/PrintDialog.h"

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
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void setPrintDialogRunner(PrintDialogRunner r)
{
    runner() = std::move(r);
}

} // namespace veltrix::ui
