#ifndef SNAPSHOT_H
#define SNAPSHOT_H

// Everything a user can see of a solver dialog and its canvas, as lines of
// text: two dialogs that show the same thing give the same lines.

#include "solvers/canvasmarks.h"
#include "solvers/dijkstraprimsolver.h"
#include "solvers/fleurysolver.h"
#include "solvers/mintysolver.h"
#include "tests/support/testgraphs.h"

#include <QAbstractButton>
#include <QGraphicsScene>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>
#include <memory>

namespace TestGraphs {

/// A new dialog of the solver named "minty", "dijkstraprim" or "fleury" on the graph, not shown yet.
inline std::unique_ptr<AbstractSolver> openSolver(const QString &solver, Graph &graph, QWidget *parent = nullptr)
{
    if (solver == QLatin1String("minty"))
        return std::make_unique<MintySolver>(&graph, parent);
    if (solver == QLatin1String("dijkstraprim"))
        return std::make_unique<DijkstraPrimSolver>(&graph, parent);
    return std::make_unique<FleurySolver>(&graph, parent);
}

/// A text box as its runs of one font weight: "A,B,@400".
inline QString formattedText(const QTextEdit *edit)
{
    QStringList runs;
    int weight = -1;
    for (QTextBlock block = edit->document()->begin(); block.isValid(); block = block.next()) {
        if (block != edit->document()->begin()) {
            runs.append(QStringLiteral("¶"));
            weight = -1;
        }
        for (auto at = block.begin(); !at.atEnd(); ++at) {
            const QTextFragment fragment = at.fragment();
            const int w = fragment.charFormat().fontWeight();
            if (w != weight || runs.isEmpty())
                runs.append(QStringLiteral("@%1:").arg(w));
            runs.last() += fragment.text();
            weight = w;
        }
    }
    return runs.join(QString());
}

/// The marks drawn over the canvas that are not the items' own looks: "result AB 3" (layer, what, number).
inline QStringList canvasMarks(const Graph &graph)
{
    QStringList marks;
    const QList<QGraphicsItem *> items = graph.items();
    for (const QGraphicsItem *item : items) {
        if (item->type() == CanvasMarks::Type)
            marks += static_cast<const CanvasMarks *>(item)->describe();
    }
    marks.sort();
    return marks;
}

/**
 * Every vertex's and edge's look, the rows of every list with their
 * strike-outs, the history up to the present step (later steps' lines are
 * greyed, the present step's highlighted: "*"), every text box with the
 * weight of its text, every label, hidden widgets, enabled buttons, and the
 * marks over the canvas.
 */
inline QStringList snapshot(const QDialog &dialog, const Graph &graph)
{
    QStringList lines;
    for (const GraphVerticle *v : graph.verticles()) {
        lines.append(QStringLiteral("vertex %1 fill %2 line %3 w%4 r%5")
                         .arg(v->name(), v->brush().color().name(), v->pen().color().name())
                         .arg(v->pen().widthF())
                         .arg(v->rect().width() / 2));
    }
    for (const GraphEdge *e : graph.edges()) {
        lines.append(QStringLiteral("edge %1 line %2 w%3 style %4")
                         .arg(e->name(), e->pen().color().name())
                         .arg(e->pen().widthF())
                         .arg(int(e->pen().style())));
    }

    QList<QWidget *> widgets = dialog.findChildren<QWidget *>();
    auto internal = [](QWidget *w) {
        return w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"));
    };
    widgets.erase(std::remove_if(widgets.begin(), widgets.end(), internal), widgets.end());
    std::sort(widgets.begin(), widgets.end(),
              [](QWidget *a, QWidget *b) { return a->objectName() < b->objectName(); });
    for (QWidget *widget : std::as_const(widgets)) {
        const QString name = widget->objectName();
        if (widget->isHidden())
            lines.append(name + QStringLiteral(" hidden"));
        if (auto *button = qobject_cast<QAbstractButton *>(widget))
            lines.append(name + (button->isEnabled() ? QStringLiteral(" enabled") : QStringLiteral(" disabled")));
        else if (auto *label = qobject_cast<QLabel *>(widget))
            lines.append(name + QStringLiteral(": ") + label->text());
        else if (auto *edit = qobject_cast<QTextEdit *>(widget))
            lines.append(name + QStringLiteral(": ") + formattedText(edit));
        const bool history = name == QLatin1String("eventLogWidget");
        if (auto *list = qobject_cast<QAbstractItemView *>(widget); list && (history || qobject_cast<QListWidget *>(list))) {
            const QAbstractItemModel *model = list->model();
            const int count = model->rowCount();
            // The history from its oldest line; rows of other lists from the first.
            for (int i = 0; i < count; ++i) {
                const QModelIndex row = model->index(history ? count - 1 - i : i, 0);
                if (history && row.data(Qt::ForegroundRole).isValid())
                    continue;
                const QString text = history ? row.data().toString().mid(11) : row.data().toString();
                const bool marked = history ? row.data(Qt::BackgroundRole).isValid()
                                            : row.data(Qt::FontRole).value<QFont>().strikeOut();
                const QString mark = !marked ? QString() : history ? QStringLiteral("*") : QStringLiteral("~");
                lines.append(name + QStringLiteral(": ") + mark + text);
            }
        }
    }
    lines += canvasMarks(graph);
    return lines;
}

} // namespace TestGraphs

#endif // SNAPSHOT_H
