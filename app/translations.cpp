#include "app/translations.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>

namespace {

QString catalogue(const QString &language)
{
    return QStringLiteral(":/i18n/perewal_%1.qm").arg(language);
}

} // namespace

QString Translations::chooseLanguage(const QStringList &uiLanguages)
{
    for (const QString &uiLanguage : uiLanguages) {
        const QString language = QLocale(uiLanguage).name().section(QLatin1Char('_'), 0, 0);
        if (language == QLatin1String("pl") || QFile::exists(catalogue(language)))
            return language;
    }
    return QStringLiteral("pl");
}

void Translations::install(QCoreApplication &app, const QString &language)
{
    // Resources in the language's version, where one is made for it.
    QLocale::setDefault(QLocale(language));
    if (m_qt.load(QLocale(language), QStringLiteral("qtbase"), QStringLiteral("_"),
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&m_qt);
    if (language != QLatin1String("pl") && m_program.load(catalogue(language)))
        app.installTranslator(&m_program);
}
