// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Language.h"

#include "ui/LocaleText.h"

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
    const QLocale asked(language);
    const QString code = asked.name().section(u'_', 0, 0);
    auto* ours = new QTranslator(&app);
    if (code.isEmpty() || code == u"C" || code == u"en" ||
        !ours->load(QStringLiteral(":/i18n/veltrix_") + code)) {
        delete ours;
        // English texts show figures and dates as they always were, whatever the system's locale.
        setDisplayLocale(QLocale::c());
        return false;
    }
    // The figures and dates follow the texts: "de" alone means Germany, "de_AT" stays Austria.
    if (QLocale().language() != asked.language())
        QLocale::setDefault(asked);
    setDisplayLocale(QLocale());
    QCoreApplication::installTranslator(ours);
    auto* qt = new QTranslator(&app);
    if (qt->load(QStringLiteral("qtbase_") + code,
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return true;
}

void removeTranslators(QCoreApplication& app)
{
    for (QTranslator* t : app.findChildren<QTranslator*>(Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
    setDisplayLocale(QLocale::c());
}

} // namespace veltrix::ui
