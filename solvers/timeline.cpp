#include "solvers/timeline.h"

#include "solvers/historymodel.h"

#include "graph/graphedge.h"
#include "graph/graphverticle.h"

#include <QBrush>
#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPen>
#include <QStackedWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>
#include <cstring>
#include <limits>

// The records of a Change, by kind:
//   LabelText, Hidden, Enabled  a: value before, b: value after (texts by number)
//   RowsInserted, RowsRemoved   a: first row, b: how many, c: their first Row in the rows kept
//   RowChanged                  a: row, c: the Row before (the Row after follows it)
//   TextChanged                 a: position, b: first Piece, c: pieces removed, d: pieces inserted after them
// Rows and characters kept for records are given back only when the whole
// run is dropped: steps are dropped only when a run goes another way.

Timeline::Timeline(Graph *graph, QListView *history, QObject *parent)
    : QObject(parent)
    , m_graph(graph)
    , m_history(history)
    , m_lines(new HistoryModel([this] { return m_position; }, this))
{
    m_formats.append(QTextCharFormat());
    m_graph->setLookRecorder(this);
    // A run may come to change every vertex and edge: the table of items is
    // made that large now, not rebuilt whole in a click when it fills.
    m_itemIds.reserve(m_graph->verticles().size() + m_graph->edgeCount());
    // Every line is one line of text: the view lays out millions of them by arithmetic.
    m_history->setUniformItemSizes(true);
    m_history->setModel(m_lines);
}

Timeline::~Timeline()
{
    if (m_graph->lookRecorder() == this)
        m_graph->setLookRecorder(nullptr);
}

Timeline::Change Timeline::change(ChangeKind kind, int widget, qint32 a, qint32 b, qint32 c, int d)
{
    return {kind, quint8(widget), qint16(d), a, b, c};
}

void Timeline::setStateStore(std::unique_ptr<TimelineStateStore> store)
{
    m_store = std::move(store);
}

void Timeline::watch(QWidget *root)
{
    QList<QWidget *> widgets{root};
    widgets += root->findChildren<QWidget *>();
    for (QWidget *widget : std::as_const(widgets)) {
        // Qt's own parts (viewports, scroll bars, tab pages) change by themselves: only the form's widgets count.
        const QString name = widget->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_"))
            || qobject_cast<QStackedWidget *>(widget->parentWidget()) || widget == m_history)
            continue;
        // Records name a widget in a byte; a dialog has a few dozen.
        if (m_watched.size() > std::numeric_limits<quint8>::max())
            break;
        const auto index = quint8(m_watched.size());
        Watched watched;
        watched.widget = widget;
        watched.label = qobject_cast<QLabel *>(widget);
        if (auto *list = qobject_cast<QListWidget *>(widget)) {
            watched.list = int(m_lists.size());
            ListShadow shadow{list, index, {}, {}, 0};
            for (int row = 0; row < list->count(); ++row)
                shadow.rows.push_back(rowOf(list, row));
            m_lists.push_back(std::move(shadow));
            const int at = watched.list;
            QAbstractItemModel *model = list->model();
            connect(model, &QAbstractItemModel::rowsInserted, this,
                    [this, at](const QModelIndex &, int first, int last) { listRowsInserted(at, first, last); });
            connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, this,
                    [this, at](const QModelIndex &, int first, int last) { listRowsRemoving(at, first, last); });
            connect(model, &QAbstractItemModel::modelAboutToBeReset, this, [this, at] { listReset(at); });
            connect(model, &QAbstractItemModel::modelReset, this, [this, at] {
                if (const int rows = m_lists[at].list->count())
                    listRowsInserted(at, 0, rows - 1);
            });
            connect(model, &QAbstractItemModel::dataChanged, this,
                    [this, at](const QModelIndex &from, const QModelIndex &to) {
                        listDataChanged(at, from.row(), to.row());
                    });
        } else if (auto *edit = qobject_cast<QTextEdit *>(widget)) {
            watched.textBox = int(m_texts.size());
            // Read-only: its own undo history would only hold what the timeline holds.
            if (edit->isReadOnly())
                edit->document()->setUndoRedoEnabled(false);
            TextShadow shadow{edit, index, {}, {}};
            readDocument(shadow, 0, edit->document()->characterCount() - 1, shadow.text, shadow.formats);
            m_texts.push_back(std::move(shadow));
            const int at = watched.textBox;
            connect(edit->document(), &QTextDocument::contentsChange, this,
                    [this, at](int position, int removed, int added) { textChanged(at, position, removed, added); });
        }
        readScalars(watched, watched.text, watched.hidden, watched.enabled);
        m_watched.push_back(watched);
        m_widgetChanges.emplace_back();
        m_widgetScalars.emplace_back();
    }
}

