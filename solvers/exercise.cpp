#include "solvers/exercise.h"

#include "graph/graph.h"
#include "graph/graphedge.h"
#include "graph/graphverticle.h"
#include "solvers/abstractsolver.h"
#include "solvers/canvasmarks.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>

#include <algorithm>
#include <numeric>

namespace {

const QColor selectionColour(30, 120, 255);
const QColor mistakeColour(230, 20, 20);
const QColor hintColour(255, 150, 0);

// The explanation beside an item: a boxed text that keeps its size at any zoom, as a label on a slide would.
class Note : public QGraphicsSimpleTextItem
{
public:
    explicit Note(const QString &text)
        : QGraphicsSimpleTextItem(wrapped(text))
    {
        setFlag(ItemIgnoresTransformations);
        setZValue(1000);
        QFont f = font();
        f.setPointSizeF(f.pointSizeF() * 1.2);
        f.setBold(true);
        setFont(f);
        setBrush(mistakeColour.darker(130));
    }
    QRectF boundingRect() const override { return QGraphicsSimpleTextItem::boundingRect().adjusted(-6, -4, 6, 4); }

    // Lines of about forty characters: a long list of edges must not run off the view.
    static QString wrapped(const QString &text)
    {
        QStringList lines{QString()};
        for (const QString &word : text.split(QLatin1Char(' '))) {
            if (!lines.last().isEmpty() && lines.last().size() + word.size() > 40)
                lines.append(QString());
            lines.last() += (lines.last().isEmpty() ? QString() : QStringLiteral(" ")) + word;
        }
        return lines.join(QLatin1Char('\n'));
    }
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override
    {
        painter->setPen(QPen(brush().color(), 1.5));
        painter->setBrush(QColor(255, 255, 235));
        painter->drawRoundedRect(boundingRect().adjusted(1, 1, -1, -1), 4, 4);
        QGraphicsSimpleTextItem::paint(painter, option, widget);
    }
};

QString edgeName(const GraphEdge *e)
{
    return e->start()->name() + QStringLiteral("–") + e->end()->name();
}

QString number(qreal x)
{
    return QString::number(x, 'g', 6);
}

QString edgeNames(const QList<GraphEdge *> &edges, int shown)
{
    QStringList names;
    for (int i = 0; i < edges.size() && i < shown; ++i)
        names.append(edgeName(edges.at(i)));
    QString text = names.join(QStringLiteral(", "));
    if (edges.size() > shown)
        text += Exercise::tr(" i %1 innych").arg(edges.size() - shown);
    return text;
}

bool touches(const GraphEdge *e, const GraphVerticle *v)
{
    return e->start() == v || e->end() == v;
}

// Polish counts take one of three forms; each goes through tr() so that a catalogue can give its own.
QString counted(int n, const QString &one, const QString &few, const QString &many)
{
    const int tens = n % 100;
    const int units = n % 10;
    if (n == 1)
        return one.arg(n);
    if (units >= 2 && units <= 4 && (tens < 12 || tens > 14))
        return few.arg(n);
    return many.arg(n);
}

// A wrapped label in the panel's layout would keep the height of its first text: it gets its text's height.
void setWrapped(QLabel *label, const QString &text)
{
    label->setText(text);
    const QWidget *panel = label->parentWidget();
    const int width = panel && panel->width() > 50 ? panel->width() : 196;
    label->setMinimumHeight(label->heightForWidth(width));
}

} // namespace

Exercise::Exercise(AbstractSolver *dialog, QGraphicsView *view, QBoxLayout *panel)
    : QObject(dialog)
    , m_dialog(dialog)
    , m_view(view)
{
    setObjectName(QStringLiteral("exercise"));
    setUpPanel(panel);
    // Edges are clicked on the canvas before the scene sees the press: the idle scene knows only vertex clicks.
    m_view->viewport()->installEventFilter(this);
    dialog->installEventFilter(this);
    updatePanel();
}

Exercise::~Exercise()
{
    clearCanvas();
    for (CanvasMarks *&m : m_marks) {
        delete m;
        m = nullptr;
    }
}

