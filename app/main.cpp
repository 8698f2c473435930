#include "app/perewal.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setWindowIcon(QIcon(QStringLiteral(":/icons/perewal.png")));

    Perewal window;
    window.show();
    window.openArguments(app.arguments());
    return app.exec();
}
