#include "app/randomgraphdialog.h"

#include "graph/graphfile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSpinBox>

#include <algorithm>

namespace {

// Numbers a teacher can say aloud; the generator takes any 32-bit one.
constexpr int largestNumber = 999999999;
// A new number each time the dialog opens comes from this range: five digits are easy to dictate.
constexpr int drawnNumbers = 99999;

} // namespace

RandomGraphDialog::RandomGraphDialog(const GraphGenerator::Settings &settings, const QStringList &schemes,
                                     QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("randomGraphDialog"));
    setWindowTitle(tr("Losowy graf"));

    m_verticles = new QSpinBox;
    m_verticles->setObjectName(QStringLiteral("verticlesSpinBox"));
    m_verticles->setToolTip(tr("Ile wierzchołków ma mieć graf"));
    m_more = new QCheckBox(tr("&Więcej niż %1").arg(GraphGenerator::DefaultMaxVerticles));
    m_more->setObjectName(QStringLiteral("moreVerticlesCheckBox"));
    m_more->setToolTip(tr("Pozwala na więcej wierzchołków niż od A do Z, aż do %1").arg(Graph::MaxVerticles));
    auto *verticlesRow = new QHBoxLayout;
    verticlesRow->addWidget(m_verticles);
    verticlesRow->addWidget(m_more);
    verticlesRow->addStretch();

    m_byCount = new QRadioButton(tr("&Liczba krawędzi:"));
    m_byCount->setObjectName(QStringLiteral("edgeCountRadioButton"));
    m_byCount->setToolTip(tr("Graf będzie miał dokładnie tyle krawędzi, jeśli jego rodzaj na to pozwala"));
    m_edges = new QSpinBox;
    m_edges->setObjectName(QStringLiteral("edgesSpinBox"));
    m_edges->setRange(0, GraphFile::MaxEdges);
    m_edges->setToolTip(m_byCount->toolTip());
    m_byDensity = new QRadioButton(tr("&Gęstość:"));
    m_byDensity->setObjectName(QStringLiteral("densityRadioButton"));
    m_byDensity->setToolTip(tr("Jaka część wszystkich par wierzchołków ma być połączona krawędzią"));
    m_density = new QSpinBox;
    m_density->setObjectName(QStringLiteral("densitySpinBox"));
    m_density->setRange(0, 100);
    m_density->setSuffix(QStringLiteral(" %"));
    m_density->setToolTip(m_byDensity->toolTip());
    auto *edgesRow = new QHBoxLayout;
    edgesRow->addWidget(m_byCount);
    edgesRow->addWidget(m_edges);
    edgesRow->addSpacing(12);
    edgesRow->addWidget(m_byDensity);
    edgesRow->addWidget(m_density);
    edgesRow->addStretch();
    m_limits = new QLabel;
    m_limits->setObjectName(QStringLiteral("edgeLimitsLabel"));
    m_limits->setWordWrap(true);

    m_kind = new QComboBox;
    m_kind->setObjectName(QStringLiteral("kindComboBox"));
    m_kind->addItems({tr("dowolny"), tr("spójny"), tr("spójny i eulerowski (ma cykl Eulera)")});
    m_kind->setToolTip(tr("Dowolny graf, graf spójny (do algorytmów Minty'ego i Dijkstry-Prima) albo spójny z "
                          "wierzchołkami parzystego stopnia (do algorytmu Fleury'ego)"));
    m_weights = new QComboBox;
    m_weights->setObjectName(QStringLiteral("weightsComboBox"));
    m_weights->addItems(schemes);
    m_weights->setToolTip(tr("Jak wyznaczyć wagi krawędzi; wagi losowe też zależą tylko od numeru grafu"));

    m_number = new QSpinBox;
    m_number->setObjectName(QStringLiteral("numberSpinBox"));
    m_number->setRange(0, largestNumber);
    m_number->setToolTip(tr("Ten sam numer z tymi samymi ustawieniami daje zawsze ten sam graf, na każdym komputerze"));
    auto *draw = new QPushButton(tr("L&osuj numer"));
    draw->setObjectName(QStringLiteral("drawNumberButton"));
    draw->setToolTip(tr("Wybiera nowy, przypadkowy numer grafu"));
    connect(draw, &QPushButton::clicked, this, &RandomGraphDialog::drawNumber);
    auto *numberRow = new QHBoxLayout;
    numberRow->addWidget(m_number);
    numberRow->addWidget(draw);
    numberRow->addStretch();

    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    m_buttons->setObjectName(QStringLiteral("buttonBox"));
    QPushButton *create = m_buttons->button(QDialogButtonBox::Ok);
    create->setText(tr("&Utwórz"));
    create->setObjectName(QStringLiteral("createButton"));
    create->setToolTip(tr("Zastępuje rysunek nowym grafem (można to cofnąć: Ctrl+Z)"));
    QPushButton *cancel = m_buttons->button(QDialogButtonBox::Cancel);
    cancel->setText(tr("&Anuluj"));
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *form = new QFormLayout(this);
    auto label = [](const QString &text, QWidget *buddy) {
        auto *created = new QLabel(text);
        created->setBuddy(buddy);
        return created;
    };
    form->addRow(label(tr("Wierz&chołki:"), m_verticles), verticlesRow);
    form->addRow(tr("Krawędzie:"), edgesRow);
    form->addRow(QString(), m_limits);
    form->addRow(label(tr("&Rodzaj:"), m_kind), m_kind);
    form->addRow(label(tr("Wag&i:"), m_weights), m_weights);
    form->addRow(label(tr("&Numer grafu:"), m_number), numberRow);
    form->addRow(m_buttons);

    m_more->setChecked(settings.verticles > GraphGenerator::DefaultMaxVerticles);
    m_verticles->setRange(2, m_more->isChecked() ? Graph::MaxVerticles : GraphGenerator::DefaultMaxVerticles);
    m_verticles->setValue(settings.verticles);
    m_byCount->setChecked(settings.edges >= 0);
    m_byDensity->setChecked(settings.edges < 0);
    m_edges->setValue(std::max(settings.edges, 0));
    m_density->setValue(settings.density);
    m_kind->setCurrentIndex(settings.kind);
    m_weights->setCurrentIndex(settings.weights);
    m_number->setValue(int(std::min<quint32>(settings.number, largestNumber)));

    connect(m_more, &QCheckBox::toggled, this, [this](bool more) {
        m_verticles->setMaximum(more ? Graph::MaxVerticles : GraphGenerator::DefaultMaxVerticles);
    });
    for (QSpinBox *box : {m_verticles, m_edges, m_density})
        connect(box, &QSpinBox::valueChanged, this, &RandomGraphDialog::updateLimits);
    // Switching to a count starts from the count the density gave.
    connect(m_byCount, &QRadioButton::toggled, this, [this](bool byCount) {
        if (byCount) {
            GraphGenerator::Settings s = this->settings();
            s.edges = -1;
            m_edges->setValue(GraphGenerator::askedEdges(s));
        }
        updateLimits();
    });
    connect(m_kind, &QComboBox::currentIndexChanged, this, &RandomGraphDialog::updateLimits);
    updateLimits();
    m_verticles->setFocus();
}

