#include "app/perewal.h"
#include "app/weightdialog.h"

#include "app/randomgraphdialog.h"
#include "graph/editcommand.h"
#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphfile.h"
#include "graph/graphview.h"
#include "graph/graphverticle.h"
#include "solvers/dijkstraprimsolver.h"
#include "solvers/exercise.h"
#include "solvers/fleurysolver.h"
#include "solvers/helpwindow.h"
#include "solvers/mintysolver.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QSettings>
#include <QStandardPaths>
#include <QToolBar>
#include <QToolButton>

#include <utility>

#include <functional>
#include <type_traits>

namespace {

// Every algorithm runs the same way: a fresh dialog on the window's scene,
// modal, gone when it closes. Clearing its marks is the solver's own task.
// "Nowe ćwiczenie" closes it, and it opens again on a new graph, in the exercise mode.
template<class Solver>
void runSolver(Graph *scene, QWidget *window, const std::function<QString(int)> &newGraph)
{
    QString fresh;
    for (;;) {
        Solver solver(scene, window);
        if (!fresh.isEmpty())
            solver.template findChild<Exercise *>()->begin(fresh);
        if (solver.exec() != Exercise::NewExercise)
            return;
        fresh = newGraph(std::is_same_v<Solver, FleurySolver> ? GraphGenerator::EulerianConnected
                                                               : GraphGenerator::Connected);
        if (fresh.isEmpty())
            return;
    }
}

// The weight schemes' names, in the order of Graph::WeightScheme.
QStringList schemeNames()
{
    return Perewal::tr("Jednostkowa = 1|Odleglosc|Odl. Manhattan|Losowa 1-10|Losowa 1-100|Losowa 0-10|Losowa 0-100")
        .split(QLatin1Char('|'));
}

} // namespace

