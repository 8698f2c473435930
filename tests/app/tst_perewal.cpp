#include "app/perewal.h"
#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphverticle.h"

#include <QComboBox>
#include <QGraphicsView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

class TestPerewal : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startState();
    void widgetsCarryTheirTexts_data();
    void widgetsCarryTheirTexts();
    void editingButtonsSwitchModes_data();
    void editingButtonsSwitchModes();
    void logLinesAreDatedNewestFirst();
    void comboBoxSetsTheScheme();
    void edgesAreUnitUntilTheComboChanges();
    void viewRectIsSetOnce();
    void resourcesAreCompiledIn();

private:
    template<typename T>
    T *child(const char *name) const
    {
        T *found = window->findChild<T *>(QLatin1String(name));
        if (!found)
            qWarning("no %s", name);
        return found;
    }

    Perewal *window = nullptr;
};

void TestPerewal::init()
{
    window = new Perewal;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void TestPerewal::cleanup()
{
    delete window;
}

void TestPerewal::startState()
{
    QCOMPARE(window->windowTitle(), QStringLiteral("Perewal"));
    QCOMPARE(window->objectName(), QStringLiteral("PerewalClass"));
    // The form asks for 650 x 416; the window grows only where its fonts need more room.
    QCOMPARE(window->size(), QSize(650, 416).expandedTo(window->minimumSizeHint()));
    QCOMPARE(window->font().pointSize(), 10);
    QCOMPARE(child<QLabel>("statusLabel")->text(), QString());
    QCOMPARE(child<QLabel>("statusLabel")->font().pointSize(), 16);
    QCOMPARE(child<QListWidget>("eventLog")->count(), 0);
    QCOMPARE(child<QListWidget>("eventLog")->maximumHeight(), 50);

    auto *combo = child<QComboBox>("newEdgeWieghtComboBox");
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    QCOMPARE(items, (QStringList{"Jednostkowa = 1", "Odleglosc", "Odl. Manhattan", "Losowa 1-10",
                                 "Losowa 1-100", "Losowa 0-10", "Losowa 0-100"}));
    QCOMPARE(combo->currentIndex(), 0);

    QVERIFY(window->graph());
    QCOMPARE(window->graph()->parent(), nullptr);
    QCOMPARE(window->graph()->weightScheme(), int(Graph::Unit));
    QCOMPARE(window->graph()->mode(), int(Graph::Idle));
    auto *view = child<QGraphicsView>("graphView");
    QCOMPARE(view->scene(), window->graph());
    QVERIFY(view->renderHints().testFlag(QPainter::Antialiasing));
    QVERIFY(view->renderHints().testFlag(QPainter::SmoothPixmapTransform));
}

void TestPerewal::widgetsCarryTheirTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");

    QTest::newRow("fleury") << "fleuryButton" << "Algorytm Fluery'ego";
    QTest::newRow("dijkstra-prim") << "dijkstraPrimButton" << "Algorytm Dijkstry-Prima";
    QTest::newRow("minty") << "mintyButton" << "Algorytm Minty'ego";
    QTest::newRow("save") << "graphSaveButton" << "Zapisz graf";
    QTest::newRow("load") << "graphLoadButton" << "Wczytaj graf";
    QTest::newRow("add vertex") << "addVerticleButton" << "Dodaj wierzchołek";
    QTest::newRow("remove vertex") << "removeVerticleButton" << "Usuń wierzchołek";
    QTest::newRow("add edge") << "addEdgeButton" << "Dodaj krawędź";
    QTest::newRow("remove edge") << "removeEdgeButton" << "Usuń krawędź";
    QTest::newRow("weight caption") << "newEgdesWeightLabel" << "Waga nowych krawedzi:";
}

void TestPerewal::widgetsCarryTheirTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);

    QWidget *widget = window->findChild<QWidget *>(name);
    QVERIFY2(widget, qPrintable(name));
    QCOMPARE(widget->property("text").toString(), text);
}