void Timeline::setRecording(bool recording)
{
    if (recording == m_recording)
        return;
    m_recording = recording;
    dropPending();
    if (recording) {
        m_graph->setLookRecorder(this);
        rebase();
    } else if (m_graph->lookRecorder() == this) {
        m_graph->setLookRecorder(nullptr);
    }
}

void Timeline::addHistoryLine(const QString &text)
{
    m_lines->prepend(text, m_recording ? HistoryModel::Pending : m_position);
    if (m_recording)
        ++m_pendingLines;
}

Timeline::Trigger Timeline::nextTrigger() const
{
    return m_position + 1 < count() ? m_steps[m_position + 1].trigger : Unknown;
}

int Timeline::nextButton() const
{
    return m_position + 1 < count() ? m_steps[m_position + 1].button : -1;
}

bool Timeline::started() const
{
    return !m_store || m_store->started();
}

void Timeline::lookAboutToChange(QGraphicsItem *item)
{
    if (!m_recording || m_restoring || m_pendingLooks.contains(item))
        return;
    m_pendingLooks.insert(item, lookOf(item));
}

Timeline::Look Timeline::lookOf(const QGraphicsItem *item)
{
    Look look;
    if (item->type() == GraphVerticle::Type) {
        const auto *v = static_cast<const QGraphicsEllipseItem *>(item);
        look.fill = v->brush().color().rgba();
        look.line = v->pen().color().rgba();
        look.width = float(v->pen().widthF());
        look.style = quint8(v->pen().style());
        look.radius = qint16(v->rect().width() / 2);
    } else if (item->type() == GraphEdge::Type) {
        const auto *e = static_cast<const QGraphicsLineItem *>(item);
        look.line = e->pen().color().rgba();
        look.width = float(e->pen().widthF());
        look.style = quint8(e->pen().style());
    }
    return look;
}

// Changes only what differs, as the marking operations do: the rest of the pen and brush stays.
void Timeline::setLook(QGraphicsItem *item, const Look &look)
{
    auto penFor = [&](QPen pen) {
        pen.setColor(QColor::fromRgba(look.line));
        pen.setWidthF(look.width);
        pen.setStyle(Qt::PenStyle(look.style));
        return pen;
    };
    if (item->type() == GraphVerticle::Type) {
        auto *v = static_cast<QGraphicsEllipseItem *>(item);
        if (v->brush().color().rgba() != look.fill) {
            QBrush brush = v->brush();
            brush.setColor(QColor::fromRgba(look.fill));
            v->setBrush(Graph::sharedBrush(brush));
        }
        const QPen pen = penFor(v->pen());
        if (pen != v->pen())
            v->setPen(Graph::sharedPen(pen));
        const QRectF rect(-look.radius, -look.radius, 2 * look.radius, 2 * look.radius);
        if (rect != v->rect())
            v->setRect(rect);
    } else if (item->type() == GraphEdge::Type) {
        auto *e = static_cast<QGraphicsLineItem *>(item);
        const QPen pen = penFor(e->pen());
        if (pen != e->pen())
            e->setPen(Graph::sharedPen(pen));
    }
}

qint32 Timeline::textId(const QString &text)
{
    const auto found = m_textIds.constFind(text);
    if (found != m_textIds.constEnd())
        return found.value();
    const auto id = qint32(m_textsById.size());
    m_textsById.append(text);
    m_textIds.insert(text, id);
    return id;
}

qint32 Timeline::fontId(const QVariant &font)
{
    if (!font.isValid())
        return -1;
    const QFont value = font.value<QFont>();
    const auto found = m_fontIds.constFind(value);
    if (found != m_fontIds.constEnd())
        return found.value();
    const auto id = qint32(m_fontsById.size());
    m_fontsById.append(value);
    m_fontIds.insert(value, id);
    return id;
}

quint16 Timeline::formatId(const QTextCharFormat &format)
{
    for (int i = 0; i < m_formats.size(); ++i) {
        if (m_formats.at(i) == format)
            return quint16(i);
    }
    if (m_formats.size() > std::numeric_limits<quint16>::max())
        return 0;
    m_formats.append(format);
    return quint16(m_formats.size() - 1);
}

Timeline::Row Timeline::rowOf(const QListWidget *list, int row)
{
    const QListWidgetItem *item = list->item(row);
    return {textId(item->text()), fontId(item->data(Qt::FontRole))};
}

bool Timeline::explicitlyHidden(const QWidget *widget) const
{
    return widget->testAttribute(Qt::WA_WState_ExplicitShowHide) && widget->testAttribute(Qt::WA_WState_Hidden);
}

