#include "app/perewal.h"
#include "graph/graph.h"
#include "graph/graphverticle.h"
#include "tests/graphfixtures.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

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

// Takes the permission away; false where the user can write or read anyway (root).
bool denyAccess(const QString &path, QFileDevice::Permissions keep, QIODevice::OpenMode probe)
{
    QFile::setPermissions(path, keep);
    const bool folder = QFileInfo(path).isDir();
    QFile file(folder ? path + QStringLiteral("/probe") : path);
    const bool denied = !file.open(probe);
    if (folder && !denied)
        file.remove();
    return denied;
}

// Picks the file as a user would; a dialog leaves the name field alone while it has the focus.
void choose(QFileDialog *dialog, const QString &file)
{
    if (QWidget *focus = dialog->focusWidget())
        focus->clearFocus();
    dialog->selectFile(file);
    static_cast<QDialog *>(dialog)->accept();
}

bool connected(const Graph &graph)
{
    const QList<GraphVerticle *> all = graph.verticles();
    if (all.isEmpty())
        return true;
    QList<GraphVerticle *> reached{all.first()};
    for (int i = 0; i < reached.size(); ++i) {
        for (GraphVerticle *next : graph.neighboursOf(reached.at(i))) {
            if (!reached.contains(next))
                reached.append(next);
        }
    }
    return reached.size() == all.size();
}

bool evenDegrees(const Graph &graph)
{
    for (const GraphVerticle *v : graph.verticles()) {
        if (graph.edgesOf(v).size() % 2)
            return false;
    }
    return true;
}

} // namespace

class TestPerewalFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void saveWritesTheWholeFile();
    void failedSaveKeepsTheOldFile_data();
    void failedSaveKeepsTheOldFile();
    void loadReplacesTheDrawing_data();
    void loadReplacesTheDrawing();
    void failedLoadKeepsTheDrawing_data();
    void failedLoadKeepsTheDrawing();
    void cancelledDialogsChangeNothing_data();
    void cancelledDialogsChangeNothing();
    void saveDialogWritesTheChosenFile();
    void examplesOpenFromTheLoadDialog_data();
    void examplesOpenFromTheLoadDialog();

private:
    // Runs the slot and answers the file dialog it opens, noting what the dialog showed.
    void runWithDialog(void (Perewal::*slot)(), const std::function<void(QFileDialog *)> &answer);
    QStringList logged() const;
    QString path(const QString &name) const { return QDir::toNativeSeparators(dir->filePath(name)); }

    Perewal *window = nullptr;
    QTemporaryDir *dir = nullptr;
    QString caption;
    QStringList filters;
    QString startFolder;
};

void TestPerewalFiles::init()
{
    dir = new QTemporaryDir;
    QVERIFY(dir->isValid());
    window = new Perewal;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    caption = QString();
    filters.clear();
    startFolder.clear();
}

void TestPerewalFiles::cleanup()
{
    delete window;
    delete dir;
}

void TestPerewalFiles::runWithDialog(void (Perewal::*slot)(), const std::function<void(QFileDialog *)> &answer)
{
    // The dialog fills its file list in the background and may drop a
    // selection made before it is done, so the answer is given again until
    // the dialog closes.
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [this, &answer] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (caption.isNull()) {
            caption = dialog->windowTitle();
            filters = dialog->nameFilters();
            startFolder = QFileInfo(dialog->directory().absolutePath()).canonicalFilePath();
        }
        answer(dialog);
    });
    poll.start(10);
    (window->*slot)();
}

QStringList TestPerewalFiles::logged() const
{
    // The date goes before " - "; the message follows it.
    QStringList messages;
    auto *log = window->findChild<QListWidget *>(QStringLiteral("eventLog"));
    for (int row = 0; row < log->count(); ++row)
        messages.append(log->item(row)->text().section(QStringLiteral(" - "), 1));
    return messages;
}

void TestPerewalFiles::saveWritesTheWholeFile()
{
    drawTriangle(*window->graph());
    const QString target = path("trojkat.graf");
    QVERIFY(writeFile(target, QByteArray(500, 'x')));

    QVERIFY(window->saveGraphTo(target));
    QCOMPARE(readFile(target).toHex(' '), triangleFile().toHex(' '));
    QCOMPARE(QDir(dir->path()).entryList(QDir::Files), QStringList{"trojkat.graf"});
    QCOMPARE(logged(), QStringList());
}

