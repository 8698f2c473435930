#include "app/perewal.h"
#include "graph/graph.h"
#include "tests/graphfixtures.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QListWidget>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <memory>

#include <sys/resource.h>

using namespace fixtures;

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// While it lives, a file being written may grow to at most room bytes (0: no
// limit); writing past it fails, as on a full disk.
struct FileSizeLimit
{
    explicit FileSizeLimit(int room)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit limit{room ? rlim_t(room) : old.rlim_cur, old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }
    rlimit old;
};

} // namespace

class TestPerewalFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void savingKeepsTheOldFileUnlessItSucceeds_data();
    void savingKeepsTheOldFileUnlessItSucceeds();
    void loadingReplacesTheDrawingOrLogsWhy_data();
    void loadingReplacesTheDrawingOrLogsWhy();
    void fileDialogs_data();
    void fileDialogs();

private:
    // Runs the slot and answers the file dialog it opens with the file, or cancels it for none.
    void runWithDialog(void (Perewal::*slot)(), const QString &answer);
    QString logged() const;
    QString path(const QString &name) const { return QDir::toNativeSeparators(dir->filePath(name)); }

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<Perewal> window;
    QStringList dialogShowed; // caption, filters, start folder
};

void TestPerewalFiles::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    window = std::make_unique<Perewal>();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    dialogShowed.clear();
}

void TestPerewalFiles::runWithDialog(void (Perewal::*slot)(), const QString &answer)
{
    // The dialog fills its file list in the background and may drop a
    // selection made before it is done, so the answer is given again until
    // the dialog closes. A file it refuses would keep it, or its warning,
    // open for good: after three seconds they are cancelled instead.
    QTimer poll;
    int polls = 0;
    connect(&poll, &QTimer::timeout, this, [this, answer, &polls] {
        auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (dialog && dialogShowed.isEmpty()) {
            dialogShowed << dialog->windowTitle() << dialog->nameFilters()
                         << QFileInfo(dialog->directory().absolutePath()).canonicalFilePath();
        }
        if (modal && (answer.isEmpty() || ++polls > 300)) {
            modal->reject();
        } else if (dialog) {
            // The dialog leaves the name field alone while it has the focus.
            if (QWidget *focus = dialog->focusWidget())
                focus->clearFocus();
            dialog->selectFile(answer);
            // Queued, so that a warning it raises does not block this timer.
            QMetaObject::invokeMethod(dialog, &QDialog::accept, Qt::QueuedConnection);
        }
    });
    poll.start(10);
    (window.get()->*slot)();
}

QString TestPerewalFiles::logged() const
{
    // Without the date before the first " - ", and without the system's reason given after a file name.
    QStringList messages;
    auto *log = window->findChild<QListWidget *>(QStringLiteral("eventLog"));
    for (int row = 0; row < log->count(); ++row)
        messages.append(log->item(row)->text().section(QStringLiteral(" - "), 1));
    static const QRegularExpression reason(QStringLiteral("\\.graf \\([^()]*\\)"));
    return messages.join(QLatin1Char('\n')).replace(reason, QStringLiteral(".graf (...)"));
}

void TestPerewalFiles::savingKeepsTheOldFileUnlessItSucceeds_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("room");
    QTest::addColumn<bool>("saved");

    QTest::newRow("over an old, longer file") << "stary.graf" << 0 << true;
    QTest::newRow("onto a folder") << "folder.graf" << 0 << false;
    QTest::newRow("into a missing folder") << "brak/nowy.graf" << 0 << false;
    QTest::newRow("over an old file, the disk full half way") << "stary.graf" << 50 << false;
}