void Timeline::readScalars(const Watched &watched, qint32 &text, bool &hidden, bool &enabled)
{
    const QWidget *widget = watched.widget;
    if (watched.label) {
        const QString now = watched.label->text();
        // Interned only when it changed: most steps leave most labels alone.
        if (text < 0 || m_textsById.at(text) != now)
            text = textId(now);
    }
    hidden = explicitlyHidden(widget);
    enabled = !widget->testAttribute(Qt::WA_ForceDisabled);
}

void Timeline::listRowsInserted(int list, int first, int last)
{
    // What the timeline restores it writes into the shadow itself.
    if (m_restoring)
        return;
    ListShadow &shadow = m_lists[list];
    std::vector<Row> rows;
    for (int row = first; row <= last; ++row)
        rows.push_back(rowOf(shadow.list, row));
    if (m_recording) {
        // Rows appended one by one in a step, as a solver fills a list, are one change.
        Change *previous = m_pendingChanges.empty() ? nullptr : &m_pendingChanges.back();
        if (previous && previous->kind == RowsInserted && previous->widget == shadow.widget
            && previous->a + previous->b == first && previous->c + previous->b == qint32(m_pendingRows.size())) {
            previous->b += last - first + 1;
        } else {
            m_pendingChanges.push_back(change(RowsInserted, shadow.widget, first, last - first + 1,
                                              qint32(m_pendingRows.size())));
        }
        m_pendingRows.insert(m_pendingRows.end(), rows.begin(), rows.end());
    }
    shadow.rows.insert(shadow.rows.begin() + first, rows.begin(), rows.end());
}

void Timeline::listRowsRemoving(int list, int first, int last)
{
    if (m_restoring)
        return;
    ListShadow &shadow = m_lists[list];
    const auto from = shadow.rows.begin() + first;
    const auto to = shadow.rows.begin() + last + 1;
    if (m_recording) {
        m_pendingChanges.push_back(change(RowsRemoved, shadow.widget, first, last - first + 1,
                                          qint32(m_pendingRows.size())));
        m_pendingRows.insert(m_pendingRows.end(), from, to);
    }
    shadow.rows.erase(from, to);
}

void Timeline::listReset(int list)
{
    if (!m_lists[list].rows.empty())
        listRowsRemoving(list, 0, int(m_lists[list].rows.size()) - 1);
}

void Timeline::listDataChanged(int list, int first, int last)
{
    if (m_restoring)
        return;
    ListShadow &shadow = m_lists[list];
    for (int row = qMax(first, 0); row <= last && row < int(shadow.rows.size()); ++row) {
        const Row now = rowOf(shadow.list, row);
        if (now == shadow.rows[row])
            continue;
        if (m_recording) {
            m_pendingChanges.push_back(change(RowChanged, shadow.widget, row, 0, qint32(m_pendingRows.size())));
            m_pendingRows.push_back(shadow.rows[row]);
            m_pendingRows.push_back(now);
        }
        shadow.rows[row] = now;
    }
}

// The text of [position, position + length) and the number of each character's format.
void Timeline::readDocument(const TextShadow &shadow, int position, int length, QString &text,
                            std::vector<quint16> &formats)
{
    text.clear();
    formats.clear();
    if (length <= 0)
        return;
    QTextDocument *document = shadow.edit->document();
    QTextCursor cursor(document);
    cursor.setPosition(position);
    cursor.setPosition(position + length, QTextCursor::KeepAnchor);
    text = cursor.selectedText();
    formats.assign(text.size(), 0);
    const int end = position + length;
    for (QTextBlock block = document->findBlock(position); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto at = block.begin(); !at.atEnd(); ++at) {
            const QTextFragment fragment = at.fragment();
            const int from = qMax(fragment.position(), position);
            const int to = qMin(qMin(fragment.position() + fragment.length(), end), position + int(formats.size()));
            if (from < to)
                std::fill(formats.begin() + (from - position), formats.begin() + (to - position),
                          formatId(fragment.charFormat()));
        }
    }
}

// Cuts [from, from + length) of the text into pieces of one format each; the count of pieces.
int Timeline::addPieces(const QString &text, const std::vector<quint16> &formats, int from, int length)
{
    int pieces = 0;
    for (int start = from; start < from + length; ++pieces) {
        const int limit = qMin(from + length, start + int(std::numeric_limits<quint16>::max()));
        const quint16 format = formats[start];
        int end = start + 1;
        // A route is tens of thousands of characters in one format: they are
        // compared a block at a time, which the compiler turns into vector code.
        constexpr int block = 64;
        while (end + block <= limit) {
            unsigned differ = 0;
            for (int i = 0; i < block; ++i)
                differ |= unsigned(formats[end + i] ^ format);
            if (differ)
                break;
            end += block;
        }
        while (end < limit && formats[end] == format)
            ++end;
        m_pendingPieces.push_back({quint32(m_characters.size() - m_committedCharacters), quint16(end - start), format});
        m_characters.append(text.constData() + start, text.constData() + end);
        start = end;
    }
    return pieces;
}