void Exercise::setUpPanel(QBoxLayout *panel)
{
    auto *frame = new QFrame;
    frame->setObjectName(QStringLiteral("exerciseFrame"));
    // The solver's lists take the panel's spare height, not the gaps between these controls.
    frame->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto *layout = new QVBoxLayout(frame);
    layout->setContentsMargins(0, 0, 0, 6);

    m_check = new QCheckBox(tr("Ćwiczenie"));
    m_check->setObjectName(QStringLiteral("exerciseCheckBox"));
    m_check->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    m_check->setToolTip(tr("Ćwiczenie (Ctrl+E): sam podejmujesz każdą decyzję algorytmu, a program ją sprawdza "
                           "i wyjaśnia błędy. Włączone po wyborze wierzchołka startowego zaczyna przebieg od nowa."));
    layout->addWidget(m_check);
    connect(m_check, &QCheckBox::toggled, this, &Exercise::setActive);

    m_question = new QLabel;
    m_question->setObjectName(QStringLiteral("exerciseQuestionLabel"));
    m_question->setWordWrap(true);
    m_question->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont bold = m_question->font();
    bold.setBold(true);
    m_question->setFont(bold);
    layout->addWidget(m_question);

    auto button = [](const QString &text, const char *name, QKeySequence key, const QString &tip) {
        auto *b = new QPushButton(text);
        b->setObjectName(QLatin1String(name));
        b->setShortcut(key);
        b->setToolTip(tip);
        // The canvas and the step button keep the keyboard: a focused button would take Space and Return.
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    m_yes = button(tr("Tak"), "exerciseYesButton", QKeySequence(Qt::Key_T), tr("Odpowiedz „tak” (T)"));
    m_no = button(tr("Nie"), "exerciseNoButton", QKeySequence(Qt::Key_N), tr("Odpowiedz „nie” (N)"));
    auto *yesNo = new QHBoxLayout;
    yesNo->addWidget(m_yes);
    yesNo->addWidget(m_no);
    layout->addLayout(yesNo);
    connect(m_yes, &QPushButton::clicked, this, [this] { answer(true); });
    connect(m_no, &QPushButton::clicked, this, [this] { answer(false); });

    m_confirm = button(tr("Zatwierdź"), "exerciseConfirmButton", QKeySequence(Qt::Key_Z),
                       tr("Zatwierdź kliknięte krawędzie (Z albo „Krok dalej...”)"));
    layout->addWidget(m_confirm);
    connect(m_confirm, &QPushButton::clicked, this, &Exercise::confirm);

    m_hint = button(tr("Podpowiedź"), "exerciseHintButton", QKeySequence(Qt::Key_H),
                    tr("Pokaż na rysunku wszystkie dobre odpowiedzi (H); podpowiedzi są liczone"));
    layout->addWidget(m_hint);
    connect(m_hint, &QPushButton::clicked, this, &Exercise::showHint);

    m_newExercise = button(tr("Nowe ćwiczenie"), "newExerciseButton", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N),
                           tr("Nowy losowy graf tego samego rodzaju zamiast rysunku i ćwiczenie od początku "
                              "(Ctrl+Shift+N); poprzedni rysunek wraca po zamknięciu okna przez Cofnij"));
    layout->addWidget(m_newExercise);
    connect(m_newExercise, &QPushButton::clicked, this, [this] { m_dialog->done(NewExercise); });

    m_counts = new QLabel;
    m_counts->setObjectName(QStringLiteral("exerciseSummaryLabel"));
    m_counts->setWordWrap(true);
    layout->addWidget(m_counts);

    // At the top of the panel: the question must stay in sight above a long solver panel.
    panel->insertWidget(0, frame);
}

GraphGenerator::Settings Exercise::nextGraph(const Graph &graph, GraphGenerator::Kind kind)
{
    GraphGenerator::Settings settings;
    settings.kind = kind;
    const int size = int(graph.verticles().size());
    if (size >= 3) {
        settings.verticles = qMin(size, GraphGenerator::DefaultMaxVerticles);
        settings.edges = qMin(int(graph.edges().size()), GraphGenerator::maxEdges(settings.verticles, kind));
    }
    // All weights 1 leave nothing to compare: a new exercise then takes small random ones.
    settings.weights = graph.weightScheme() == Graph::Unit ? Graph::Random1To10 : Graph::WeightScheme(graph.weightScheme());
    settings.number = QRandomGenerator::global()->bounded(1u, 100000u);
    return settings;
}

void Exercise::begin(const QString &graphTitle)
{
    m_dialog->addEventLogLine(graphTitle);
    setActive(true);
}

bool Exercise::isActive() const
{
    return m_active;
}

