#include "app/perewal.h"
#include "graph/graph.h"
#include "tests/support/testgraphs.h"

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
    void editingButtonsSwitchModes_data();
    void editingButtonsSwitchModes();
    void logLinesAreDatedNewestFirst();
    void comboBoxPassesTheChosenIndex();

private:
    QLabel *status() const { return window->findChild<QLabel *>("statusLabel"); }
    QListWidget *log() const { return window->findChild<QListWidget *>("eventLog"); }
    QComboBox *combo() const { return window->findChild<QComboBox *>("newEdgeWieghtComboBox"); }

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
    QCOMPARE(status()->text(), QString());
    QCOMPARE(log()->count(), 0);
    // Captions whose spelling users know from the program.
    QCOMPARE(window->findChild<QLabel *>("newEgdesWeightLabel")->text(), QStringLiteral("Waga nowych krawedzi:"));
    QCOMPARE(window->findChild<QPushButton *>("fleuryButton")->text(), QStringLiteral("Algorytm Fluery'ego"));

    QStringList schemes;
    for (int i = 0; i < combo()->count(); ++i)
        schemes.append(combo()->itemText(i));
    QCOMPARE(schemes, (QStringList{"Jednostkowa = 1", "Odleglosc", "Odl. Manhattan", "Losowa 1-10",
                                   "Losowa 1-100", "Losowa 0-10", "Losowa 0-100"}));
    QCOMPARE(combo()->currentText(), QStringLiteral("Jednostkowa = 1"));

    QCOMPARE(window->graph()->mode(), int(Graph::Idle));
    QCOMPARE(window->graph()->weightScheme(), int(Graph::Unit));
    auto *view = window->findChild<QGraphicsView *>("graphView");
    QCOMPARE(view->scene(), window->graph());
    // Set once: drawing outside the rectangle does not widen the view.
    window->graph()->addVerticle(QPointF(900, 900));
    QCOMPARE(view->sceneRect(), QRectF(0, 0, 100, 100));

    // Compiled into the core, so every program that links it has them.
    QCOMPARE(QImage(QStringLiteral(":/descriptions/legenda.png")).size(), QSize(171, 98));
    QVERIFY(!QImage(QStringLiteral(":/icons/perewal.png")).isNull());
}

void TestPerewal::editingButtonsSwitchModes_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("logged");

    QTest::newRow("add vertex") << "addVerticleButton" << "Dodawanie wierzchołków, kliknij LPM aby dodać"
                                << QStringList{"Kliknij dwukrotnie aby dodać wierzchołek..."};
    QTest::newRow("remove vertex") << "removeVerticleButton" << "Usuwanie wierzchołków, kliknij LPM aby usunąć"
                                   << QStringList();
    QTest::newRow("add edge") << "addEdgeButton" << "Dodawanie krawędzi, przeciągnij aby dodać" << QStringList();
    QTest::newRow("remove edge") << "removeEdgeButton" << "Usuwanie krawędzi, kliknij LPM aby usunąc"
                                 << QStringList();
}

void TestPerewal::editingButtonsSwitchModes()
{
    QFETCH(QString, button);
    QFETCH(QString, text);
    QFETCH(QStringList, logged);

    QTest::mouseClick(window->findChild<QPushButton *>(button), Qt::LeftButton);
    QCOMPARE(status()->text(), text);
    QStringList messages = TestGraphs::rows(log());
    for (QString &line : messages)
        line = line.section(QStringLiteral(" - "), 1);
    QCOMPARE(messages, logged);
}

void TestPerewal::logLinesAreDatedNewestFirst()
{
    const QString before = QDateTime::currentDateTime().toString(Qt::TextDate);
    window->addLogLine(QStringLiteral("pierwsza"));
    emit window->graph()->showExternInfo(QStringLiteral("druga - z myślnikiem"));
    const QString after = QDateTime::currentDateTime().toString(Qt::TextDate);

    const QStringList lines = TestGraphs::rows(log());
    QCOMPARE(lines.size(), 2);
    const QStringList messages{"druga - z myślnikiem", "pierwsza"};
    for (int row = 0; row < 2; ++row) {
        const QString &line = lines.at(row);
        QVERIFY2(line == before + " - " + messages.at(row) || line == after + " - " + messages.at(row),
                 qPrintable(line));
    }
}

void TestPerewal::comboBoxPassesTheChosenIndex()
{
    combo()->setCurrentIndex(4);
    QCOMPARE(window->graph()->weightScheme(), 4);

    // Choosing the item already shown passes nothing on.
    window->graph()->setWeightScheme(2);
    combo()->setCurrentIndex(4);
    QCOMPARE(window->graph()->weightScheme(), 2);
}

QTEST_MAIN(TestPerewal)
#include "tst_perewal.moc"