void Timeline::textChanged(int textBox, int position, int removed, int added)
{
    if (m_restoring)
        return;
    TextShadow &shadow = m_texts[textBox];
    const int length = shadow.edit->document()->characterCount() - 1;
    const int before = shadow.text.size();
    // Replacing the whole text reports the document's last paragraph mark
    // too; whatever does not add up is taken as the whole text replaced.
    int from = position;
    int cut = qBound(0, removed, before - qBound(0, position, before));
    int put = qBound(0, added, length - qBound(0, position, length));
    if (position < 0 || position > before || position > length || before - cut + put != length) {
        from = 0;
        cut = before;
        put = length;
    }

    QString inserted;
    std::vector<quint16> insertedFormats;
    readDocument(shadow, from, put, inserted, insertedFormats);
    const QString removedText = shadow.text.mid(from, cut);
    const std::vector<quint16> removedFormats(shadow.formats.begin() + from, shadow.formats.begin() + from + cut);

    // Only what really differs is kept.
    int same = 0;
    while (same < cut && same < put && removedText.at(same) == inserted.at(same)
           && removedFormats[same] == insertedFormats[same])
        ++same;
    int tail = 0;
    while (tail < cut - same && tail < put - same && removedText.at(cut - 1 - tail) == inserted.at(put - 1 - tail)
           && removedFormats[cut - 1 - tail] == insertedFormats[put - 1 - tail])
        ++tail;

    if (m_recording && (cut - same - tail > 0 || put - same - tail > 0)) {
        auto first = qint32(m_pendingPieces.size());
        int cutPieces = addPieces(removedText, removedFormats, same, cut - same - tail);
        int putPieces = addPieces(inserted, insertedFormats, same, put - same - tail);
        // A record holds at most a short's count of inserted pieces; more go on in records of their own.
        int position = from + same;
        while (putPieces > std::numeric_limits<qint16>::max()) {
            const int now = std::numeric_limits<qint16>::max();
            m_pendingChanges.push_back(change(TextChanged, shadow.widget, position, first, cutPieces, now));
            for (int p = first + cutPieces; p < first + cutPieces + now; ++p)
                position += m_pendingPieces[p].length;
            first += cutPieces + now;
            cutPieces = 0;
            putPieces -= now;
        }
        m_pendingChanges.push_back(change(TextChanged, shadow.widget, position, first, cutPieces, putPieces));
    }
    if (cut == before) {
        // A box written anew, a route at the end of a run: what was read is kept as it is.
        shadow.text = inserted;
        shadow.formats = std::move(insertedFormats);
    } else {
        shadow.text.replace(from, cut, inserted);
        shadow.formats.erase(shadow.formats.begin() + from, shadow.formats.begin() + from + cut);
        shadow.formats.insert(shadow.formats.begin() + from, insertedFormats.begin(), insertedFormats.end());
    }
}

bool Timeline::hasPending() const
{
    return !m_pendingLooks.isEmpty() || !m_pendingChanges.empty() || m_pendingLines > 0;
}

void Timeline::dropPending()
{
    m_pendingLooks.clear();
    m_pendingChanges.clear();
    m_pendingRows.clear();
    m_pendingPieces.clear();
    m_characters.resize(m_committedCharacters);
    m_pendingLines = 0;
    m_trigger = Unknown;
    m_button = -1;
}

void Timeline::begin(Trigger trigger, int button)
{
    commit();
    if (m_startOpen) {
        m_startOpen = false;
        if (trigger == Click) {
            // The solver already waits for its start; what the dialog shows goes back to before it.
            m_restoring = true;
            applyLooks(0, -1);
            applyChanges(0, -1);
            m_restoring = false;
            m_position = -1;
            rebase();
            updateHistory();
        } else if (m_store) {
            m_store->restore(0);
        }
    }
    if (m_position < 0 && m_steps.empty()) {
        if (m_store)
            m_store->save(-1);
        checkpointLists(true);
    }
    m_trigger = trigger;
    m_button = button;
}

