#include "app/perewal.h"
#include "app/translations.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setWindowIcon(QIcon(QStringLiteral(":/icons/perewal.png")));
    Translations translations;
    translations.install(app, Translations::chooseLanguage(QLocale::system().uiLanguages()));

    Perewal window;
    window.show();
    window.openArguments(app.arguments());
    return app.exec();
}