const ExerciseDecision *Exercise::decision() const
{
    return m_active && m_part < m_parts.size() ? &m_parts.at(m_part) : nullptr;
}

int Exercise::decisions() const
{
    const int position = m_dialog->timelinePosition();
    int sum = 0;
    for (int p = 0; p <= position && p < int(m_decisionsAt.size()); ++p)
        sum += m_decisionsAt[p];
    return sum + m_pendingDecisions;
}

QString Exercise::summary() const
{
    const qint64 ms = m_finishedAfter >= 0 ? m_finishedAfter : m_clock.isValid() ? m_clock.elapsed() : 0;
    const qint64 seconds = ms / 1000;
    const QString time = seconds >= 60 ? tr("%1 min %2 s").arg(seconds / 60).arg(seconds % 60)
                                       : tr("%1 s").arg(seconds);
    return QStringList{counted(decisions(), tr("%1 decyzja"), tr("%1 decyzje"), tr("%1 decyzji")),
                       counted(m_mistakes, tr("%1 błąd"), tr("%1 błędy"), tr("%1 błędów")),
                       counted(m_hints, tr("%1 podpowiedź"), tr("%1 podpowiedzi"), tr("%1 podpowiedzi")), time}
        .join(QStringLiteral(", "));
}

void Exercise::setActive(bool active)
{
    if (m_check->isChecked() != active) {
        m_check->setChecked(active); // comes back here through toggled()
        return;
    }
    if (m_active == active)
        return;
    m_active = active;
    restart();
}

// Switched after the start, the run begins again: decisions made with the mode off would count for nothing.
void Exercise::restart()
{
    m_decisionsAt.clear();
    m_pendingDecisions = 0;
    m_mistakes = 0;
    m_hints = 0;
    m_clock.invalidate();
    m_finishedAfter = -1;
    m_seenPosition = -2;
    if (m_dialog->timelinePosition() >= 0)
        m_dialog->jumpTo(-1);
    else
        refresh();
}

bool Exercise::holdsForward()
{
    const ExerciseDecision *d = decision();
    if (!d)
        return false;
    // Pressing on with a set of edges clicked is confirming it.
    if (d->kind == ExerciseDecision::EdgeSet)
        confirm();
    else
        setWrapped(m_question, tr("Najpierw odpowiedz: %1").arg(question(*d)));
    return true;
}

void Exercise::stepTaken()
{
    if (!m_active || m_dialog->ui.stepForwardButton->isEnabled())
        return;
    if (m_clock.isValid())
        m_finishedAfter = m_clock.elapsed();
    m_dialog->addEventLogLine(tr("Koniec ćwiczenia: %1.").arg(summary()));
}

void Exercise::refresh()
{
    if (!m_active) {
        m_parts.clear();
        clearCanvas();
        updatePanel();
        return;
    }
    const int position = m_dialog->timelinePosition();
    if (position >= 0 && !m_clock.isValid())
        m_clock.start();
    if (position < 0) {
        m_clock.invalidate();
        m_finishedAfter = -1;
    }
    if (!m_answering && position != m_seenPosition) {
        m_part = 0;
        m_pendingDecisions = 0;
        m_selection.clear();
        clearCanvas();
    }
    m_seenPosition = position;
    // Only the present moment's decision: later steps after a step back are asked again.
    const bool waits = m_dialog->ui.stepForwardButton->isEnabled() && position >= 0;
    m_parts = waits ? m_dialog->exerciseDecisions() : QList<ExerciseDecision>();
    // Playing would answer for the student: the button shows it cannot.
    m_dialog->ui.playButton->setEnabled(false);
    if (m_part >= m_parts.size())
        m_part = 0;
    updatePanel();
}

void Exercise::updatePanel()
{
    const ExerciseDecision *d = decision();
    m_question->setVisible(m_active);
    m_counts->setVisible(m_active);
    m_yes->setVisible(d && d->kind == ExerciseDecision::YesNo);
    m_no->setVisible(m_yes->isVisible());
    m_confirm->setVisible(d && d->kind == ExerciseDecision::EdgeSet);
    const int position = m_dialog->timelinePosition();
    const bool ended = position >= 0 && !m_dialog->ui.stepForwardButton->isEnabled();
    m_hint->setVisible(m_active && !ended);
    m_newExercise->setVisible(m_active);
    m_hint->setEnabled(d != nullptr);
    if (!m_active)
        return;
    if (d)
        setWrapped(m_question, question(*d));
    else if (position < 0)
        setWrapped(m_question, tr("Wybierz wierzchołek startowy; potem to Ty podejmujesz decyzje algorytmu."));
    else if (ended)
        setWrapped(m_question, tr("Koniec ćwiczenia."));
    else
        setWrapped(m_question, tr("Ten krok niczego nie rozstrzyga: naciśnij „Krok dalej...”."));
    setWrapped(m_counts, ended && m_finishedAfter >= 0
                          ? tr("Wynik: %1").arg(summary())
                          : tr("Decyzje: %1, błędy: %2, podpowiedzi: %3").arg(decisions()).arg(m_mistakes).arg(m_hints));
}