void TestPerewalFiles::savingKeepsTheOldFileUnlessItSucceeds()
{
    QFETCH(QString, target);
    QFETCH(int, room);
    QFETCH(bool, saved);

    QVERIFY(writeFile(path("stary.graf"), QByteArray(500, 'x')));
    QVERIFY(QDir(dir->path()).mkdir("folder.graf"));
    drawTriangle(*window->graph());

    bool result = false;
    {
        const FileSizeLimit limit(room);
        result = window->saveGraphTo(path(target));
    }
    QCOMPARE(result, saved);

    QCOMPARE(readFile(path("stary.graf")), saved ? triangleFile() : QByteArray(500, 'x'));
    QCOMPARE(QDir(dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             (QStringList{"folder.graf", "stary.graf"}));
    const QString failed = QStringLiteral("Nie udało się zapisać grafu do pliku %1 (...)").arg(path(target));
    QCOMPARE(logged(), saved ? QString() : failed);
}

void TestPerewalFiles::loadingReplacesTheDrawingOrLogsWhy_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("scene");
    QTest::addColumn<QString>("message");

    const QString cannotOpen = QStringLiteral("Nie udało się otworzyć pliku %1 (...), graf pozostał bez zmian");
    const QString damaged = QStringLiteral("Plik %1 jest uszkodzony albo nie zawiera grafu, graf pozostał bez zmian");
    const QStringList unchanged;

    QTest::newRow("the triangle") << "trojkat.graf" << triangleFile() << triangleDescription << QString();
    // The triangle with its last edge record turned into a loop C-C and a fourth record B-A.
    QByteArray skipped = triangleFile();
    skipped[7] = 4;
    skipped[skipped.size() - 9] = 'C';
    skipped += QByteArray::fromHex("0042 0041 4000000000000000");
    QTest::newRow("skipped records are logged, newest first")
        << "pominiete.graf" << skipped << triangleDescription.mid(0, 5)
        << "Krawedz już istnieje...\nPominięto krawędź nr 3 z pliku (C-C): łączy wierzchołek z nim samym";
    QTest::newRow("a missing file") << "brak.graf" << QByteArray() << unchanged << cannotOpen;
    QTest::newRow("an empty file") << "pusty.graf" << QByteArray("") << unchanged << damaged;
    QTest::newRow("a negative count") << "ujemny.graf" << QByteArray::fromHex("ffffffff00000000") << unchanged
                                      << damaged;
}

void TestPerewalFiles::loadingReplacesTheDrawingOrLogsWhy()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QStringList, scene);
    QFETCH(QString, message);

    if (!content.isNull())
        QVERIFY(writeFile(path(name), content));
    Graph *graph = window->graph();
    drawSomething(*graph);
    const QStringList before = snapshot(*graph);

    const bool loads = !scene.isEmpty();
    QCOMPARE(window->loadGraphFrom(path(name)), loads);
    QCOMPARE(loads ? describe(*graph) : snapshot(*graph), loads ? scene : before);
    QCOMPARE(logged(), message.replace(QStringLiteral("%1"), path(name)));
}

void TestPerewalFiles::fileDialogs_data()
{
    QTest::addColumn<bool>("saving");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("size"); // vertices and edges afterwards

    QTest::newRow("cancelling the save dialog") << true << QString() << "3 3";
    QTest::newRow("cancelling the load dialog") << false << QString() << "3 3";
    QTest::newRow("saving to the chosen file") << true << "z-okna.graf" << "3 3";
    // This test runs beside the program, so the load dialog starts among the examples the build copied.
    QTest::newRow("example of shortest paths") << false << "najkrotsze-sciezki.graf" << "6 9";
    QTest::newRow("example of a spanning tree") << false << "drzewo-rozpinajace.graf" << "7 11";
    QTest::newRow("example of an Euler cycle") << false << "cykl-eulera.graf" << "6 9";
    QTest::newRow("example of refusals") << false << "niespojny.graf" << "6 5";
}

void TestPerewalFiles::fileDialogs()
{
    QFETCH(bool, saving);
    QFETCH(QString, answer);
    QFETCH(QString, size);

    Graph &graph = *window->graph();
    drawTriangle(graph);
    const QStringList before = snapshot(graph);
    const QDir grafy(QCoreApplication::applicationDirPath() + QStringLiteral("/grafy"));
    const QStringList examples = grafy.entryList(QDir::Files);
    const bool loading = !saving && !answer.isEmpty();
    // What is saved goes to the scratch folder; what is loaded comes from the dialog's own.
    const QString chosen = saving && !answer.isEmpty() ? path(answer) : answer;

    runWithDialog(saving ? &Perewal::saveGraph : &Perewal::loadGraph, chosen);

    const QString caption = saving ? "Wybierz plik do zapisu" : "Wybierz plik z grafem do wczytania";
    QCOMPARE(dialogShowed, (QStringList{caption, "Pliki z grafami (*.graf)", grafy.canonicalPath()}));
    QCOMPARE(grafy.entryList(QDir::Files), examples);
    QCOMPARE(logged(), QString());
    QCOMPARE(QStringLiteral("%1 %2").arg(graph.verticles().size()).arg(graph.edges().size()), size);
    if (!loading)
        QCOMPARE(snapshot(graph), before);
    if (answer.isEmpty())
        return;
    // An example, saved again, gives its own bytes: the program wrote it.
    if (loading)
        QVERIFY(window->saveGraphTo(path(answer)));
    QCOMPARE(readFile(path(answer)), loading ? readFile(grafy.filePath(answer)) : triangleFile());
}

QTEST_MAIN(TestPerewalFiles)
#include "tst_perewalfiles.moc"