void TestPerewal::editingButtonsSwitchModes_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("logged");

    QTest::newRow("add vertex") << "addVerticleButton" << int(Graph::AddVerticle)
                                << "Dodawanie wierzchołków, kliknij LPM aby dodać"
                                << "Kliknij dwukrotnie aby dodać wierzchołek...";
    QTest::newRow("remove vertex") << "removeVerticleButton" << int(Graph::RemoveVerticle)
                                   << "Usuwanie wierzchołków, kliknij LPM aby usunąć" << QString();
    QTest::newRow("add edge") << "addEdgeButton" << int(Graph::AddEdge)
                              << "Dodawanie krawędzi, przeciągnij aby dodać" << QString();
    QTest::newRow("remove edge") << "removeEdgeButton" << int(Graph::RemoveEdge)
                                 << "Usuwanie krawędzi, kliknij LPM aby usunąc" << QString();
}

void TestPerewal::editingButtonsSwitchModes()
{
    QFETCH(QString, button);
    QFETCH(int, mode);
    QFETCH(QString, status);
    QFETCH(QString, logged);

    QTest::mouseClick(window->findChild<QPushButton *>(button), Qt::LeftButton);
    QCOMPARE(window->graph()->mode(), mode);
    QCOMPARE(child<QLabel>("statusLabel")->text(), status);
    auto *log = child<QListWidget>("eventLog");
    QCOMPARE(log->count(), logged.isNull() ? 0 : 1);
    if (!logged.isNull())
        QVERIFY(log->item(0)->text().endsWith(QStringLiteral(" - ") + logged));
}

void TestPerewal::logLinesAreDatedNewestFirst()
{
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    window->addLogLine(QStringLiteral("pierwsza"));
    emit window->graph()->showExternInfo(QStringLiteral("druga - z myślnikiem"));
    const QDateTime after = QDateTime::currentDateTime().addSecs(1);

    auto *log = child<QListWidget>("eventLog");
    QCOMPARE(log->count(), 2);
    const QStringList expectedMessages{"druga - z myślnikiem", "pierwsza"};
    for (int row = 0; row < 2; ++row) {
        const QString line = log->item(row)->text();
        const int separator = line.indexOf(QStringLiteral(" - "));
        QVERIFY(separator > 0);
        QCOMPARE(line.mid(separator + 3), expectedMessages.at(row));
        const QDateTime stamp = QDateTime::fromString(line.left(separator), Qt::TextDate);
        QVERIFY2(stamp.isValid(), qPrintable(line));
        QCOMPARE(line.left(separator), stamp.toString(Qt::TextDate));
        QVERIFY(stamp >= before.addMSecs(-before.time().msec()) && stamp <= after);
    }
}

void TestPerewal::comboBoxSetsTheScheme()
{
    auto *combo = child<QComboBox>("newEdgeWieghtComboBox");
    combo->setCurrentIndex(4);
    QCOMPARE(window->graph()->weightScheme(), 4);

    // Choosing the item already shown passes nothing on.
    window->graph()->setWeightScheme(2);
    combo->setCurrentIndex(4);
    QCOMPARE(window->graph()->weightScheme(), 2);

    window->weighSchemeChanged(6);
    QCOMPARE(window->graph()->weightScheme(), 6);
}

void TestPerewal::edgesAreUnitUntilTheComboChanges()
{
    Graph *graph = window->graph();
    GraphVerticle *a = graph->addVerticle(QPointF(0, 0));
    GraphVerticle *b = graph->addVerticle(QPointF(300, 400));
    QVERIFY(graph->addEdge(a, b, graph->newEdgeWeight(a, b)));
    QCOMPARE(graph->edges().first()->weight(), 1.0);
}

void TestPerewal::viewRectIsSetOnce()
{
    auto *view = child<QGraphicsView>("graphView");
    QCOMPARE(view->sceneRect(), QRectF(0, 0, 100, 100));
    window->graph()->addVerticle(QPointF(900, 900));
    QCOMPARE(view->sceneRect(), QRectF(0, 0, 100, 100));
}

void TestPerewal::resourcesAreCompiledIn()
{
    // Registered before main() by every program that links the core.
    QCOMPARE(QImage(QStringLiteral(":/descriptions/legenda.png")).size(), QSize(171, 98));
    QCOMPARE(QImage(QStringLiteral(":/icons/perewal.png")).size(), QSize(256, 256));
}

QTEST_MAIN(TestPerewal)
#include "tst_perewal.moc"