QString Exercise::question(const ExerciseDecision &d) const
{
    switch (d.kind) {
    case ExerciseDecision::YesNo:
        if (d.words == ExerciseDecision::Labels)
            return tr("Czy wszystkie wierzchołki są już oznaczone?");
        if (d.words == ExerciseDecision::Tree)
            return tr("Czy drzewo obejmuje już wszystkie wierzchołki?");
        return tr("Czy wierzchołek %1 jest izolowany (nie ma nieusuniętych krawędzi)?").arg(d.at->name());
    case ExerciseDecision::EdgeSet:
        if (d.words == ExerciseDecision::Labels)
            return tr("Kliknij wszystkie krawędzie bieżące (od oznaczonego do nieoznaczonego wierzchołka) i zatwierdź.");
        return tr("Kliknij krawędzie, które trafiają na listę krawędzi bieżących (z wierzchołka %1 poza drzewo), "
                  "i zatwierdź.")
            .arg(d.at->name());
    case ExerciseDecision::LeastEdge:
        if (d.words == ExerciseDecision::Labels)
            return tr("Kliknij krawędź bieżącą o najmniejszej sumie.");
        return tr("Kliknij najlżejszą krawędź bieżącą.");
    case ExerciseDecision::AnyEdge:
        return tr("Kliknij krawędź, którą idziemy z wierzchołka %1.").arg(d.at->name());
    }
    return QString();
}

void Exercise::clickEdge(GraphEdge *edge)
{
    const ExerciseDecision *d = decision();
    if (!d || d->kind == ExerciseDecision::YesNo || !edge)
        return;
    if (d->kind == ExerciseDecision::EdgeSet) {
        if (!m_selection.removeOne(edge))
            m_selection.append(edge);
        showSelection();
        return;
    }
    const QString why = d->right.contains(edge) ? QString() : explainEdge(*d, edge);
    if (why.isEmpty())
        right(edge);
    else
        wrong(why, edge);
}

void Exercise::answer(bool yes)
{
    const ExerciseDecision *d = decision();
    if (!d || d->kind != ExerciseDecision::YesNo)
        return;
    if (yes == d->yes) {
        right(nullptr);
        return;
    }
    const QGraphicsItem *where = d->at                ? static_cast<const QGraphicsItem *>(d->at)
                                 : !d->outside.isEmpty() ? d->outside.first()
                                                         : nullptr;
    wrong(explainYesNo(*d, yes), where);
}

void Exercise::confirm()
{
    const ExerciseDecision *d = decision();
    if (!d || d->kind != ExerciseDecision::EdgeSet)
        return;
    for (GraphEdge *e : std::as_const(m_selection)) {
        if (!d->right.contains(e)) {
            wrong(explainEdge(*d, e), e);
            return;
        }
    }
    // The set is right as a set; the step lists the edges in the algorithm's own order.
    const QSet<GraphEdge *> chosen(m_selection.begin(), m_selection.end());
    for (GraphEdge *e : d->right) {
        if (!chosen.contains(e)) {
            wrong(explainMissing(*d, e), e);
            return;
        }
    }
    right(nullptr);
}

void Exercise::right(GraphEdge *choice)
{
    ++m_pendingDecisions;
    m_noteText.clear();
    m_selection.clear();
    clearCanvas();
    if (m_part + 1 < m_parts.size()) {
        ++m_part;
        updatePanel();
        return;
    }
    // The step the demonstration would take, along the student's choice.
    const int decided = m_pendingDecisions;
    m_pendingDecisions = 0;
    m_dialog->settle();
    m_dialog->m_timeline->begin(Timeline::Forward);
    m_dialog->stepAlong(choice);
    const int position = m_dialog->timelinePosition() + 1;
    m_decisionsAt.resize(position + 1, 0);
    m_decisionsAt[position] = decided;
    stepTaken();
    m_dialog->m_timeline->commit();
    m_dialog->afterChange();
}