GraphGenerator::Settings RandomGraphDialog::settings() const
{
    GraphGenerator::Settings s;
    s.verticles = m_verticles->value();
    s.edges = m_byCount->isChecked() ? m_edges->value() : -1;
    s.density = m_density->value();
    s.kind = GraphGenerator::Kind(m_kind->currentIndex());
    s.weights = Graph::WeightScheme(m_weights->currentIndex());
    s.number = quint32(m_number->value());
    return s;
}

void RandomGraphDialog::drawNumber()
{
    m_number->setValue(QRandomGenerator::global()->bounded(1, drawnNumbers + 1));
}

void RandomGraphDialog::updateLimits()
{
    m_edges->setEnabled(m_byCount->isChecked());
    m_density->setEnabled(!m_byCount->isChecked());
    const GraphGenerator::Settings s = settings();
    const int low = GraphGenerator::minEdges(s.verticles, s.kind);
    const int high = GraphGenerator::maxEdges(s.verticles, s.kind);
    const int asked = GraphGenerator::askedEdges(s);
    // A count the kind cannot meet is brought within its bounds; the label says to what.
    const QString text = low > high ? tr("Graf spójny i eulerowski potrzebuje co najmniej 3 wierzchołków.")
                                    : tr("Ten rodzaj grafu o %1 wierzchołkach ma od %2 do %3 krawędzi: będzie ich %4.")
                                          .arg(s.verticles)
                                          .arg(low)
                                          .arg(high)
                                          .arg(std::clamp(asked, low, high));
    m_limits->setText(text);
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(low <= high);
}
