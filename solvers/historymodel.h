#ifndef HISTORYMODEL_H
#define HISTORYMODEL_H

#include "solvers/blockvector.h"

#include <QAbstractListModel>
#include <QByteArray>

#include <array>
#include <functional>
#include <utility>
#include <vector>

/**
 * The lines of a solver's history, newest in the first row, each tagged with
 * the step that wrote it. A run may write millions of lines, so the model
 * keeps their text as UTF-8 (a line holding what UTF-8 cannot, a vertex named
 * by a lone surrogate, as UTF-16) in blocks of about 16 KB, each compressed as
 * soon as it is full, with an end per line and a step per run of lines: a line
 * costs a fraction of its characters and a few bytes more, and a view asks
 * only for the rows it shows, a block or two. Lines of steps after the
 * present moment are greyed and the present step's lines highlighted when a
 * view paints them, so a move along the timeline touches no line.
 */
class HistoryModel : public QAbstractListModel
{
    Q_OBJECT

public:
    /// The step of a line whose step is not made yet.
    static constexpr int Pending = -2;
    /// The text a block holds before it is compressed.
    static constexpr int BlockBytes = 16384;

    /// present tells which step is the present moment.
    HistoryModel(std::function<int()> present, QObject *parent);

    /// A new first row.
    void prepend(const QString &text, int step);
    QString text(int row) const;
    int step(int row) const;
    void setStep(int row, int step);
    /// Forgets every line and gives their memory back.
    void clear();
    /// What the lines take: their text, ends, steps and marks.
    qint64 storedBytes() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;

private:
    struct Block
    {
        QByteArray packed;
        int firstLine;
    };
    // Lines are kept oldest first: a new line is appended, and rows count from the end.
    int lineOf(int row) const { return int(m_ends.size()) - 1 - row; }
    int blockOf(int line) const;
    int firstLineOf(int block) const { return block < int(m_blocks.size()) ? m_blocks[block].firstLine : m_openFirst; }
    const QByteArray &blockText(int block) const;
    BlockVector<std::pair<int, int>>::const_iterator runAfter(int line) const;
    int stepOf(int line) const;
    void seal();
    void reopen(int block);
    void removeStepRuns(int first, int count);

    std::function<int()> m_present;
    // Full blocks, compressed, and the text of the lines after them.
    std::vector<Block> m_blocks;
    QByteArray m_open;
    int m_openFirst = 0;
    // Each line's end in its block's text.
    BlockVector<quint32> m_ends;
    // Lines come step after step: a step is kept once for the lines from the first line of its run on.
    BlockVector<std::pair<int, int>> m_stepRuns;
    std::vector<bool> m_utf16;
    // The blocks unpacked last: a view paints rows that lie in one block or two.
    mutable std::array<std::pair<int, QByteArray>, 2> m_unpacked{{{-1, {}}, {-1, {}}}};
    mutable int m_nextUnpacked = 0;
};

#endif // HISTORYMODEL_H