void TestPerewalFiles::failedSaveKeepsTheOldFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("folder");

    QTest::newRow("the target is a folder") << "stary.graf" << "stary.graf";
    QTest::newRow("the folder does not exist") << "brak/nowy.graf" << QString();
    QTest::newRow("the folder is read-only") << "tylko-do-odczytu/stary.graf" << "tylko-do-odczytu";
}

void TestPerewalFiles::failedSaveKeepsTheOldFile()
{
    QFETCH(QString, target);
    QFETCH(QString, folder);

    // Whatever stands there already: a file of its own, inside the folder.
    const QString old = folder.isNull() ? QString() : path(folder + QStringLiteral("/stary.graf"));
    if (!folder.isNull()) {
        QVERIFY(QDir(dir->path()).mkpath(folder));
        QVERIFY(writeFile(old, triangleFile()));
    }
    if (QTest::currentDataTag() == QByteArrayLiteral("the folder is read-only")
        && !denyAccess(path(folder), QFile::ReadOwner | QFile::ExeOwner, QIODevice::WriteOnly))
        QSKIP("this user writes into read-only folders");

    window->graph()->addVerticle(QPointF(1, 2));
    QVERIFY(!window->saveGraphTo(path(target)));

    if (folder.isNull()) {
        QVERIFY(!QFileInfo::exists(path(target)));
    } else {
        QFile::setPermissions(path(folder), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(QDir(path(folder)).entryList(QDir::Files), QStringList{"stary.graf"});
        QCOMPARE(readFile(old), triangleFile());
    }
    const QStringList messages = logged();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.first().startsWith(QStringLiteral("Nie udało się zapisać grafu do pliku %1 (")
                                             .arg(path(target))),
             qPrintable(messages.first()));
}

void TestPerewalFiles::loadReplacesTheDrawing_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("edges");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("the triangle") << triangleFile() << (QStringList{"AB", "BC", "CA"}) << QStringList();
    // The triangle with its last edge record turned into a loop C-C and a fourth record B-A.
    QByteArray skipped = triangleFile();
    skipped[7] = 4;
    skipped[skipped.size() - 9] = 'C';
    skipped += QByteArray::fromHex("0042 0041 4000000000000000");
    QTest::newRow("skipped records are logged, newest first")
        << skipped << (QStringList{"AB", "BC"})
        << QStringList{"Krawedz już istnieje...", "Pominięto krawędź nr 3 z pliku (C-C): łączy wierzchołek z nim samym"};
}

void TestPerewalFiles::loadReplacesTheDrawing()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, edges);
    QFETCH(QStringList, messages);

    Graph *graph = window->graph();
    for (int i = 0; i < 5; ++i)
        graph->addVerticle(QPointF(i, i));
    QVERIFY(writeFile(path("plik.graf"), file));

    QVERIFY(window->loadGraphFrom(path("plik.graf")));
    QCOMPARE(names(graph->verticles()), (QStringList{"A", "B", "C"}));
    QCOMPARE(graph->verticles().at(2)->pos(), QPointF(30, 60));
    QCOMPARE(names(graph->edges()), edges);
    QCOMPARE(logged(), messages);
}

void TestPerewalFiles::failedLoadKeepsTheDrawing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");

    const QString cannotOpen = QStringLiteral("Nie udało się otworzyć pliku %1 (");
    const QString damaged = QStringLiteral("Plik %1 jest uszkodzony albo nie zawiera grafu, graf pozostał bez zmian");
    QTest::newRow("a missing file") << "brak.graf" << QByteArray() << cannotOpen;
    QTest::newRow("a folder") << "folder.graf" << QByteArray() << cannotOpen;
    QTest::newRow("an unreadable file") << "tajny.graf" << triangleFile() << cannotOpen;
    QTest::newRow("an empty file") << "pusty.graf" << QByteArray("") << damaged;
    QTest::newRow("a negative count") << "ujemny.graf" << QByteArray::fromHex("ffffffff00000000") << damaged;
}

