#include "app/perewal.h"

#include "graph/graph.h"
#include "graph/graphfile.h"
#include "solvers/dijkstraprimsolver.h"
#include "solvers/fleurysolver.h"
#include "solvers/mintysolver.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>

namespace {

// Every algorithm runs the same way: a fresh dialog on the window's scene,
// modal, gone when it closes. Clearing its marks is the solver's own task.
template<class Solver>
void runSolver(Graph *scene, QWidget *window)
{
    Solver solver(scene, window);
    solver.exec();
}

} // namespace

Perewal::Perewal(QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
{
    ui.setupUi(this);

    scene = new Graph;
    ui.graphView->setScene(scene);
    // Set once: the view does not follow the items the user draws outside it.
    ui.graphView->setSceneRect(scene->sceneRect());
    // Qt 6 has no separate high-quality antialiasing hint; its antialiasing is that quality.
    ui.graphView->setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);

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
}

Perewal::~Perewal()
{
    delete scene;
}

void Perewal::addLogLine(const QString &line)
{
    ui.eventLog->insertItem(0, QDateTime::currentDateTime().toString(Qt::TextDate) + QStringLiteral(" - ") + line);
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
    const QString fileName = QFileDialog::getSaveFileName(this, tr("Wybierz plik do zapisu"), graphFolder(),
                                                          tr("Pliki z grafami (*.graf)"));
    if (!fileName.isNull())
        saveGraphTo(fileName);
}

void Perewal::loadGraph()
{
    const QString fileName = QFileDialog::getOpenFileName(this, tr("Wybierz plik z grafem do wczytania"),
                                                          graphFolder(), tr("Pliki z grafami (*.graf)"));
    if (!fileName.isNull())
        loadGraphFrom(fileName);
}

bool Perewal::saveGraphTo(const QString &fileName)
{
    GraphFile file;
    if (file.write(fileName, *scene))
        return true;
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
    file.replace(*scene);
    return true;
}

void Perewal::weighSchemeChanged(int index)
{
    scene->setWeightScheme(index);
}