// A wrong answer is a step of its own, so that its line keeps its place in the history; the run stays where it was.
void Exercise::wrong(const QString &why, const QGraphicsItem *where)
{
    ++m_mistakes;
    m_answering = true;
    m_dialog->settle();
    m_dialog->m_timeline->begin(Timeline::Unknown);
    m_dialog->addEventLogLine(tr("Zła odpowiedź: %1").arg(why));
    const int position = m_dialog->timelinePosition() + 1;
    m_decisionsAt.resize(position + 1, 0);
    m_decisionsAt[position] = 0;
    m_dialog->m_timeline->commit();
    m_dialog->afterChange();
    m_answering = false;

    clearCanvas();
    showSelection();
    m_noteText = why;
    if (where) {
        if (where->type() == GraphEdge::Type)
            marks(1)->addBand(static_cast<const GraphEdge *>(where), mistakeColour);
        else if (where->type() == GraphVerticle::Type)
            marks(2)->addRing(static_cast<const GraphVerticle *>(where), mistakeColour, 5);
        auto *note = new Note(why);
        QPointF at = where->sceneBoundingRect().center();
        if (where->type() == GraphEdge::Type) {
            const auto *e = static_cast<const GraphEdge *>(where);
            at = (e->start()->sceneBoundingRect().center() + e->end()->sceneBoundingRect().center()) / 2;
        } else {
            at = where->sceneBoundingRect().topRight();
        }
        m_dialog->graph->addItem(note);
        // The note keeps its size at any zoom: near the view's right edge it goes to the left of the item.
        const QPoint shown = m_view->mapFromScene(at);
        const int room = m_view->viewport()->width() - int(note->boundingRect().width()) - 4;
        note->setPos(shown.x() > room ? m_view->mapToScene(QPoint(qMax(0, room), shown.y())) : at);
        m_note = note;
    }
    updatePanel();
}

void Exercise::showHint()
{
    const ExerciseDecision *d = decision();
    if (!d)
        return;
    ++m_hints;
    clearCanvas();
    showSelection();
    if (d->kind == ExerciseDecision::YesNo) {
        if (d->words == ExerciseDecision::Walk) {
            for (GraphEdge *e : d->right)
                marks(1)->addBand(e, hintColour);
            marks(2)->addRing(d->at, hintColour, 5);
        } else {
            for (GraphVerticle *v : d->outside)
                marks(2)->addRing(v, hintColour, 5);
        }
        setWrapped(m_question, question(*d) + QLatin1Char(' ') + (d->yes ? tr("Podpowiedź: tak.") : tr("Podpowiedź: nie.")));
    } else {
        for (GraphEdge *e : d->right)
            marks(1)->addBand(e, hintColour);
    }
    setWrapped(m_counts, tr("Decyzje: %1, błędy: %2, podpowiedzi: %3").arg(decisions()).arg(m_mistakes).arg(m_hints));
}

QString Exercise::explainEdge(const ExerciseDecision &d, GraphEdge *e) const
{
    const QString name = edgeName(e);
    const bool startIn = d.inside && d.inside(e->start());
    const bool endIn = d.inside && d.inside(e->end());
    switch (d.kind) {
    case ExerciseDecision::EdgeSet:
        if (d.words == ExerciseDecision::Labels) {
            if (startIn && endIn)
                return tr("Oba końce krawędzi %1 są już oznaczone.").arg(name);
            return tr("Żaden koniec krawędzi %1 nie jest oznaczony.").arg(name);
        }
        if (startIn && endIn)
            return tr("Oba końce krawędzi %1 są już w drzewie.").arg(name);
        if (d.listed.contains(e))
            return tr("Krawędź %1 jest już na liście krawędzi bieżących.").arg(name);
        return tr("Krawędź %1 nie wychodzi z wierzchołka %2, dodanego do drzewa ostatnio.").arg(name, d.at->name());
    case ExerciseDecision::LeastEdge: {
        if (!d.listed.contains(e)) {
            if (d.words == ExerciseDecision::Tree && startIn && endIn)
                return tr("Oba końce krawędzi %1 są już w drzewie.").arg(name);
            return tr("Krawędzi %1 nie ma na liście krawędzi bieżących.").arg(name);
        }
        GraphEdge *best = d.right.first();
        if (d.words == ExerciseDecision::Labels) {
            auto sum = [&](GraphEdge *x, qreal *label) {
                *label = d.value(d.inside(x->start()) ? x->start() : x->end());
                return *label + x->weight();
            };
            qreal label = 0;
            qreal bestLabel = 0;
            const qreal s = sum(e, &label);
            const qreal least = sum(best, &bestLabel);
            return tr("Krawędź %1: %2 + %3 = %4, a najmniejsza suma to %5 (%6).")
                .arg(name, number(label), number(e->weight()), number(s), number(least), edgeName(best));
        }
        return tr("Krawędź %1 waży %2, a najlżejsza krawędź bieżąca waży %3 (%4).")
            .arg(name, number(e->weight()), number(best->weight()), edgeName(best));
    }
    case ExerciseDecision::AnyEdge:
        if (!touches(e, d.at))
            return tr("Krawędź %1 nie wychodzi z wierzchołka %2.").arg(name, d.at->name());
        return tr("Krawędź %1 jest już usunięta.").arg(name);
    case ExerciseDecision::YesNo:
        break;
    }
    return QString();
}

