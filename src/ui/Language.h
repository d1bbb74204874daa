// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The language of the windows and the PDF report: our German translation and Qt's own (for the
// standard dialogs' buttons) when the system's language is German, English otherwise.

#include <QString>

class QCoreApplication;

namespace veltrix::ui {

// The language to show: VELTRIX_LANGUAGE ("en", "de") when set, so that a test or a user can
// force one, else the first of the system's languages (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).
QString chosenLanguage();

// Installs the translators for `language` ("de"; anything we have no translation for leaves the
// English texts) into the application; returns whether our translation was found.
bool installTranslators(QCoreApplication& app, const QString& language = chosenLanguage());
// Takes them out again: English texts and figures, for a run that turns out to want them.
void removeTranslators(QCoreApplication& app);

} // namespace veltrix::ui