bool Timeline::commit()
{
    if (!m_recording)
        return false;
    for (std::size_t i = 0; i < m_watched.size(); ++i) {
        Watched &watched = m_watched[i];
        if (!watched.widget)
            continue;
        qint32 text = watched.text;
        bool hidden = false;
        bool enabled = true;
        readScalars(watched, text, hidden, enabled);
        const auto widget = int(i);
        if (text != watched.text)
            m_pendingChanges.push_back(change(LabelText, widget, watched.text, text));
        if (hidden != watched.hidden)
            m_pendingChanges.push_back(change(Hidden, widget, watched.hidden, hidden));
        if (enabled != watched.enabled)
            m_pendingChanges.push_back(change(Enabled, widget, watched.enabled, enabled));
        watched.text = text;
        watched.hidden = hidden;
        watched.enabled = enabled;
    }
    struct Changed
    {
        qint32 item;
        Look before;
        Look after;
    };
    std::vector<Changed> looks;
    for (auto at = m_pendingLooks.cbegin(); at != m_pendingLooks.cend(); ++at) {
        const Look after = lookOf(at.key());
        if (after == at.value())
            continue;
        auto id = m_itemIds.constFind(at.key());
        if (id == m_itemIds.constEnd()) {
            id = m_itemIds.insert(at.key(), qint32(m_items.size()));
            m_items.push_back(at.key());
            m_itemLooks.emplace_back();
            m_itemFirstLooks.emplace_back();
        }
        looks.push_back({id.value(), at.value(), after});
    }

    const Trigger trigger = m_trigger;
    const int button = m_button;
    // A press of the step button is always a step, whatever it showed: the
    // count of steps is the count of presses.
    const bool changed = !looks.empty() || !m_pendingChanges.empty() || m_pendingLines > 0;
    if (!changed && trigger != Forward) {
        dropPending();
        return false;
    }
    if (m_position < 0 && !started()) {
        // Before the start nothing is a step: what happened belongs to the moment before it.
        retagPendingLines(-1);
        dropPending();
        return false;
    }
    if (m_startOpen) {
        m_startOpen = false;
        if (m_store)
            m_store->restore(m_position);
    }

    truncate(m_position + 1);
    const auto rowsBase = qint32(m_rows.size());
    const auto piecesBase = qint32(m_pieces.size());
    const auto charactersBase = quint32(m_committedCharacters);
    for (Piece &piece : m_pendingPieces)
        piece.offset += charactersBase;
    for (const Changed &look : looks) {
        std::vector<quint32> &records = m_itemLooks[look.item];
        if (records.empty())
            m_itemFirstLooks[look.item] = look.before;
        records.push_back(quint32(m_looks.size()));
        m_looks.push_back({look.item, lookId(look.after)});
    }
    for (Change change : m_pendingChanges) {
        if (change.kind == RowsInserted || change.kind == RowsRemoved || change.kind == RowChanged)
            change.c += rowsBase;
        else if (change.kind == TextChanged)
            change.b += piecesBase;
        if (change.kind <= Enabled) {
            m_widgetScalars[change.widget].push_back(quint32(m_changes.size()));
            m_watched[change.widget].scalarKinds |= quint8(1 << change.kind);
        } else {
            m_widgetChanges[change.widget].push_back(quint32(m_changes.size()));
        }
        m_changes.push_back(change);
    }
    m_rows.append(m_pendingRows.begin(), m_pendingRows.end());
    m_pieces.append(m_pendingPieces.begin(), m_pendingPieces.end());
    m_committedCharacters = m_characters.size();
    const int step = m_position + 1;
    m_steps.push_back({quint32(m_looks.size()), quint32(m_changes.size()), linesEnd(step - 1) + quint32(m_pendingLines),
                       trigger, qint8(button)});
    retagPendingLines(step);
    dropPending();
    m_position = step;
    if (m_store)
        m_store->save(step);
    checkpointLists(false);
    // The new lines are at the top, where the history already shows them.
    m_history->viewport()->update();
    return true;
}

// Drops the steps from `steps` on, with their records, their history lines and the solver's states.
void Timeline::truncate(int steps)
{
    if (steps >= count())
        return;
    const int last = count() - 1;
    const int lines = int(linesEnd(last) - linesEnd(steps - 1));
    // The lines of the dropped steps lie right below the pending lines at the top.
    if (lines > 0)
        m_lines->removeRows(m_pendingLines, lines);
    const Step kept = steps > 0 ? m_steps[steps - 1] : Step{0, 0, 0, Unknown, -1};
    for (quint32 i = kept.looksEnd; i < m_looks.size(); ++i)
        m_itemLooks[m_looks[i].item].pop_back();
    for (quint32 i = kept.changesEnd; i < m_changes.size(); ++i)
        (m_changes[i].kind <= Enabled ? m_widgetScalars : m_widgetChanges)[m_changes[i].widget].pop_back();
    for (ListShadow &shadow : m_lists) {
        while (!shadow.checkpoints.empty() && shadow.checkpoints.back().step >= steps)
            shadow.checkpoints.pop_back();
        shadow.rowsSinceCheckpoint = 0;
    }
    m_looks.resize(kept.looksEnd);
    m_changes.resize(kept.changesEnd);
    m_steps.resize(steps);
    if (steps == 0) {
        m_rows.clear();
        m_pieces.clear();
        // The step being committed has its characters behind the dropped ones.
        if (m_characters.size() == m_committedCharacters)
            m_characters.clear();
        else
            m_characters.erase(m_characters.cbegin(), m_characters.cbegin() + qint64(m_committedCharacters));
        m_committedCharacters = 0;
    }
}

