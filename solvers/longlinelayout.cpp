#include "solvers/longlinelayout.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimerEvent>
#include <QtMath>

#include <algorithm>

namespace {

// Qt's layout adds heights up in 64ths of a pixel, cut, not rounded.
qint64 fixed(qreal value)
{
    return qint64(value * 64);
}

qreal real(qint64 value)
{
    return qreal(value) / 64;
}

// Shaping looks a few characters to either side: a line is shaped with them.
const int contextBefore = 16;
const int contextAfter = 4;

// The slice of layout work done while the program waits, so that a click is never held up by it.
const int walkSliceMs = 4;

} // namespace

// A line shaped on its own: the text around it is laid out as lines that are never drawn.
struct LongLineLayout::Shaped
{
    QTextLayout layout;
    int windowStart = 0; // document position of the layout's first character
    int lineIndex = 0;

    QTextLine line() const { return layout.lineAt(lineIndex); }
};

LongLineLayout::LongLineLayout(QTextDocument *document)
    : QAbstractTextDocumentLayout(document)
{
    readAll();
    // Read while the document reports the change: a cursor moved then does not
    // shape the whole paragraph to learn its column, as it would afterwards.
    connect(document, &QTextDocument::contentsChange, this, &LongLineLayout::readChange);
}

LongLineLayout::~LongLineLayout() = default;

LongLineLayout *LongLineLayout::install(QTextEdit *edit)
{
    auto *layout = new LongLineLayout(edit->document());
    edit->document()->setDocumentLayout(layout);
    return layout;
}

void LongLineLayout::setColumns(int columns)
{
    if (columns == m_columns)
        return;
    m_columns = columns;
    forgetFrom(0);
}

qint64 LongLineLayout::margin() const
{
    return fixed(document()->documentMargin());
}

qreal LongLineLayout::contentWidth() const
{
    return document()->pageSize().width() - 2 * document()->documentMargin();
}

quint16 LongLineLayout::formatIndex(const QTextCharFormat &format) const
{
    for (size_t i = 0; i < m_formatTable.size(); ++i) {
        if (m_formatTable[i] == format)
            return quint16(i);
    }
    m_formatTable.push_back(format);
    return quint16(m_formatTable.size() - 1);
}

void LongLineLayout::readAll()
{
    m_formatTable.clear();
    readRange(0, document()->characterCount(), m_text, m_formats);
}

// The text of [from, from + length) with each character's format; a paragraph's end is U+2029.
void LongLineLayout::readRange(int from, int length, QString &text, std::vector<quint16> &formats) const
{
    text.clear();
    formats.clear();
    // One more: a text read anew gets the last paragraph's end behind it.
    text.reserve(length + 1);
    formats.reserve(length + 1);
    const int end = from + length;
    if (length <= 64) {
        // A click's few characters: found from the position, not from the paragraph's start.
        QTextCursor cursor(document());
        for (int at = from; at < end; ++at) {
            const QChar c = document()->characterAt(at);
            if (c == QChar::ParagraphSeparator) {
                text.append(c);
                formats.push_back(formatIndex(document()->findBlock(at).charFormat()));
                continue;
            }
            text.append(c);
            // The format of the character before the cursor.
            cursor.setPosition(at + 1);
            formats.push_back(formatIndex(cursor.charFormat()));
        }
        return;
    }
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const int first = qMax(fragment.position(), from);
            const int last = qMin(fragment.position() + fragment.length(), end);
            if (first >= last)
                continue;
            text.append(QStringView(fragment.text()).mid(first - fragment.position(), last - first));
            formats.insert(formats.end(), size_t(last - first), formatIndex(fragment.charFormat()));
        }
        const int separator = block.position() + block.length() - 1;
        if (separator >= from && separator < end) {
            text.append(QChar::ParagraphSeparator);
            formats.push_back(formatIndex(block.charFormat()));
        }
    }
}

void LongLineLayout::readChange(int from, int charsRemoved, int charsAdded)
{
    m_changeRead = true;
    if (from < 0 || from + charsRemoved > int(m_text.size())
        || int(m_text.size()) - charsRemoved + charsAdded != document()->characterCount()) {
        readAll();
        return;
    }
    QString text;
    std::vector<quint16> formats;
    readRange(from, charsAdded, text, formats);
    if (from == 0 && charsRemoved == int(m_text.size()) - 1) {
        // A box written anew, a route at the end of a run: the text read is kept, with the last paragraph's end.
        text.append(m_text.back());
        formats.push_back(m_formats.back());
        m_text = std::move(text);
        m_formats = std::move(formats);
        return;
    }
    m_text.replace(from, charsRemoved, text);
    m_formats.erase(m_formats.begin() + from, m_formats.begin() + from + charsRemoved);
    m_formats.insert(m_formats.begin() + from, formats.begin(), formats.end());
}

