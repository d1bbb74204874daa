// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace veltrix::ui {

QString chosenLanguage()
{
    QString forced = qEnvironmentVariable("VELTRIX_LANGUAGE").trimmed();
    if (!forced.isEmpty())
        return forced;
    const QStringList languages = QLocale::system().uiLanguages();
    return languages.isEmpty() ? QString() : languages.first();
}

bool installTranslators(QCoreApplication& app, const QString& language)
{
    // "de-DE", "de_AT" and "de" all take the German translation.
    const QString code = QLocale(language).name().section(u'_', 0, 0);
    if (code.isEmpty() || code == u"C" || code == u"en")
        return false;
    auto* ours = new QTranslator(&app);
    if (!ours->load(QStringLiteral(":/i18n/veltrix_") + code)) {
        delete ours;
        return false;
    }
    QCoreApplication::installTranslator(ours);
    auto* qt = new QTranslator(&app);
    if (qt->load(QStringLiteral("qtbase_") + code,
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return true;
}

} // namespace veltrix::ui