void Timeline::retagPendingLines(int step)
{
    for (int row = 0; row < m_pendingLines && row < m_lines->rowCount(); ++row)
        m_lines->setStep(row, step);
}

void Timeline::openStart()
{
    commit();
    if (m_position != 0 || !m_store)
        return;
    m_store->restore(-1);
    m_startOpen = true;
}

void Timeline::moveTo(int position)
{
    commit();
    position = qBound(-1, position, count() - 1);
    if (m_startOpen) {
        m_startOpen = false;
        if (m_store)
            m_store->restore(m_position);
    }
    if (position == m_position)
        return;
    m_restoring = true;
    applyLooks(m_position, position);
    applyChanges(m_position, position);
    m_restoring = false;
    m_position = position;
    if (m_store)
        m_store->restore(position);
    rebase();
    updateHistory();
}

void Timeline::rebase()
{
    for (Watched &watched : m_watched) {
        if (watched.widget)
            readScalars(watched, watched.text, watched.hidden, watched.enabled);
    }
}

quint32 Timeline::lookId(const Look &look)
{
    quint32 width = 0;
    std::memcpy(&width, &look.width, sizeof width);
    const QPair<quint64, quint64> key(quint64(look.fill) << 32 | look.line,
                                      quint64(width) << 32 | quint64(quint16(look.radius)) << 8 | look.style);
    auto id = m_lookIds.constFind(key);
    if (id == m_lookIds.constEnd()) {
        id = m_lookIds.insert(key, quint32(m_lookTable.size()));
        m_lookTable.push_back(look);
    }
    return id.value();
}

Timeline::Look Timeline::lookBefore(quint32 record) const
{
    const qint32 item = m_looks[record].item;
    const std::vector<quint32> &records = m_itemLooks[item];
    const auto at = std::lower_bound(records.begin(), records.end(), record);
    return at == records.begin() ? m_itemFirstLooks[item] : lookAfter(*(at - 1));
}

// Going back, an item takes its look from before the earliest step that
// changed it; going forward, from after the latest one. A short move reads
// the records of the steps it passes; a long one asks every item ever
// changed for its look at the target.
void Timeline::applyLooks(int from, int to)
{
    const quint32 first = looksBegin(qMin(from, to) + 1);
    const quint32 last = m_steps[qMax(from, to)].looksEnd;
    if (last - first > m_items.size()) {
        const quint32 end = to < 0 ? 0 : m_steps[to].looksEnd;
        for (std::size_t item = 0; item < m_items.size(); ++item) {
            const std::vector<quint32> &records = m_itemLooks[item];
            if (records.empty())
                continue;
            const auto after = std::lower_bound(records.begin(), records.end(), end);
            const Look look = after == records.begin() ? m_itemFirstLooks[item] : lookAfter(*(after - 1));
            if (!(lookOf(m_items[item]) == look))
                setLook(m_items[item], look);
        }
        return;
    }
    m_itemMarks.resize(m_items.size(), 0);
    const quint32 mark = ++m_jump;
    auto apply = [&](const LookChange &change, const Look &look) {
        if (m_itemMarks[change.item] == mark)
            return;
        m_itemMarks[change.item] = mark;
        setLook(m_items[change.item], look);
    };
    if (to < from) {
        for (quint32 i = first; i < last; ++i) {
            if (m_itemMarks[m_looks[i].item] != mark)
                apply(m_looks[i], lookBefore(i));
        }
    } else {
        for (quint32 i = last; i-- > first;)
            apply(m_looks[i], lookAfter(i));
    }
}

void Timeline::applyRowChange(std::vector<Row> &rows, const Change &change, bool back) const
{
    if (change.kind == RowChanged) {
        rows[change.a] = m_rows[change.c + (back ? 0 : 1)];
    } else if ((change.kind == RowsInserted) != back) {
        rows.insert(rows.begin() + change.a, m_rows.begin() + change.c, m_rows.begin() + change.c + change.b);
    } else {
        rows.erase(rows.begin() + change.a, rows.begin() + change.a + change.b);
    }
}

// A list's rows are kept whenever about as many rows have changed as it
// has: the copies cost no more than the records.
void Timeline::checkpointLists(bool initial)
{
    for (ListShadow &shadow : m_lists) {
        if (initial) {
            shadow.checkpoints.clear();
            shadow.checkpoints.push_back({-1, shadow.rows});
            shadow.rowsSinceCheckpoint = 0;
            continue;
        }
        const BlockVector<quint32> &records = m_widgetChanges[shadow.widget];
        // Counted in rows: one record may insert a whole list.
        for (auto r = std::lower_bound(records.begin(), records.end(), changesBegin(m_position)); r != records.end(); ++r)
            shadow.rowsSinceCheckpoint += m_changes[*r].kind == RowChanged ? 1 : m_changes[*r].b;
        if (shadow.rowsSinceCheckpoint > qMax(64, int(shadow.rows.size()))) {
            shadow.checkpoints.push_back({m_position, shadow.rows});
            shadow.rowsSinceCheckpoint = 0;
        }
    }
}

