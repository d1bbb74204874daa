// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system print dialog, behind one replaceable call so that tests can accept or cancel it.

#include <functional>

class QPrinter;
class QWidget;

namespace veltrix::ui {

// Shows the print dialog for `printer`; true when the user chose to print (the printer then holds
// the chosen settings), false when cancelled.
bool runPrintDialog(QPrinter& printer, QWidget* parent);

using PrintDialogRunner = std::function<bool(QPrinter& printer, QWidget* parent)>;
// Replaces the dialog; an empty runner restores the system's.
void setPrintDialogRunner(PrintDialogRunner runner);

} // namespace veltrix::ui
