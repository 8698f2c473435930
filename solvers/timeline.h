#ifndef TIMELINE_H
#define TIMELINE_H

#include "graph/graph.h"
#include "solvers/blockvector.h"

#include <QFont>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QTextCharFormat>
#include <QtGlobal>

#include <memory>
#include <vector>

class QGraphicsItem;
class QLabel;
class HistoryModel;
class QListView;
class QListWidget;
class QTextEdit;

/**
 * Where a solver keeps its own state for every moment of a run; the
 * timeline saves and restores it alongside what the dialog shows.
 */
class TimelineStateStore
{
public:
    virtual ~TimelineStateStore() = default;
    /// The solver's state now is the state at position (-1 before the start); later ones are dropped.
    virtual void save(int position) = 0;
    virtual void restore(int position) = 0;
    /// Whether the solver's present state has a start vertex.
    virtual bool started() const = 0;
};

/**
 * The run of a solver dialog as a list of steps, each the changes one action
 * made to what the user sees: the looks of the scene's items, the rows of
 * lists, the text of text boxes and labels, hidden frames and enabled
 * buttons. A step is kept as old and new values, so the dialog moves to any
 * moment by applying steps backwards or forwards, a long jump at the cost of
 * the items and widgets it touches. See AbstractSolver for how steps begin.
 */
class Timeline : public QObject, public LookRecorder
{
    Q_OBJECT

public:
    /// What started a step; a step forward along the timeline replays a step of the same kind.
    enum Trigger : quint8 { Unknown, Forward, Click, Button };

    Timeline(Graph *graph, QListView *history, QObject *parent);
    ~Timeline() override;

    void setStateStore(std::unique_ptr<TimelineStateStore> store);
    /// Records the changes of widget and its descendants from now on.
    void watch(QWidget *widget);
    /// Stops recording (the dialog closes) or starts again; stopping forgets what is not committed.
    void setRecording(bool recording);

    /// A line at the top of the history, tagged with the step being made.
    void addHistoryLine(const QString &text);
    /// The history's lines, as the view shows them.
    HistoryModel *historyLines() const { return m_lines; }

    /// An action begins: what is pending is committed first.
    void begin(Trigger trigger, int button = -1);
    /// Makes what changed since the last step a step of its own; true when a step was added.
    bool commit();
    /// Moves the dialog to the moment after step position (-1: before the first).
    void moveTo(int position);
    /// At the moment after the first step, the solver waits for a new start: a click on a vertex replaces the run.
    void openStart();
    bool startOpen() const { return m_startOpen; }
    /// Takes what the dialog shows now as the state that later changes are compared with.
    void rebase();

    int position() const { return m_position; }
    int count() const { return int(m_steps.size()); }
    Trigger nextTrigger() const;
    int nextButton() const;
    bool started() const;

    void lookAboutToChange(QGraphicsItem *item) override;

    /// The compact look of a vertex or an edge.
    struct Look
    {
        QRgb fill = 0;
        QRgb line = 0;
        float width = 0;
        qint16 radius = 0;
        quint8 style = 0;
        bool operator==(const Look &other) const
        {
            return fill == other.fill && line == other.line && width == other.width && radius == other.radius
                   && style == other.style;
        }
    };

private:
    struct Step
    {
        quint32 looksEnd;
        quint32 changesEnd;
        quint32 linesEnd;
        Trigger trigger;
        qint8 button;
    };
    /// The look an item took; the look before is the item's record before this one, or its first look.
    struct LookChange
    {
        qint32 item; // by number: a long jump marks items in an array, not a hash
        quint32 look; // a run uses a handful of looks: each is kept once
    };
    enum ChangeKind : quint8 { LabelText, Hidden, Enabled, RowsInserted, RowsRemoved, RowChanged, TextChanged };
    /// One change of a widget; a, b, c, d by kind (see timeline.cpp).
    struct Change
    {
        ChangeKind kind;
        quint8 widget;
        qint16 d;
        qint32 a;
        qint32 b;
        qint32 c;
    };
    static Change change(ChangeKind kind, int widget, qint32 a, qint32 b, qint32 c = 0, int d = 0);
    struct Row
    {
        qint32 text;
        qint32 font;
        bool operator==(const Row &other) const { return text == other.text && font == other.font; }
        bool operator!=(const Row &other) const { return !(*this == other); }
    };
    /// Text of one format, kept in a buffer of characters.
    struct Piece
    {
        quint32 offset;
        quint16 length;
        quint16 format;
    };
    struct Watched
    {
        QPointer<QWidget> widget;
        QLabel *label = nullptr;
        int list = -1;
        int textBox = -1;
        qint32 text = -1;
        bool hidden = false;
        bool enabled = true;
        quint8 scalarKinds = 0; // which of LabelText, Hidden and Enabled were ever recorded
    };
    /// The rows of a list after a step, kept now and then so that a long jump starts near its target.
    struct Checkpoint
    {
        int step;
        std::vector<Row> rows;
    };
    struct ListShadow
    {
        QListWidget *list;
        quint8 widget;
        std::vector<Row> rows;
        std::vector<Checkpoint> checkpoints;
        int rowsSinceCheckpoint = 0;
    };
    struct TextShadow
    {
        QTextEdit *edit;
        quint8 widget;
        QString text;
        std::vector<quint16> formats;
    };

