#ifndef LONGLINELAYOUT_H
#define LONGLINELAYOUT_H

#include <QAbstractTextDocumentLayout>
#include <QBasicTimer>
#include <QTextCharFormat>
#include <QTextOption>

#include <memory>
#include <vector>

class QTextEdit;
class QTextLayout;
class QTextLine;

/**
 * Lays out the text of a box that a run keeps writing to: one paragraph of
 * thousands of names (a stack, the removed edges, a route) that grows and
 * shrinks at its end. Qt's own layout shapes the whole paragraph again at
 * every change, so a click late in a long run cost a hundred times one early
 * on. Here a change costs the lines from it on, and those are laid out only
 * when they are drawn or, a few milliseconds at a time, while the program
 * waits: what the box shows is laid out at once, the height of the rest
 * follows.
 *
 * Lines break where Qt's layout of the same document breaks them, at the
 * box's width or after a number of characters, and are drawn the same, pixel
 * for pixel: each line is shaped with the text on either side of it.
 */
class LongLineLayout : public QAbstractTextDocumentLayout
{
    Q_OBJECT

public:
    explicit LongLineLayout(QTextDocument *document);
    ~LongLineLayout() override;

    /// Gives the box's document this layout; the box shows and edits it as before.
    static LongLineLayout *install(QTextEdit *edit);

    /// Breaks every line after this many characters, as QTextEdit::FixedColumnWidth does; 0 breaks at the width.
    void setColumns(int columns);
    int columns() const { return m_columns; }

    struct LineInfo
    {
        int start;          // document position of the first character
        int length;         // characters, without the paragraph's end
        qreal naturalWidth; // the width its text takes
    };
    /// Lays out the whole document now.
    int lineCount() const;
    LineInfo lineAt(int i) const;

    void draw(QPainter *painter, const PaintContext &context) override;
    int hitTest(const QPointF &point, Qt::HitTestAccuracy accuracy) const override;
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override;
    QRectF frameBoundingRect(QTextFrame *frame) const override;
    QRectF blockBoundingRect(const QTextBlock &block) const override;

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;
    void timerEvent(QTimerEvent *event) override;

private:
    // Heights are kept in 64ths of a pixel, as Qt's layout adds them up.
    struct Line
    {
        int start;
        int length;
        bool lastInBlock;
        qint64 top;
        int advance; // to the next line's top
        int bottom;  // where the line's own height ends
        qreal naturalWidth;
    };
    struct Shaped;

    void readChange(int from, int charsRemoved, int charsAdded);
    void readAll();
    void readRange(int from, int length, QString &text, std::vector<quint16> &formats) const;
    quint16 formatIndex(const QTextCharFormat &format) const;
    void forgetFrom(int position);

    std::unique_ptr<Shaped> shape(int start) const;
    bool layOutNext() const;
    void layOutUntil(qint64 y) const;
    void layOutAll() const;
    void scheduleWalk();
    void reportSize();
    qint64 estimatedBottom() const;
    int lineIndexAt(qint64 y) const;
    int blockEndFrom(int position) const;
    qreal contentWidth() const;
    qint64 margin() const;

    QString m_text;                  // the document's text, paragraph ends included
    std::vector<quint16> m_formats;  // each character's format, an index into m_formatTable
    mutable std::vector<QTextCharFormat> m_formatTable;
    int m_columns = 0;
    bool m_changeRead = false;

    mutable std::vector<Line> m_lines; // laid out so far, from the top
    mutable qint64 m_nextTop = 0;      // where the next line goes
    mutable qint64 m_nextBlockBottom = 0;
    mutable qreal m_widest = 0;
    QBasicTimer m_walk;
    QSizeF m_reportedSize;
};

#endif // LONGLINELAYOUT_H
