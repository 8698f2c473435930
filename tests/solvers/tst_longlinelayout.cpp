#include "solvers/longlinelayout.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>

#include <memory>

namespace {

// Names as a big graph has them: one character each, from 'A' on, through many scripts.
// A stack writes each with its comma; a route joins them with arrows.
QString stack(int count, int first)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QChar(first + i) + QLatin1Char(',');
    return text;
}

QString route(int count, int first)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names.append(QChar(first + i));
    return names.join(QStringLiteral("->"));
}

struct Box
{
    QTextEdit edit;
    LongLineLayout *ours = nullptr;

    Box(bool long_, int columns, QSize size)
    {
        edit.setReadOnly(true);
        edit.resize(size);
        edit.setWordWrapMode(columns > 0 ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere);
        if (columns > 0) {
            edit.setLineWrapMode(QTextEdit::FixedColumnWidth);
            edit.setLineWrapColumnOrWidth(columns);
        }
        if (long_) {
            ours = LongLineLayout::install(&edit);
            ours->setColumns(columns);
        }
    }
};

// Every line's (start, length) as Qt's own layout of the document breaks them.
QList<QPair<int, int>> qtLines(QTextDocument *document)
{
    document->documentLayout()->documentSize();
    QList<QPair<int, int>> lines;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (int i = 0; i < block.layout()->lineCount(); ++i) {
            const QTextLine line = block.layout()->lineAt(i);
            lines.append({block.position() + line.textStart(), line.textLength()});
        }
    }
    return lines;
}

QList<QPair<int, int>> ourLines(const LongLineLayout *layout)
{
    QList<QPair<int, int>> lines;
    for (int i = 0; i < layout->lineCount(); ++i)
        lines.append({layout->lineAt(i).start, layout->lineAt(i).length});
    return lines;
}

void waitForLayout(QTextEdit &edit)
{
    // The rest of the text is laid out while the program waits; then the height is exact.
    for (int i = 0; i < 100; ++i) {
        QTest::qWait(5);
        const QSizeF before = edit.document()->documentLayout()->documentSize();
        QTest::qWait(5);
        if (edit.document()->documentLayout()->documentSize() == before)
            break;
    }
}

} // namespace

class TestLongLineLayout : public QObject
{
    Q_OBJECT

private slots:
    void breaksAndDrawsAsQtDoes_data();
    void breaksAndDrawsAsQtDoes();
    void followsChangesAnywhere();
};

void TestLongLineLayout::breaksAndDrawsAsQtDoes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("columns");
    QTest::addColumn<bool>("black");
    QTest::addColumn<qreal>("scrolled"); // how far down, a share of the scroll range
    QTest::addColumn<int>("selected");   // characters selected from the middle of the text

    QTest::newRow("a stack of Latin names") << stack(300, 'A') << 0 << false << 0.0 << 0;
    QTest::newRow("a stack scrolled to its end, part of it selected")
        << stack(600, 'A') << 0 << false << 1.0 << 40;
    QTest::newRow("a route in whole pieces, black")
        << route(400, 'A') << 12 << true << 0.5 << 0;
    QTest::newRow("a route through Greek, Hebrew and Arabic names")
        << route(120, 0x391) + QStringLiteral("->") + route(27, 0x5D0)
               + QStringLiteral("->") + route(26, 0x627)
        << 9 << true << 0.4 << 20;
    QTest::newRow("names from far scripts in a stack")
        << stack(120, 0x905) + stack(200, 0x1200) << 0 << false << 0.7 << 0;
    QTest::newRow("words, paragraphs and an empty one")
        << QStringLiteral("usunięto krawędź AB oraz BC\n\nwierzchołek C został umieszczony na stosie, "
                          "a potem D i E; to zdanie jest dłuższe niż jeden wiersz skrzynki.\nKoniec")
        << 0 << false << 0.0 << 10;
    QTest::newRow("an empty box") << QString() << 0 << false << 0.0 << 0;
}

