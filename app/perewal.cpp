#include "app/perewal.h"

#include "graph/editcommand.h"
#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphfile.h"
#include "graph/graphverticle.h"
#include "solvers/dijkstraprimsolver.h"
#include "solvers/fleurysolver.h"
#include "solvers/mintysolver.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Every algorithm runs the same way: a fresh dialog on the window's scene,
// modal, gone when it closes. Clearing its marks is the solver's own task.
template<class Solver>
void runSolver(Graph *scene, QWidget *window)
{
    Solver solver(scene, window);
    solver.exec();
}

// Typed weights are whole numbers that every sum of a run still shows exactly.
constexpr qlonglong maxTypedWeight = 999999999;

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

    ui.newEdgeWieghtComboBox->insertItems(
        ui.newEdgeWieghtComboBox->count(),
        tr("Jednostkowa = 1|Odleglosc|Odl. Manhattan|Losowa 1-10|Losowa 1-100|Losowa 0-10|Losowa 0-100")
            .split(QLatin1Char('|')));

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
    bar->insertActions(first, {fresh, undo, redo});
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

    connect(action({}, {}, {QKeySequence::Save}), &QAction::triggered, this, &Perewal::saveGraph);
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
    setWindowTitle(m_fileName.isEmpty() ? QStringLiteral("Perewal")
                                        : tr("%1[*] – Perewal").arg(QFileInfo(m_fileName).fileName()));
    // Without a file the title is the program's name alone, with no place for the mark.
    setWindowModified(!m_fileName.isEmpty() && !scene->undoStack()->isClean());
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
        return saveGraphAs();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void Perewal::closeEvent(QCloseEvent *event)
{
    if (maybeSave())
        event->accept();
    else
        event->ignore();
}

void Perewal::newDrawing()
{
    if (!maybeSave())
        return;
    scene->undoStack()->push(EditCommand::replaceDrawing(scene, tr("nowy rysunek"), [](Graph &) { return true; }));
    scene->undoStack()->setClean();
    m_fileName.clear();
    showFileName();
    addLogLine(tr("Rozpoczęto nowy rysunek"));
}

void Perewal::editWeight(GraphEdge *edge)
{
    bool accepted = false;
    const QString text = QInputDialog::getText(
        this, tr("Waga krawędzi"),
        tr("Waga krawędzi %1 (liczba całkowita od 0 do %2):").arg(edge->name()).arg(maxTypedWeight),
        QLineEdit::Normal, QString::number(edge->weight(), 'f', 0), &accepted);
    if (!accepted)
        return;
    bool number = false;
    const qlonglong weight = text.trimmed().toLongLong(&number);
    if (!number || weight < 0 || weight > maxTypedWeight) {
        addLogLine(tr("\"%1\" nie jest wagą: waga to liczba całkowita od 0 do %2. Krawędź %3 ma nadal wagę %4")
                       .arg(text)
                       .arg(maxTypedWeight)
                       .arg(edge->name(), QString::number(edge->weight(), 'f', 0)));
        return;
    }
    if (weight == edge->storedWeight())
        return;
    scene->undoStack()->push(EditCommand::setWeight(scene, edge, weight));
    addLogLine(tr("Zmieniono wagę krawędzi %1 na %2").arg(edge->name()).arg(weight));
}

void Perewal::removeUnderPointer()
{
    QWidget *canvas = ui.graphView->viewport();
    const QPoint pointer = canvas->mapFromGlobal(QCursor::pos());
    if (!canvas->rect().contains(pointer))
        return;
    const auto [verticle, edge] = scene->itemsAt(ui.graphView->mapToScene(pointer));
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
    // One help window, beside the main window rather than over it, so that
    // the drawing stays in sight while reading.
    if (!m_help) {
        m_help = new QDialog(this);
        m_help->setObjectName(QStringLiteral("helpWindow"));
        m_help->setWindowTitle(tr("Pomoc – Perewal"));
        auto *browser = new QTextBrowser(m_help);
        browser->setObjectName(QStringLiteral("helpBrowser"));
        browser->setSource(QUrl(QStringLiteral("qrc:/help/pomoc.html")));
        auto *layout = new QVBoxLayout(m_help);
        layout->addWidget(browser);
        m_help->resize(QSize(620, 640).boundedTo(screen()->availableGeometry().size() - QSize(16, 48)));
    }
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
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
    auto *item = new QListWidgetItem(QDateTime::currentDateTime().toString(Qt::TextDate) + QStringLiteral(" - ") + line);
    item->setToolTip(item->text());
    ui.eventLog->insertItem(0, item);
}

void Perewal::launchFleury()
{
    runSolver<FleurySolver>(scene, this);
}

void Perewal::launchDijkstraPrim()
{
    runSolver<DijkstraPrimSolver>(scene, this);
}

void Perewal::launchMinty()
{
    runSolver<MintySolver>(scene, this);
}

QString Perewal::graphFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/grafy");
}

void Perewal::saveGraph()
{
    saveGraphAs();
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
// was left. A name saved without an extension gets .graf, or the load dialog's
// filter would hide the file.
QString Perewal::askForFile(QFileDialog::AcceptMode mode, const QString &caption)
{
    QFileDialog dialog(this, caption, m_folder.isEmpty() ? graphFolder() : m_folder, tr("Pliki z grafami (*.graf)"));
    dialog.setAcceptMode(mode);
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
    showFileName();
    return true;
}

void Perewal::weighSchemeChanged(int index)
{
    scene->setWeightScheme(index);
}