void LongLineLayout::documentChanged(int from, int charsRemoved, int charsAdded)
{
    // A new page width or font is reported as the whole text added, which no
    // change of the text can be (a document never has fewer than one
    // character): the text is as it was read. A change made while another
    // was being reported comes unannounced.
    const bool relaidOut = from == 0 && charsRemoved == 0 && charsAdded == document()->characterCount();
    if (!m_changeRead && !relaidOut && (charsRemoved > 0 || charsAdded > 0)) {
        readAll();
        from = 0;
    }
    m_changeRead = false;
    forgetFrom(from);
    scheduleWalk();
    reportSize();
    emit update(QRectF(0, real(m_nextTop), qreal(INT_MAX), qreal(INT_MAX)));
}

void LongLineLayout::reportSize()
{
    const QSizeF size = documentSize();
    if (size != m_reportedSize) {
        m_reportedSize = size;
        emit documentSizeChanged(size);
    }
}

// Lines from the one before the change on are laid out again: a change at a
// line's start may move the break at the end of the line before.
void LongLineLayout::forgetFrom(int position)
{
    auto after = std::lower_bound(m_lines.begin(), m_lines.end(), position,
                                  [](const Line &line, int at) { return line.start + line.length < at; });
    if (after != m_lines.begin())
        --after;
    bool widestGone = false;
    for (auto it = after; it != m_lines.end(); ++it)
        widestGone = widestGone || it->naturalWidth >= m_widest;
    m_lines.erase(after, m_lines.end());
    if (widestGone) {
        m_widest = 0;
        for (const Line &line : m_lines)
            m_widest = qMax(m_widest, line.naturalWidth);
    }
    if (m_lines.empty()) {
        m_nextTop = margin();
    } else {
        const Line &last = m_lines.back();
        m_nextTop = last.top + last.advance;
        // A paragraph's last line may reach lower than the next line's top: its own height counts.
        if (last.lastInBlock)
            m_nextTop = qMax(m_nextTop, last.top + last.bottom);
    }
}

std::unique_ptr<LongLineLayout::Shaped> LongLineLayout::shape(int start) const
{
    const QTextBlock block = document()->findBlock(start);
    const int blockStart = block.position();
    const int blockEnd = blockStart + block.length() - 1;
    const Qt::LayoutDirection direction = block.textDirection();

    QTextOption option = document()->defaultTextOption();
    option.setTextDirection(direction);
    option.setTabs(block.blockFormat().tabPositions());
    Qt::Alignment alignment = option.alignment();
    if (block.blockFormat().hasProperty(QTextFormat::BlockAlignment))
        alignment = block.blockFormat().alignment();
    option.setAlignment(QStyle::visualAlignment(direction, alignment));
    if (block.blockFormat().nonBreakableLines() || document()->pageSize().width() < 0)
        option.setWrapMode(QTextOption::ManualWrap);

    int before = qMin(start - blockStart, contextBefore);
    int after = m_columns > 0 ? m_columns + 16 : 96;
    for (;;) {
        auto shaped = std::make_unique<Shaped>();
        shaped->windowStart = start - before;
        const int windowEnd = qMin(blockEnd, start + after);
        shaped->layout.setText(m_text.mid(shaped->windowStart, windowEnd - shaped->windowStart));
        shaped->layout.setFont(document()->defaultFont());
        QList<QTextLayout::FormatRange> ranges;
        for (int at = shaped->windowStart; at < windowEnd;) {
            int end = at + 1;
            while (end < windowEnd && m_formats[size_t(end)] == m_formats[size_t(at)])
                ++end;
            ranges.append({at - shaped->windowStart, end - at, m_formatTable[m_formats[size_t(at)]]});
            at = end;
        }
        shaped->layout.setFormats(ranges);
        shaped->layout.setCacheEnabled(true);
        QTextOption leading = option;
        leading.setWrapMode(QTextOption::WrapAnywhere);
        shaped->layout.setTextOption(before > 0 ? leading : option);
        shaped->layout.beginLayout();
        if (before > 0) {
            QTextLine context = shaped->layout.createLine();
            context.setNumColumns(before);
            // Far above anything drawn: only the line after it shows.
            context.setPosition(QPointF(0, -1e6));
            if (context.textLength() != before) {
                // A cluster spans where the text before would end: a little less of it. The
                // line needs some, or a break at its start can be taken for one within it.
                shaped->layout.endLayout();
                --before;
                continue;
            }
            shaped->layout.setTextOption(option);
            shaped->lineIndex = 1;
        }
        QTextLine line = shaped->layout.createLine();
        if (!line.isValid()) {
            shaped->layout.endLayout();
            return shaped;
        }
        line.setLeadingIncluded(true);
        if (m_columns > 0)
            line.setNumColumns(m_columns, contentWidth());
        else
            line.setLineWidth(contentWidth());
        line.setPosition(QPointF(0, 0));
        const int lineEnd = start + line.textLength();
        if (lineEnd < windowEnd) {
            // The paragraph goes on: its last line draws a selected paragraph end, this one must not.
            QTextLine rest = shaped->layout.createLine();
            rest.setNumColumns(windowEnd - lineEnd);
            rest.setPosition(QPointF(0, 1e6));
        }
        shaped->layout.endLayout();
        if (windowEnd == blockEnd || lineEnd + contextAfter <= windowEnd)
            return shaped;
        after *= 2;
    }
}