Perewal::Perewal(QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
{
    ui.setupUi(this);

    scene = new Graph;
    ui.graphView->setScene(scene);
    // Qt 6 has no separate high-quality antialiasing hint; its antialiasing is that quality.
    ui.graphView->setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    connect(ui.graphView, &GraphView::pictureSaved, this, [this](const QString &fileName) {
        addLogLine(tr("Zapisano obraz rysunku w pliku %1").arg(QDir::toNativeSeparators(fileName)));
    });
    ui.graphView->takeExtraRoom();
    // Long lines show whole in their tooltips rather than behind a scroll bar.
    ui.eventLog->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    ui.newEdgeWieghtComboBox->insertItems(ui.newEdgeWieghtComboBox->count(), schemeNames());

    // Connected only after the combo box is filled, so filling it passes no index to the scene.
    connect(ui.addVerticleButton, &QPushButton::clicked, scene, qOverload<>(&Graph::addVerticle));
    connect(ui.addEdgeButton, &QPushButton::clicked, scene, qOverload<>(&Graph::addEdge));
    connect(ui.removeEdgeButton, &QPushButton::clicked, scene, qOverload<>(&Graph::removeEdge));
    connect(ui.removeVerticleButton, &QPushButton::clicked, scene, qOverload<>(&Graph::removeVerticle));
    connect(scene, &Graph::showExternInfo, this, &Perewal::addLogLine);
    connect(scene, &Graph::stateChanged, ui.statusLabel, &QLabel::setText);
    connect(ui.fleuryButton, &QPushButton::clicked, this, &Perewal::launchFleury);
    connect(ui.dijkstraPrimButton, &QPushButton::clicked, this, &Perewal::launchDijkstraPrim);
    connect(ui.mintyButton, &QPushButton::clicked, this, &Perewal::launchMinty);
    connect(ui.graphSaveButton, &QPushButton::clicked, this, &Perewal::saveGraph);
    connect(ui.graphLoadButton, &QPushButton::clicked, this, &Perewal::loadGraph);
    connect(ui.newEdgeWieghtComboBox, &QComboBox::currentIndexChanged, this, &Perewal::weighSchemeChanged);

    connect(scene, &Graph::modeChanged, this, &Perewal::showMode);
    connect(scene, &Graph::edgeDoubleClicked, this, &Perewal::editWeight);
    connect(scene->undoStack(), &QUndoStack::cleanChanged, this, &Perewal::showFileName);
    createActions();
    showFileName();
    ui.graphView->setEmptyHint(tr("Kliknij „Dodaj wierzchołek”, a potem kliknij tutaj, aby dodać pierwszy wierzchołek. "
                                  "Pomoc: F1."));
}

// The tool bar over the canvas starts with a new drawing, undo and redo; the
// buttons get their keys; Delete removes what is under the mouse pointer.
void Perewal::createActions()
{
    auto action = [this](const QString &text, const QString &toolTip, const QList<QKeySequence> &keys) {
        auto *created = new QAction(text, this);
        created->setToolTip(toolTip);
        created->setShortcuts(keys);
        addAction(created);
        return created;
    };
    QAction *fresh = action(tr("Nowy"), tr("Zaczyna nowy, pusty rysunek (Ctrl+N)"), {QKeySequence::New});
    connect(fresh, &QAction::triggered, this, &Perewal::newDrawing);
    QAction *random = action(tr("Losowy graf..."),
                             tr("Tworzy nowy graf o podanej wielkości i rodzaju; ten sam numer daje zawsze ten sam "
                                "graf (Ctrl+G)"),
                             {QKeySequence(Qt::CTRL | Qt::Key_G)});
    random->setObjectName(QStringLiteral("randomGraphAction"));
    // Tool buttons would drop the dots that say a dialog follows.
    random->setIconText(random->text());
    connect(random, &QAction::triggered, this, &Perewal::randomGraph);
    const QString undoTip = tr("Cofa ostatnią zmianę rysunku (Ctrl+Z)");
    QAction *undo = action(tr("Cofnij"), undoTip, {QKeySequence::Undo});
    connect(undo, &QAction::triggered, scene, &Graph::undo);
    const QString redoTip = tr("Ponawia cofniętą zmianę rysunku (Ctrl+Shift+Z albo Ctrl+Y)");
    QAction *redo = action(tr("Ponów"), redoTip,
                           {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(redo, &QAction::triggered, scene, &Graph::redo);

    // The tooltips name the change the next press undoes or redoes.
    QUndoStack *stack = scene->undoStack();
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(stack, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(stack, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    connect(stack, &QUndoStack::undoTextChanged, undo, [undo, undoTip](const QString &text) {
        undo->setToolTip(text.isEmpty() ? undoTip : tr("Cofa: %1 (Ctrl+Z)").arg(text));
    });
    connect(stack, &QUndoStack::redoTextChanged, redo, [redo, redoTip](const QString &text) {
        redo->setToolTip(text.isEmpty() ? redoTip : tr("Ponawia: %1 (Ctrl+Shift+Z albo Ctrl+Y)").arg(text));
    });

    QToolBar *bar = ui.graphView->createToolBar();
    QAction *first = bar->actions().value(0);
    bar->insertActions(first, {fresh, random, undo, redo});
    bar->insertSeparator(first);
    // Help opens at a click; "O programie" waits in its menu.
    QAction *help = action(tr("Pomoc"), tr("Jak rysować graf, jak działają algorytmy, co znaczą kolory i klawisze (F1)"),
                           {QKeySequence::HelpContents});
    connect(help, &QAction::triggered, this, &Perewal::showHelp);
    QAction *about = action(tr("O programie"), tr("Wersja programu, licencja i wersja Qt"), {});
    connect(about, &QAction::triggered, this, &Perewal::showAbout);
    auto *helpButton = new QToolButton;
    helpButton->setObjectName(QStringLiteral("helpButton"));
    helpButton->setPopupMode(QToolButton::MenuButtonPopup);
    helpButton->setDefaultAction(help);
    auto *helpMenu = new QMenu(helpButton);
    helpMenu->addActions({help, about});
    helpButton->setMenu(helpMenu);
    bar->addSeparator();
    bar->addWidget(helpButton);
    ui.canvasToolsLayout->addWidget(bar);

    connect(action({}, {}, {QKeySequence::Save}), &QAction::triggered, this, &Perewal::saveDrawing);
    // Windows has no standard quit key: Ctrl+Q everywhere.
    connect(action({}, {}, {QKeySequence(Qt::CTRL | Qt::Key_Q)}), &QAction::triggered, this, &QWidget::close);
    connect(action({}, {}, {QKeySequence::Open}), &QAction::triggered, this, &Perewal::loadGraph);
    connect(action({}, {}, {QKeySequence::Delete}), &QAction::triggered, this, &Perewal::removeUnderPointer);
}

void Perewal::showMode(int mode)
{
    // The button of the mode stays pressed; in the idle mode none is.
    const QList<QPair<QPushButton *, int>> buttons{{ui.addVerticleButton, Graph::AddVerticle},
                                                   {ui.removeVerticleButton, Graph::RemoveVerticle},
                                                   {ui.addEdgeButton, Graph::AddEdge},
                                                   {ui.removeEdgeButton, Graph::RemoveEdge}};
    for (const auto &[button, buttonMode] : buttons)
        button->setChecked(buttonMode == mode);
}

void Perewal::showFileName()
{
    // A fresh, empty window is titled by the program alone; a drawing
    // without a file or a number is "Bez nazwy" once there is something to lose.
    const bool untouched = m_fileName.isEmpty() && m_generatedTitle.isEmpty() && scene->undoStack()->isClean()
                           && scene->verticles().isEmpty();
    const QString name = !m_fileName.isEmpty()      ? QFileInfo(m_fileName).fileName()
                         : !m_generatedTitle.isEmpty() ? m_generatedTitle
                                                       : tr("Bez nazwy");
    setWindowTitle(untouched ? QStringLiteral("Perewal") : tr("%1[*] – Perewal").arg(name));
    setWindowModified(!untouched && !scene->undoStack()->isClean());
    // Pictures of a drawing are kept beside its file.
    if (!m_fileName.isEmpty())
        GraphView::setPictureFolder(QFileInfo(m_fileName).absolutePath());
}

bool Perewal::maybeSave()
{
    if (scene->undoStack()->isClean())
        return true;
    QMessageBox box(QMessageBox::Question, tr("Perewal"), tr("Zapisać zmiany?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setInformativeText(tr("Rysunek ma zmiany, które nie zostały zapisane."));
    box.button(QMessageBox::Save)->setText(tr("&Zapisz"));
    box.button(QMessageBox::Discard)->setText(tr("&Nie zapisuj"));
    box.button(QMessageBox::Cancel)->setText(tr("&Anuluj"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return saveDrawing();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void Perewal::closeEvent(QCloseEvent *event)
{
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    if (m_remembersLayout) {
        QSettings settings(QStringLiteral("Perewal"), QStringLiteral("Perewal"));
        settings.setValue(QStringLiteral("window/geometry"), saveGeometry());
        settings.setValue(QStringLiteral("window/canvasSplitter"), ui.canvasSplitter->saveState());
    }
    event->accept();
}

void Perewal::restoreLayout()
{
    m_remembersLayout = true;
    QSettings settings(QStringLiteral("Perewal"), QStringLiteral("Perewal"));
    restoreGeometry(settings.value(QStringLiteral("window/geometry")).toByteArray());
    m_splitterState = settings.value(QStringLiteral("window/canvasSplitter")).toByteArray();
}

void Perewal::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // After the canvas has shared out the first height: the remembered heights win over it.
    if (!m_splitterState.isEmpty())
        ui.canvasSplitter->restoreState(std::exchange(m_splitterState, QByteArray()));
}

void Perewal::newDrawing()
{
    if (!maybeSave())
        return;
    scene->undoStack()->push(EditCommand::replaceDrawing(scene, tr("nowy rysunek"), [](Graph &) { return true; }));
    scene->undoStack()->setClean();
    m_fileName.clear();
    m_generatedTitle.clear();
    showFileName();
    addLogLine(tr("Rozpoczęto nowy rysunek"));
}

QString Perewal::exerciseGraph(int kind)
{
    if (!maybeSave())
        return QString();
    return showGeneratedGraph(Exercise::nextGraph(*scene, GraphGenerator::Kind(kind))) ? m_generatedTitle : QString();
}

void Perewal::randomGraph()
{
    if (!maybeSave())
        return;
    // The settings stay from the last graph; the number is new each time, so that a
    // second press gives another graph.
    GraphGenerator::Settings settings = m_generatorSettings;
    settings.number = QRandomGenerator::global()->bounded(1, 100000);
    RandomGraphDialog dialog(settings, schemeNames(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_generatorSettings = dialog.settings();
    showGeneratedGraph(m_generatorSettings);
}

bool Perewal::showGeneratedGraph(const GraphGenerator::Settings &settings)
{
    GraphGenerator generator(settings);
    if (!generator.generate()) {
        addLogLine(tr("Nie utworzono grafu (%1), graf pozostał bez zmian").arg(generator.errorString()));
        return false;
    }
    // Undo brings back the drawing as it was before a run, without its marks.
    scene->resetEdges();
    scene->resetVerticles();
    generator.replaceDrawing(*scene);
    // Read from the back of the classroom: as large as the canvas allows.
    ui.graphView->fitDrawing();
    // Nothing is lost with it: the number makes the same graph again.
    scene->undoStack()->setClean();
    m_fileName.clear();
    m_generatedTitle = GraphGenerator::title(settings.number);
    showFileName();
    addLogLine(tr("%1: %2 wierzchołków, %3 krawędzi").arg(m_generatedTitle).arg(generator.positions().size())
                   .arg(generator.edges().size()));
    if (!generator.note().isEmpty())
        addLogLine(generator.note());
    return true;
}

void Perewal::editWeight(GraphEdge *edge)
{
    WeightDialog dialog(edge->name(), edge->weight(), this);
    if (dialog.exec() != QDialog::Accepted || dialog.weight() == edge->storedWeight())
        return;
    scene->undoStack()->push(EditCommand::setWeight(scene, edge, dialog.weight()));
    addLogLine(tr("Zmieniono wagę krawędzi %1 na %2").arg(edge->name()).arg(dialog.weight()));
}

void Perewal::removeUnderPointer()
{
    QWidget *canvas = ui.graphView->viewport();
    const QPoint pointer = canvas->mapFromGlobal(QCursor::pos());
    if (!canvas->rect().contains(pointer))
        return;
    const auto [verticle, edge] =
        scene->itemsAt(ui.graphView->mapToScene(pointer), Graph::PickMargin / ui.graphView->transform().m11());
    if (verticle) {
        scene->undoStack()->push(EditCommand::removeVerticle(scene, verticle));
        addLogLine(Graph::tr("Usunięto wierzchołek"));
    } else if (edge) {
        scene->undoStack()->push(EditCommand::removeEdge(scene, edge));
        addLogLine(Graph::tr("Usunięto krawędź"));
    }
}

void Perewal::showHelp()
{
    HelpWindow::open(this);
}

void Perewal::showAbout()
{
    QMessageBox::about(this, tr("O programie Perewal"),
                       tr("<h3>Perewal %1</h3>"
                          "<p>Algorytmy grafowe krok po kroku: najkrótsze drogi (Minty), minimalne drzewo rozpinające "
                          "(Dijkstra-Prim) i cykl Eulera (Fleury).</p>"
                          "<p>Licencja: GNU General Public License, wersja 3 lub późniejsza.</p>"
                          "<p>Qt %2 (zbudowany z Qt %3).</p>")
                           .arg(QStringLiteral(PEREWAL_VERSION), QString::fromLatin1(qVersion()),
                                QStringLiteral(QT_VERSION_STR)));
}

void Perewal::openArguments(const QStringList &arguments)
{
    if (arguments.size() > 1)
        loadGraphFrom(arguments.at(1));
}

Perewal::~Perewal()
{
    delete scene;
}

void Perewal::addLogLine(const QString &line)
{
    // The toolkit's text date layout, but with the day and month names of
    // the interface's language: Qt 6's Qt::TextDate is always in English.
    const QString date = QLocale().toString(QDateTime::currentDateTime(), QStringLiteral("ddd MMM d HH:mm:ss yyyy"));
    auto *item = new QListWidgetItem(date + QStringLiteral(" - ") + line);
    item->setToolTip(item->text());
    ui.eventLog->insertItem(0, item);
}

void Perewal::launchFleury()
{
    runSolver<FleurySolver>(scene, this, [this](int kind) { return exerciseGraph(kind); });
}

void Perewal::launchDijkstraPrim()
{
    runSolver<DijkstraPrimSolver>(scene, this, [this](int kind) { return exerciseGraph(kind); });
}

void Perewal::launchMinty()
{
    runSolver<MintySolver>(scene, this, [this](int kind) { return exerciseGraph(kind); });
}

QString Perewal::graphFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/grafy");
}

void Perewal::saveGraph()
{
    saveGraphAs();
}

bool Perewal::saveDrawing()
{
    return m_fileName.isEmpty() ? saveGraphAs() : saveGraphTo(m_fileName);
}

bool Perewal::saveGraphAs()
{
    const QString fileName = askForFile(QFileDialog::AcceptSave, tr("Wybierz plik do zapisu"));
    return !fileName.isNull() && saveGraphTo(fileName);
}

void Perewal::loadGraph()
{
    if (!maybeSave())
        return;
    const QString fileName = askForFile(QFileDialog::AcceptOpen, tr("Wybierz plik z grafem do wczytania"));
    if (!fileName.isNull())
        loadGraphFrom(fileName);
}

// The file dialogs open in grafy beside the program, then where the last one
// was left; a save never opens where it cannot write (the installed grafy),
// but in the user's documents, with grafy a click away in the side bar. A
// name saved without an extension gets .graf, or the load dialog's filter
// would hide the file.
QString Perewal::askForFile(QFileDialog::AcceptMode mode, const QString &caption)
{
    QString folder = m_folder.isEmpty() ? graphFolder() : m_folder;
    if (mode == QFileDialog::AcceptSave && !QFileInfo(folder).isWritable()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!QFileInfo(folder).isDir())
            folder = QDir::homePath();
    }
    QFileDialog dialog(this, caption, folder, tr("Pliki z grafami (*.graf)"));
    dialog.setAcceptMode(mode);
    if (QFileInfo(graphFolder()).isDir()) {
        QList<QUrl> places = dialog.sidebarUrls();
        const QUrl examples = QUrl::fromLocalFile(QDir(graphFolder()).absolutePath());
        if (!places.contains(examples))
            dialog.setSidebarUrls(places << examples);
    }
    if (mode == QFileDialog::AcceptSave) {
        dialog.setDefaultSuffix(QStringLiteral("graf"));
        if (!m_fileName.isEmpty())
            dialog.selectFile(QFileInfo(m_fileName).fileName());
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString fileName = dialog.selectedFiles().first();
    m_folder = QFileInfo(fileName).absolutePath();
    return fileName;
}

bool Perewal::saveGraphTo(const QString &fileName)
{
    GraphFile file;
    if (file.write(fileName, *scene)) {
        scene->undoStack()->setClean();
        m_fileName = fileName;
        showFileName();
        addLogLine(tr("Zapisano graf w pliku %1").arg(QDir::toNativeSeparators(fileName)));
        return true;
    }
    addLogLine(tr("Nie udało się zapisać grafu do pliku %1 (%2)")
                   .arg(QDir::toNativeSeparators(fileName), file.errorString()));
    return false;
}

bool Perewal::loadGraphFrom(const QString &fileName)
{
    // The whole file is checked before the drawing is touched.
    GraphFile file;
    if (!file.read(fileName)) {
        addLogLine(tr("Nie wczytano pliku %1 (%2), graf pozostał bez zmian")
                       .arg(QDir::toNativeSeparators(fileName), file.errorString()));
        return false;
    }
    // One step of the undo stack.
    const QString step = tr("wczytanie pliku %1").arg(QFileInfo(fileName).fileName());
    scene->undoStack()->push(EditCommand::replaceDrawing(scene, step, [&file](Graph &graph) {
        file.replace(graph);
        return true;
    }));
    addLogLine(tr("Wczytano graf z pliku %1: wierzchołki: %2, krawędzie: %3")
                   .arg(QDir::toNativeSeparators(fileName))
                   .arg(scene->verticles().size())
                   .arg(scene->edgeCount()));
    // A drawing larger than the canvas opens whole, as in the algorithm
    // dialogs, and not at its middle; one that fits keeps its size.
    ui.graphView->fitDrawing(1.0);
    scene->undoStack()->setClean();
    m_fileName = fileName;
    m_generatedTitle.clear();
    showFileName();
    return true;
}

void Perewal::weighSchemeChanged(int index)
{
    scene->setWeightScheme(index);
}