void TestPerewalFiles::failedLoadKeepsTheDrawing()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);

    if (name == QStringLiteral("folder.graf"))
        QVERIFY(QDir(dir->path()).mkdir(name));
    else if (!content.isNull())
        QVERIFY(writeFile(path(name), content));
    if (name == QStringLiteral("tajny.graf") && !denyAccess(path(name), {}, QIODevice::ReadOnly))
        QSKIP("this user reads files without read permission");

    Graph *graph = window->graph();
    drawTriangle(*graph);
    graph->addVerticle(QPointF(70, 80));
    const QStringList before = snapshot(*graph);

    QVERIFY(!window->loadGraphFrom(path(name)));
    QCOMPARE(snapshot(*graph), before);
    const QStringList messages = logged();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.first().startsWith(message.arg(path(name))), qPrintable(messages.first()));
}

void TestPerewalFiles::cancelledDialogsChangeNothing_data()
{
    QTest::addColumn<bool>("saving");
    QTest::addColumn<QString>("expectedCaption");

    QTest::newRow("save") << true << "Wybierz plik do zapisu";
    QTest::newRow("load") << false << "Wybierz plik z grafem do wczytania";
}

void TestPerewalFiles::cancelledDialogsChangeNothing()
{
    QFETCH(bool, saving);
    QFETCH(QString, expectedCaption);

    drawTriangle(*window->graph());
    const QStringList before = snapshot(*window->graph());
    const QDir grafy(QCoreApplication::applicationDirPath() + QStringLiteral("/grafy"));
    const QStringList files = grafy.entryList(QDir::Files);

    runWithDialog(saving ? &Perewal::saveGraph : &Perewal::loadGraph, [](QFileDialog *dialog) { dialog->reject(); });

    QCOMPARE(caption, expectedCaption);
    QCOMPARE(filters, QStringList{"Pliki z grafami (*.graf)"});
    QCOMPARE(startFolder, grafy.canonicalPath());
    QCOMPARE(snapshot(*window->graph()), before);
    QCOMPARE(grafy.entryList(QDir::Files), files);
    QCOMPARE(logged(), QStringList());
}

void TestPerewalFiles::saveDialogWritesTheChosenFile()
{
    drawTriangle(*window->graph());
    const QString target = path("z-okna.graf");

    runWithDialog(&Perewal::saveGraph, [target](QFileDialog *dialog) { choose(dialog, target); });

    QCOMPARE(caption, QStringLiteral("Wybierz plik do zapisu"));
    QCOMPARE(readFile(target).toHex(' '), triangleFile().toHex(' '));
}

void TestPerewalFiles::examplesOpenFromTheLoadDialog_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("verticles");
    QTest::addColumn<int>("edges");
    QTest::addColumn<bool>("isConnected");
    QTest::addColumn<bool>("isEulerian");

    QTest::newRow("shortest paths") << "najkrotsze-sciezki.graf" << 6 << 9 << true << false;
    QTest::newRow("spanning tree") << "drzewo-rozpinajace.graf" << 7 << 11 << true << false;
    QTest::newRow("euler cycle") << "cykl-eulera.graf" << 6 << 9 << true << true;
    QTest::newRow("refusals") << "niespojny.graf" << 6 << 5 << false << false;
}

void TestPerewalFiles::examplesOpenFromTheLoadDialog()
{
    QFETCH(QString, name);
    QFETCH(int, verticles);
    QFETCH(int, edges);
    QFETCH(bool, isConnected);
    QFETCH(bool, isEulerian);

    // This test runs beside the program, so its dialogs start where the program's do.
    runWithDialog(&Perewal::loadGraph, [name](QFileDialog *dialog) { choose(dialog, name); });

    QCOMPARE(caption, QStringLiteral("Wybierz plik z grafem do wczytania"));
    const Graph &graph = *window->graph();
    QCOMPARE(graph.verticles().size(), verticles);
    QCOMPARE(graph.edges().size(), edges);
    QCOMPARE(connected(graph), isConnected);
    QCOMPARE(connected(graph) && evenDegrees(graph), isEulerian);
    QCOMPARE(logged(), QStringList());

    // Written by the program itself: saving it again gives the same bytes.
    QVERIFY(window->saveGraphTo(path(name)));
    QCOMPARE(readFile(path(name)), readFile(startFolder + QLatin1Char('/') + name));
}

QTEST_MAIN(TestPerewalFiles)
#include "tst_perewalfiles.moc"