// One more line; false when the whole document is laid out.
bool LongLineLayout::layOutNext() const
{
    int start = 0;
    if (!m_lines.empty()) {
        const Line &last = m_lines.back();
        start = last.start + last.length + (last.lastInBlock ? 1 : 0);
    }
    if (start >= int(m_text.size()))
        return false;
    const std::unique_ptr<Shaped> shaped = shape(start);
    const QTextBlock block = document()->findBlock(start);
    const int blockEnd = block.position() + block.length() - 1;
    Line line{start, 0, true, m_nextTop, 0, 0, 0};
    const QTextLine shapedLine = shaped->line();
    if (shapedLine.isValid()) {
        line.length = shapedLine.textLength();
        line.advance = int(fixed(qCeil(shapedLine.ascent() + shapedLine.descent() + shapedLine.leading())));
        line.bottom = int(fixed(shapedLine.height()));
        line.naturalWidth = shapedLine.naturalTextWidth();
    } else {
        // An empty paragraph: one empty line in its own font.
        QTextLayout empty(QString(), QFont(block.charFormat().font()).resolve(document()->defaultFont()));
        empty.beginLayout();
        QTextLine emptyLine = empty.createLine();
        emptyLine.setLeadingIncluded(true);
        empty.endLayout();
        line.advance = int(fixed(qCeil(emptyLine.ascent() + emptyLine.descent() + emptyLine.leading())));
        line.bottom = int(fixed(emptyLine.height()));
    }
    line.lastInBlock = start + line.length >= blockEnd;
    if (line.lastInBlock)
        line.length = blockEnd - start;
    m_lines.push_back(line);
    m_widest = qMax(m_widest, line.naturalWidth);
    m_nextTop = line.top + line.advance;
    if (line.lastInBlock)
        m_nextTop = qMax(m_nextTop, line.top + line.bottom);
    return true;
}

void LongLineLayout::layOutUntil(qint64 y) const
{
    while (m_nextTop <= y && layOutNext()) {
    }
}

void LongLineLayout::layOutAll() const
{
    while (layOutNext()) {
    }
}

void LongLineLayout::scheduleWalk()
{
    if (!m_walk.isActive())
        m_walk.start(0, this);
}

void LongLineLayout::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_walk.timerId()) {
        QAbstractTextDocumentLayout::timerEvent(event);
        return;
    }
    QElapsedTimer slice;
    slice.start();
    bool more = true;
    while (more && slice.elapsed() < walkSliceMs)
        more = layOutNext();
    if (!more)
        m_walk.stop();
    reportSize();
}

// The bottom of the text: exact once laid out, until then guessed from the lines so far.
qint64 LongLineLayout::estimatedBottom() const
{
    int laid = 0;
    if (!m_lines.empty())
        laid = m_lines.back().start + m_lines.back().length + 1;
    const int left = int(m_text.size()) - laid;
    if (left <= 0)
        return m_nextTop;
    qint64 perLine = fixed(QFontMetricsF(document()->defaultFont()).height());
    int charactersPerLine = m_columns;
    if (!m_lines.empty()) {
        perLine = (m_nextTop - margin()) / qint64(m_lines.size());
        charactersPerLine = qMax(1, laid / int(m_lines.size()));
    } else if (charactersPerLine <= 0) {
        const qreal average = QFontMetricsF(document()->defaultFont()).averageCharWidth();
        charactersPerLine = qMax(1, int(contentWidth() / qMax<qreal>(1, average)));
    }
    return m_nextTop + perLine * ((left + charactersPerLine - 1) / charactersPerLine);
}