void Timeline::applyChanges(int from, int to)
{
    const bool back = to < from;
    const quint32 first = changesBegin(qMin(from, to) + 1);
    const quint32 last = m_steps[qMax(from, to)].changesEnd;

    for (std::size_t w = 0; w < m_watched.size(); ++w) {
        Watched &watched = m_watched[w];
        if (!watched.widget)
            continue;

        // Going back a scalar takes its value from before the earliest change
        // in the passage, going forward from after the latest one.
        const BlockVector<quint32> &scalars = m_widgetScalars[w];
        const auto scalarsBegin = std::lower_bound(scalars.begin(), scalars.end(), first);
        const auto scalarsEnd = std::lower_bound(scalars.begin(), scalars.end(), last);
        quint8 found = 0;
        for (int i = 0; i < scalarsEnd - scalarsBegin && found != watched.scalarKinds; ++i) {
            const Change &change = m_changes[back ? *(scalarsBegin + i) : *(scalarsEnd - 1 - i)];
            if (found & (1 << change.kind))
                continue;
            found |= quint8(1 << change.kind);
            const qint32 value = back ? change.a : change.b;
            if (change.kind == LabelText && watched.label)
                watched.label->setText(m_textsById.at(value));
            else if (change.kind == Hidden)
                watched.widget->setHidden(value);
            else if (change.kind == Enabled)
                watched.widget->setEnabled(value);
        }

        const BlockVector<quint32> &records = m_widgetChanges[w];
        const auto begin = std::lower_bound(records.begin(), records.end(), first);
        const auto end = std::lower_bound(records.begin(), records.end(), last);
        if (begin == end)
            continue;

        if (watched.list >= 0) {
            ListShadow &shadow = m_lists[watched.list];
            // From the rows now, or from the rows kept last before the target, whichever passes fewer changes.
            auto kept = std::upper_bound(shadow.checkpoints.begin(), shadow.checkpoints.end(), to,
                                         [](int step, const Checkpoint &c) { return step < c.step; });
            const Checkpoint *checkpoint = kept == shadow.checkpoints.begin() ? nullptr : &*(kept - 1);
            const auto checkpointBegin = checkpoint ? std::lower_bound(records.begin(), records.end(),
                                                                       changesBegin(checkpoint->step + 1))
                                                    : records.end();
            const quint32 targetChanges = to < 0 ? 0 : m_steps[to].changesEnd;
            const auto targetEnd = std::lower_bound(records.begin(), records.end(), targetChanges);
            std::vector<Row> rows;
            if (checkpoint && targetEnd - checkpointBegin < end - begin) {
                rows = checkpoint->rows;
                for (auto at = checkpointBegin; at != targetEnd; ++at)
                    applyRowChange(rows, m_changes[*at], false);
            } else {
                rows = shadow.rows;
                if (back) {
                    for (auto at = end; at != begin;)
                        applyRowChange(rows, m_changes[*--at], true);
                } else {
                    for (auto at = begin; at != end; ++at)
                        applyRowChange(rows, m_changes[*at], false);
                }
            }
            syncList(shadow, rows);
        } else if (watched.textBox >= 0) {
            TextShadow &shadow = m_texts[watched.textBox];
            // Each change in the order it is applied: where it cuts how many
            // characters, and the pieces of the record it puts in.
            struct Edit
            {
                int at, cut, put, firstPut, putPieces;
            };
            std::vector<Edit> edits;
            auto add = [&](const Change &change) {
                const int firstCut = change.b + (back ? change.c : 0);
                const int cutPieces = back ? change.d : change.c;
                Edit edit{change.a, 0, 0, change.b + (back ? 0 : change.c), back ? change.c : change.d};
                for (int p = firstCut; p < firstCut + cutPieces; ++p)
                    edit.cut += m_pieces[p].length;
                for (int p = edit.firstPut; p < edit.firstPut + edit.putPieces; ++p)
                    edit.put += m_pieces[p].length;
                edits.push_back(edit);
            };
            if (back) {
                for (auto at = end; at != begin;)
                    add(m_changes[*--at]);
            } else {
                for (auto at = begin; at != end; ++at)
                    add(m_changes[*at]);
            }
            // The span the changes touch, in the text after them: only that
            // span is compared and put back, so a move costs what it changes,
            // not the length of the box.
            int spanFrom = shadow.text.size();
            int spanTo = 0;
            int grown = 0;
            for (const Edit &edit : edits) {
                if (spanTo >= edit.at + edit.cut)
                    spanTo += edit.put - edit.cut;
                else if (spanTo > edit.at)
                    spanTo = edit.at;
                spanFrom = qMin(spanFrom, edit.at);
                spanTo = qMax(spanTo, edit.at + edit.put);
                grown += edit.put - edit.cut;
            }
            const QString before = shadow.text.mid(spanFrom, spanTo - grown - spanFrom);
            const std::vector<quint16> formatsBefore(shadow.formats.begin() + spanFrom,
                                                     shadow.formats.begin() + (spanTo - grown));
            for (const Edit &edit : edits) {
                shadow.text.remove(edit.at, edit.cut);
                shadow.formats.erase(shadow.formats.begin() + edit.at, shadow.formats.begin() + edit.at + edit.cut);
                int at = edit.at;
                for (int p = edit.firstPut; p < edit.firstPut + edit.putPieces; ++p) {
                    const Piece &piece = m_pieces[p];
                    int put = at;
                    m_characters.forEachSpan(piece.offset, piece.length, [&](const QChar *characters, std::size_t n) {
                        shadow.text.insert(put, characters, qsizetype(n));
                        put += int(n);
                    });
                    shadow.formats.insert(shadow.formats.begin() + at, piece.length, piece.format);
                    at += piece.length;
                }
            }
            putBack(shadow, spanFrom, before, formatsBefore, spanTo);
        }
    }
}

