#include "app/perewal.h"
#include "app/translations.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>

#include <csignal>

int main(int argc, char **argv)
{
#ifdef SIGXFSZ
    // A save that reaches the file-size limit must fail and be reported, not
    // end the program and take the drawing with it.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QApplication app(argc, argv);
    app.setWindowIcon(QIcon(QStringLiteral(":/icons/perewal.png")));
    Translations translations;
    translations.install(app, Translations::chooseLanguage(QLocale::system().uiLanguages()));

    Perewal window;
    window.restoreLayout();
    window.show();
    window.openArguments(app.arguments());
    return app.exec();
}