QString Exercise::explainMissing(const ExerciseDecision &d, GraphEdge *e) const
{
    if (d.words == ExerciseDecision::Labels)
        return tr("Brakuje krawędzi %1: prowadzi od oznaczonego do nieoznaczonego wierzchołka.").arg(edgeName(e));
    return tr("Brakuje krawędzi %1: prowadzi od wierzchołka %2 poza drzewo.").arg(edgeName(e), d.at->name());
}

QString Exercise::explainYesNo(const ExerciseDecision &d, bool said) const
{
    switch (d.words) {
    case ExerciseDecision::Labels:
        return said ? tr("Nie wszystkie wierzchołki są oznaczone: %1.").arg(AbstractSolver::verticleNames(d.outside, 12))
                    : tr("Wszystkie wierzchołki są już oznaczone.");
    case ExerciseDecision::Tree:
        return said ? tr("Poza drzewem są jeszcze wierzchołki: %1.").arg(AbstractSolver::verticleNames(d.outside, 12))
                    : tr("Drzewo obejmuje już wszystkie wierzchołki.");
    case ExerciseDecision::Walk:
        return said ? tr("Z wierzchołka %1 wychodzą jeszcze nieużyte krawędzie: %2.")
                          .arg(d.at->name(), edgeNames(d.right, 8))
                    : tr("Wszystkie krawędzie wierzchołka %1 są już usunięte.").arg(d.at->name());
    }
    return QString();
}

CanvasMarks *Exercise::marks(int which)
{
    if (!m_marks[which]) {
        static const char *layers[] = {"selection", "exercise", "exercise"};
        m_marks[which] = new CanvasMarks(which == 2 ? CanvasMarks::Rings : CanvasMarks::Bands,
                                         QLatin1String(layers[which]));
        m_dialog->graph->addItem(m_marks[which]);
    }
    return m_marks[which];
}

void Exercise::showSelection()
{
    if (m_marks[0])
        m_marks[0]->clear();
    for (GraphEdge *e : std::as_const(m_selection))
        marks(0)->addBand(e, selectionColour);
}

void Exercise::clearCanvas()
{
    for (CanvasMarks *m : m_marks) {
        if (m)
            m->clear();
    }
    delete m_note;
    m_note = nullptr;
}

bool Exercise::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_dialog && event->type() == QEvent::Hide)
        clearCanvas();
    // The type first: the filter also hears the view's viewport while the view is being destroyed.
    if (event->type() == QEvent::MouseButtonPress && watched == m_view->viewport()) {
        const ExerciseDecision *d = decision();
        auto *press = static_cast<QMouseEvent *>(event);
        if (d && d->kind != ExerciseDecision::YesNo && press->button() == Qt::LeftButton) {
            // A vertex under the pointer keeps its click; only a press on an edge alone answers.
            GraphEdge *edge = nullptr;
            const QList<QGraphicsItem *> under = m_view->items(press->position().toPoint());
            for (QGraphicsItem *item : under) {
                if (item->type() == GraphVerticle::Type)
                    return false;
                if (!edge && item->type() == GraphEdge::Type)
                    edge = static_cast<GraphEdge *>(item);
            }
            if (edge) {
                clickEdge(edge);
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}