void Timeline::syncList(ListShadow &shadow, const std::vector<Row> &target)
{
    QListWidget *list = shadow.list;
    auto setFont = [this](QListWidgetItem *item, qint32 font) {
        item->setData(Qt::FontRole, font < 0 ? QVariant() : QVariant(m_fontsById.at(font)));
    };
    const int common = int(qMin(shadow.rows.size(), target.size()));
    for (int row = 0; row < common; ++row) {
        if (shadow.rows[row] == target[row])
            continue;
        QListWidgetItem *item = list->item(row);
        if (shadow.rows[row].text != target[row].text)
            item->setText(m_textsById.at(target[row].text));
        if (shadow.rows[row].font != target[row].font)
            setFont(item, target[row].font);
    }
    if (int(shadow.rows.size()) > int(target.size()))
        list->model()->removeRows(int(target.size()), int(shadow.rows.size() - target.size()));
    // All at once: the list and whoever watches it hear of one insertion.
    QStringList texts;
    for (int row = common; row < int(target.size()); ++row)
        texts.append(m_textsById.at(target[row].text));
    if (!texts.isEmpty())
        list->insertItems(common, texts);
    for (int row = common; row < int(target.size()); ++row) {
        if (target[row].font >= 0)
            setFont(list->item(row), target[row].font);
    }
    shadow.rows = target;
}

// The box's text from `from` on was `before`, and is the shadow's up to
// `to` now: the box gets what differs.
void Timeline::putBack(const TextShadow &shadow, int from, const QString &before,
                       const std::vector<quint16> &formatsBefore, int to)
{
    const int cut = before.size();
    const int put = to - from;
    int same = 0;
    while (same < cut && same < put && before.at(same) == shadow.text.at(from + same)
           && formatsBefore[same] == shadow.formats[from + same])
        ++same;
    int tail = 0;
    while (tail < cut - same && tail < put - same && before.at(cut - 1 - tail) == shadow.text.at(to - 1 - tail)
           && formatsBefore[cut - 1 - tail] == shadow.formats[to - 1 - tail])
        ++tail;
    if (same == cut && same == put)
        return;
    // In an edit block a cursor does not lay out its paragraph to know its
    // column: a box of one long paragraph would be shaped whole at every move.
    QTextCursor cursor(shadow.edit->document());
    cursor.beginEditBlock();
    cursor.setPosition(from + same);
    cursor.setPosition(from + cut - tail, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    for (int start = from + same; start < to - tail;) {
        int end = start + 1;
        while (end < to - tail && shadow.formats[end] == shadow.formats[start])
            ++end;
        cursor.insertText(shadow.text.mid(start, end - start), m_formats.at(shadow.formats[start]));
        start = end;
    }
    cursor.endEditBlock();
}

// Scrolling lays out every line the view has not laid out yet: done only on a move along the timeline.
void Timeline::updateHistory()
{
    m_history->viewport()->update();
    if (!m_history->isVisible())
        return;
    // Newest on top: the lines of later steps come first, then the present step's.
    const int row = int(linesEnd(count() - 1) - linesEnd(m_position)) + m_pendingLines;
    const QModelIndex line = m_lines->index(qMin(row, m_lines->rowCount() - 1));
    if (line.isValid())
        m_history->scrollTo(line, QAbstractItemView::PositionAtCenter);
}
