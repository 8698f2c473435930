#ifndef TRANSLATIONS_H
#define TRANSLATIONS_H

#include <QString>
#include <QStringList>
#include <QTranslator>

class QCoreApplication;

/**
 * The language of the interface. The program's own texts are Polish; a
 * translation is a compiled-in catalogue (":/i18n/perewal_<language>.qm"),
 * and Qt's own texts (file dialogs, message boxes, error reasons) come from
 * Qt's catalogues. The language also picks the resources made for it, such as
 * the legend picture and the help, through the default locale.
 */
class Translations
{
public:
    /// The first of the user's languages that the program speaks: "pl" for its own texts, or one it has a translation for; "pl" when none.
    static QString chooseLanguage(const QStringList &uiLanguages);

    /// Loads the program's and Qt's catalogues for the language into the application; Polish needs only Qt's.
    void install(QCoreApplication &app, const QString &language);

private:
    QTranslator m_program;
    QTranslator m_qt;
};

#endif // TRANSLATIONS_H