    static Look lookOf(const QGraphicsItem *item);
    static void setLook(QGraphicsItem *item, const Look &look);

    qint32 textId(const QString &text);
    qint32 fontId(const QVariant &font);
    quint16 formatId(const QTextCharFormat &format);
    Row rowOf(const QListWidget *list, int row);
    bool explicitlyHidden(const QWidget *widget) const;
    void readScalars(const Watched &watched, qint32 &text, bool &hidden, bool &enabled);

    void listRowsInserted(int list, int first, int last);
    void listRowsRemoving(int list, int first, int last);
    void listReset(int list);
    void listDataChanged(int list, int first, int last);
    void textChanged(int textBox, int position, int removed, int added);
    void readDocument(const TextShadow &shadow, int position, int length, QString &text,
                      std::vector<quint16> &formats);
    int addPieces(const QString &text, const std::vector<quint16> &formats, int from, int length);

    bool hasPending() const;
    void dropPending();
    void truncate(int steps);
    quint32 looksBegin(int step) const { return step <= 0 ? 0 : m_steps[step - 1].looksEnd; }
    quint32 changesBegin(int step) const { return step <= 0 ? 0 : m_steps[step - 1].changesEnd; }
    quint32 linesEnd(int step) const { return step < 0 ? 0 : m_steps[step].linesEnd; }
    Look lookBefore(quint32 record) const;
    const Look &lookAfter(quint32 record) const { return m_lookTable[m_looks[record].look]; }
    quint32 lookId(const Look &look);
    void applyLooks(int from, int to);
    void applyChanges(int from, int to);
    void applyRowChange(std::vector<Row> &rows, const Change &change, bool back) const;
    void checkpointLists(bool initial);
    void syncList(ListShadow &shadow, const std::vector<Row> &target);
    void putBack(const TextShadow &shadow, int from, const QString &before, const std::vector<quint16> &formatsBefore,
                 int to);
    void retagPendingLines(int step);
    void updateHistory();

    Graph *m_graph;
    QListView *m_history;
    HistoryModel *m_lines;
    std::unique_ptr<TimelineStateStore> m_store;

    // Committed steps and their records, each step's records following the previous step's.
    // In blocks of 64 KiB rather than vectors, whose doubling copied megabytes into one click
    // late in a long run, or deques, whose small blocks stayed pinned in the heap by whatever
    // was allocated between them when the dialog closed.
    BlockVector<Step> m_steps;
    BlockVector<LookChange> m_looks;
    BlockVector<Change> m_changes;
    BlockVector<Row> m_rows;
    BlockVector<Piece> m_pieces;
    BlockVector<QChar> m_characters;

    // What changed since the last commit.
    QHash<QGraphicsItem *, Look> m_pendingLooks;
    std::vector<Change> m_pendingChanges;
    std::vector<Row> m_pendingRows;
    std::vector<Piece> m_pendingPieces;
    // A step's characters go straight behind the committed ones: a route is
    // copied once, not gathered and then copied again when the step is kept.
    std::size_t m_committedCharacters = 0;
    int m_pendingLines = 0;
    Trigger m_trigger = Unknown;
    int m_button = -1;

    std::vector<Watched> m_watched;
    std::vector<ListShadow> m_lists;
    std::vector<TextShadow> m_texts;

    // Items whose look ever changed, by number, with their records in order,
    // their looks before the first, and the mark of the last jump that set each.
    BlockVector<QGraphicsItem *> m_items;
    QHash<QGraphicsItem *, qint32> m_itemIds;
    BlockVector<std::vector<quint32>> m_itemLooks;
    BlockVector<Look> m_itemFirstLooks;
    std::vector<Look> m_lookTable;
    QHash<QPair<quint64, quint64>, quint32> m_lookIds;
    std::vector<quint32> m_itemMarks;
    quint32 m_jump = 0;
    // Each watched widget's records in order, its rows and text apart from the rest:
    // a jump finds a widget's changes without going through the others'.
    std::vector<BlockVector<quint32>> m_widgetChanges;
    std::vector<BlockVector<quint32>> m_widgetScalars;

    // Texts, fonts and formats are kept once and referred to by number.
    QHash<QString, qint32> m_textIds;
    QList<QString> m_textsById;
    QHash<QFont, qint32> m_fontIds;
    QList<QFont> m_fontsById;
    QList<QTextCharFormat> m_formats;

    int m_position = -1;
    bool m_recording = true;
    bool m_restoring = false;
    bool m_startOpen = false;
};

#endif // TIMELINE_H
