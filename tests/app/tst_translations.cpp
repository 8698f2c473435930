#include "app/perewal.h"
#include "app/translations.h"
#include "solvers/fleurysolver.h"
#include "tests/support/testgraphs.h"

#include <QFileDialog>
#include <QProcess>
#include <QTextBrowser>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <memory>

namespace {

struct Message
{
    QString context;
    QString source;
    QString translation;
    QString type; // "unfinished", "vanished", "obsolete" or empty
};

QList<Message> readCatalogue(const QString &fileName)
{
    QList<Message> messages;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            message = Message{context, {}, {}, {}};
        } else if (xml.name() == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            message.type = xml.attributes().value(QLatin1String("type")).toString();
            message.translation = xml.readElementText();
            messages.append(message);
        }
    }
    return messages;
}

QStringList keys(const QList<Message> &messages)
{
    QStringList result;
    for (const Message &m : messages)
        result.append(m.context + QLatin1String(" | ") + m.source);
    result.sort();
    return result;
}

// Every text a user can read on the window's buttons, labels and combo box, and in its tool bar.
QStringList windowTexts(QWidget &window)
{
    QStringList texts;
    for (const QAbstractButton *button : window.findChildren<QAbstractButton *>())
        texts << button->text();
    for (const QLabel *label : window.findChildren<QLabel *>())
        texts << label->text();
    for (const QComboBox *combo : window.findChildren<QComboBox *>())
        texts << combo->itemText(0);
    texts.removeAll(QString());
    return texts;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void everyTextHasAFinishedTranslation();
    void theCatalogueHoldsTheTextsOfTheSources();
    void theLanguageComesFromTheUsersLanguages_data();
    void theLanguageComesFromTheUsersLanguages();
    void windowsSpeakTheLanguage_data();
    void windowsSpeakTheLanguage();
};

void TestTranslations::everyTextHasAFinishedTranslation()
{
    const QList<Message> messages = readCatalogue(QStringLiteral(PEREWAL_TS_FILE));
    QVERIFY(messages.size() > 100);
    QStringList unfinished;
    for (const Message &m : messages) {
        if (!m.type.isEmpty() || m.translation.trimmed().isEmpty())
            unfinished << m.context + QLatin1String(": ") + m.source + (m.type.isEmpty() ? QString() : " (" + m.type + ")");
    }
    QCOMPARE(unfinished.join('\n'), QString());
}

// lupdate run on the sources finds exactly the texts the committed catalogue translates.
void TestTranslations::theCatalogueHoldsTheTextsOfTheSources()
{
    if (QStringLiteral(PEREWAL_LUPDATE).isEmpty())
        QSKIP("cross-built: lupdate runs on the build machine, whose own build of this test checks the catalogue");
    QTemporaryDir dir;
    const QString fresh = dir.filePath(QStringLiteral("fresh.ts"));
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(PEREWAL_SOURCE_DIR));
    lupdate.start(QStringLiteral(PEREWAL_LUPDATE),
                  {QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                   QStringLiteral("-source-language"), QStringLiteral("pl"), QStringLiteral("-I"), QStringLiteral("."),
                   QLatin1Char('@') + QStringLiteral(PEREWAL_TRANSLATED_SOURCES), QStringLiteral("-ts"), fresh});
    QVERIFY(lupdate.waitForFinished(60000));
    QCOMPARE(lupdate.exitCode(), 0);
    QCOMPARE(keys(readCatalogue(QStringLiteral(PEREWAL_TS_FILE))), keys(readCatalogue(fresh)));
}

void TestTranslations::theLanguageComesFromTheUsersLanguages_data()
{
    QTest::addColumn<QStringList>("uiLanguages");
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << QStringList{"en-GB", "en"} << "en";
    QTest::newRow("Polish") << QStringList{"pl-PL", "pl"} << "pl";
    QTest::newRow("Polish before English") << QStringList{"pl", "en"} << "pl";
    QTest::newRow("German, then English") << QStringList{"de-DE", "de", "en"} << "en";
    QTest::newRow("German only") << QStringList{"de-DE"} << "pl";
    QTest::newRow("none") << QStringList() << "pl";
}

void TestTranslations::theLanguageComesFromTheUsersLanguages()
{
    QFETCH(QStringList, uiLanguages);
    QFETCH(QString, language);
    QCOMPARE(Translations::chooseLanguage(uiLanguages), language);
}

void TestTranslations::windowsSpeakTheLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("some");   // texts that must be among what the user reads
    QTest::addColumn<QStringList>("absent"); // texts that must not be
    QTest::addColumn<QString>("cancel");     // the file dialog's cancel button
    QTest::addColumn<QString>("help");       // the help's title

    const QStringList polish{"Dodaj wierzchołek", "Algorytm Fluery'ego", "Zapisz graf", "Waga nowych krawedzi:",
                             "Krok dalej...", "Wybierz wierzchołek początkowy.", "Historia zdarzeń:"};
    QTest::newRow("English") << "en" << QStringList{"Add vertex", "Next step...", "Save graph"} << polish << "Cancel" << "Perewal – help";
    QTest::newRow("Polish") << "pl" << polish << QStringList{"Add vertex", "Next step..."} << "Anuluj"
                            << "Perewal – pomoc";
}

// The main window, a solver dialog and Qt's own file dialog in the chosen
// language; the window's texts all translated when it is not Polish.
void TestTranslations::windowsSpeakTheLanguage()
{
    QFETCH(QString, language);
    QFETCH(QStringList, some);
    QFETCH(QStringList, absent);
    QFETCH(QString, cancel);
    QFETCH(QString, help);

    Translations translations;
    translations.install(*QCoreApplication::instance(), language);
    Perewal window;
    TestGraphs::build(*window.graph(), "AB1 BC1 CA1");
    QStringList seen = windowTexts(window);
    TestGraphs::driveModal<FleurySolver>(&window, [&] { window.launchFleury(); },
                                         [&](FleurySolver &dialog) { seen << windowTexts(dialog); });
    QString cancelText;
    TestGraphs::driveModal<QFileDialog>(&window, [&] { window.loadGraph(); }, [&](QFileDialog &dialog) {
        const QList<QPushButton *> buttons = dialog.findChildren<QPushButton *>();
        for (const QPushButton *button : buttons) {
            if (button->text().remove(QLatin1Char('&')) == cancel)
                cancelText = cancel;
        }
    });
    // F1 opens the help in the same language.
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F1);
    auto *browser = window.findChild<QTextBrowser *>(QStringLiteral("helpBrowser"));
    QVERIFY(browser && browser->isVisible());
    QCOMPARE(browser->documentTitle(), help);
    QLocale::setDefault(QLocale(QLocale::Polish));
    for (const QString &text : some)
        QVERIFY2(seen.contains(text), qPrintable(text + " is missing from: " + seen.join(" | ")));
    for (const QString &text : absent)
        QVERIFY2(!seen.contains(text), qPrintable(text));
    QCOMPARE(cancelText, cancel);
    // Translated, no text of the window is left in Polish.
    if (language != QLatin1String("pl")) {
        QStringList polish;
        for (const Message &m : readCatalogue(QStringLiteral(PEREWAL_TS_FILE))) {
            if (m.translation != m.source && seen.contains(m.source))
                polish << m.source;
        }
        QCOMPARE(polish.join(" | "), QString());
    }
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