// Whether a run writes a box entry by entry or at once, it breaks into the
// same lines as Qt's layout of the box, has the same height and shows the same pixels.
void TestLongLineLayout::breaksAndDrawsAsQtDoes()
{
    QFETCH(QString, text);
    QFETCH(int, columns);
    QFETCH(bool, black);
    QFETCH(qreal, scrolled);
    QFETCH(int, selected);

    const QSize size(200, 90);
    Box qt(false, columns, size);
    Box ours(true, columns, size);
    for (Box *box : {&qt, &ours}) {
        box->edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box->edit));
        if (black) {
            box->edit.setFontWeight(QFont::Black);
            box->edit.setPlainText(text);
        } else {
            // Entry by entry, as a run fills the stack, with each fifth entry taken off again.
            QTextCursor end(box->edit.document());
            for (int at = 0; at < text.size(); at += 7) {
                end.movePosition(QTextCursor::End);
                end.insertText(text.mid(at, 7));
                if (at % 35 == 0) {
                    end.insertText(QStringLiteral("xy"));
                    end.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, 2);
                    end.removeSelectedText();
                }
            }
        }
    }
    QCOMPARE(ours.edit.toPlainText(), qt.edit.toPlainText());
    if (qEnvironmentVariableIsSet("DUMP")) qDebug() << ourLines(ours.ours) << qtLines(qt.edit.document());
    waitForLayout(ours.edit);
    QCOMPARE(ourLines(ours.ours), qtLines(qt.edit.document()));
    QCOMPARE(ours.edit.document()->documentLayout()->documentSize(),
             qt.edit.document()->documentLayout()->documentSize());
    QTRY_COMPARE(ours.edit.verticalScrollBar()->maximum(), qt.edit.verticalScrollBar()->maximum());
    for (Box *box : {&qt, &ours}) {
        if (selected > 0) {
            QTextCursor selection(box->edit.document());
            selection.setPosition(text.size() / 2);
            selection.setPosition(text.size() / 2 + selected, QTextCursor::KeepAnchor);
            box->edit.setTextCursor(selection);
        }
        // After the selection: setting it shows the cursor, which is no click of a user's.
        QScrollBar *bar = box->edit.verticalScrollBar();
        bar->setValue(qRound(bar->maximum() * scrolled));
    }
    QCoreApplication::processEvents();
    const QImage expected = qt.edit.viewport()->grab().toImage();
    const QImage shown = ours.edit.viewport()->grab().toImage();
    if (shown != expected) {
        expected.save(QDir::temp().filePath(QStringLiteral("longline-expected.png")));
        shown.save(QDir::temp().filePath(QStringLiteral("longline-shown.png")));
    }
    QVERIFY2(shown == expected, "differs from Qt's layout; both pictures are in the temporary folder");

    // A click in the box finds the character Qt's layout finds there.
    for (const QPointF point : {QPointF(30, 20), QPointF(120, 50), QPointF(5, 80)}) {
        const QPointF inDocument = point + QPointF(0, ours.edit.verticalScrollBar()->value());
        QCOMPARE(ours.ours->hitTest(inDocument, Qt::FuzzyHit),
                 qt.edit.document()->documentLayout()->hitTest(inDocument, Qt::FuzzyHit));
    }
}

// Random insertions, removals and format changes anywhere: the lines kept
// from before a change always match a layout made afresh.
void TestLongLineLayout::followsChangesAnywhere()
{
    for (int columns : {0, 9}) {
        QTextDocument document;
        document.setPageSize(QSizeF(170, -1));
        auto *layout = new LongLineLayout(&document);
        document.setDocumentLayout(layout);
        layout->setColumns(columns);
        QRandomGenerator random(columns + 7);
        // A change made while another is being reported is not announced by itself.
        int nested = -1;
        QObject::connect(&document, &QTextDocument::contentsChange, &document, [&] {
            if (nested < 0)
                return;
            QTextCursor inside(&document);
            inside.setPosition(qMin(nested, document.characterCount() - 1));
            nested = -1;
            inside.deletePreviousChar();
            inside.insertText(QStringLiteral("\u05d0"));
        });
        QTextCursor cursor(&document);
        for (int round = 0; round < 300; ++round) {
            const int length = document.characterCount() - 1;
            cursor.setPosition(random.bounded(length + 1));
            switch (random.bounded(7)) {
            case 6: {
                // Several edits reported as one, as the timeline makes them.
                cursor.beginEditBlock();
                cursor.setPosition(qMin(length, cursor.position() + random.bounded(20)), QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
                cursor.setPosition(random.bounded(document.characterCount()));
                cursor.insertText(stack(random.bounded(1, 20), 'a' + random.bounded(26)));
                cursor.endEditBlock();
                break;
            }
            case 4:
                document.setPageSize(QSizeF(120 + random.bounded(100), -1));
                break;
            case 5:
                nested = random.bounded(length + 1);
                cursor.insertText(QStringLiteral("-"));
                break;
            case 0:
            case 1:
                cursor.insertText(stack(random.bounded(1, 40), 'A' + random.bounded(400))
                                  + (random.bounded(10) == 0 ? QStringLiteral("\n") : QString()));
                break;
            case 2:
                cursor.setPosition(qMin(length, cursor.position() + random.bounded(30)), QTextCursor::KeepAnchor);
                cursor.removeSelectedText();
                break;
            default: {
                cursor.setPosition(qMin(length, cursor.position() + random.bounded(30)), QTextCursor::KeepAnchor);
                QTextCharFormat format;
                format.setFontWeight(random.bounded(2) ? QFont::Black : QFont::Normal);
                cursor.mergeCharFormat(format);
                break;
            }
            }
            if (round % 10 != 0)
                continue;
            // Part laid out now, the rest after the next changes.
            layout->hitTest(QPointF(10, random.bounded(400)), Qt::FuzzyHit);
            std::unique_ptr<QTextDocument> fresh(document.clone());
            fresh->setPageSize(document.pageSize());
            auto *freshLayout = new LongLineLayout(fresh.get());
            fresh->setDocumentLayout(freshLayout);
            freshLayout->setColumns(columns);
            QCOMPARE(ourLines(layout), ourLines(freshLayout));
            QCOMPARE(layout->documentSize(), freshLayout->documentSize());
        }
        QVERIFY(layout->lineCount() > 20);
    }
}

QTEST_MAIN(TestLongLineLayout)
#include "tst_longlinelayout.moc"