QSizeF LongLineLayout::documentSize() const
{
    const qreal width = qMax(contentWidth(), m_widest) + 2 * document()->documentMargin();
    return QSizeF(width, real(estimatedBottom() + margin()));
}

QRectF LongLineLayout::frameBoundingRect(QTextFrame *) const
{
    return QRectF(QPointF(0, 0), documentSize());
}

QRectF LongLineLayout::blockBoundingRect(const QTextBlock &block) const
{
    // Without laying anything out: the cursor asks for it at every move.
    if (!block.isValid())
        return QRectF();
    auto first = std::lower_bound(m_lines.begin(), m_lines.end(), block.position(),
                                  [](const Line &line, int at) { return line.start < at; });
    const qreal margin = document()->documentMargin();
    const qreal top = first != m_lines.end() && first->start == block.position() ? real(first->top) : margin;
    return QRectF(margin, top, contentWidth(), real(estimatedBottom()) - top);
}

int LongLineLayout::lineIndexAt(qint64 y) const
{
    auto below = std::upper_bound(m_lines.begin(), m_lines.end(), y,
                                  [](qint64 at, const Line &line) { return at < line.top; });
    return below == m_lines.begin() ? 0 : int(below - m_lines.begin()) - 1;
}

void LongLineLayout::draw(QPainter *painter, const PaintContext &context)
{
    const qreal top = context.clip.isValid() ? context.clip.top() : 0;
    const qreal bottom = context.clip.isValid() ? context.clip.bottom() : real(estimatedBottom()) + 1;
    if (context.clip.isValid())
        layOutUntil(fixed(bottom));
    else
        layOutAll();
    if (m_lines.empty())
        return;
    const qreal left = document()->documentMargin();
    painter->setPen(context.palette.color(QPalette::Text));
    for (int i = lineIndexAt(fixed(top)); i < int(m_lines.size()) && real(m_lines[size_t(i)].top) <= bottom; ++i) {
        const Line &line = m_lines[size_t(i)];
        const std::unique_ptr<Shaped> shaped = shape(line.start);
        const QTextLine shapedLine = shaped->line();
        if (!shapedLine.isValid())
            continue;
        const int windowEnd = shaped->windowStart + shaped->layout.text().size();
        QList<QTextLayout::FormatRange> selections;
        for (const Selection &selection : context.selections) {
            const int from = qMax(selection.cursor.selectionStart(), shaped->windowStart);
            const int to = qMin(selection.cursor.selectionEnd(), windowEnd);
            if (from < to)
                selections.append({from - shaped->windowStart, to - from, selection.format});
        }
        const QPointF origin(left, real(line.top));
        // Only this line: the lines of the text around it lie far above.
        const QRectF clip(origin.x() - 1e5, origin.y(), 2e5, shapedLine.height());
        shaped->layout.draw(painter, origin, selections, clip);
        const int cursor = context.cursorPosition;
        if (cursor >= line.start && cursor <= line.start + line.length)
            shaped->layout.drawCursor(painter, origin, cursor - shaped->windowStart);
    }
}

int LongLineLayout::hitTest(const QPointF &point, Qt::HitTestAccuracy accuracy) const
{
    layOutUntil(fixed(point.y()));
    if (m_lines.empty())
        return accuracy == Qt::ExactHit ? -1 : 0;
    const Line &line = m_lines[size_t(lineIndexAt(fixed(point.y())))];
    const std::unique_ptr<Shaped> shaped = shape(line.start);
    const QTextLine shapedLine = shaped->line();
    if (!shapedLine.isValid())
        return accuracy == Qt::ExactHit ? -1 : line.start;
    const qreal x = point.x() - document()->documentMargin();
    const bool inside = point.y() >= real(line.top) && point.y() < real(line.top + line.advance) && x >= shapedLine.x()
                        && x <= shapedLine.x() + shapedLine.naturalTextWidth();
    if (accuracy == Qt::ExactHit && !inside)
        return -1;
    const int position = shaped->windowStart + shapedLine.xToCursor(x);
    return qBound(line.start, position, line.start + line.length);
}

int LongLineLayout::lineCount() const
{
    layOutAll();
    return int(m_lines.size());
}

LongLineLayout::LineInfo LongLineLayout::lineAt(int i) const
{
    layOutAll();
    const Line &line = m_lines.at(size_t(i));
    return {line.start, line.length, line.naturalWidth};
}
