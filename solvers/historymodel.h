#ifndef HISTORYMODEL_H
#define HISTORYMODEL_H

#include <QAbstractListModel>

#include <deque>
#include <functional>
#include <vector>

/**
 * The lines of a solver's history, newest in the first row, each tagged with
 * the step that wrote it. A run may write millions of lines, so the model
 * keeps their text in one buffer of UTF-8 (a line holding what UTF-8 cannot,
 * a vertex named by a lone surrogate, as UTF-16) with an end and a step per
 * line: a line costs its characters and a few bytes more, and a view asks
 * only for the rows it shows. Lines of steps after the present moment are
 * greyed and the present step's lines highlighted when a view paints them,
 * so a move along the timeline touches no line.
 */
class HistoryModel : public QAbstractListModel
{
    Q_OBJECT

public:
    /// The step of a line whose step is not made yet.
    static constexpr int Pending = -2;

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
    // Lines are kept oldest first: a new line is appended, and rows count from the end.
    int lineOf(int row) const { return int(m_ends.size()) - 1 - row; }
    quint64 beginOf(int line) const { return line > 0 ? m_ends[line - 1] : 0; }

    std::function<int()> m_present;
    // Blocks of a deque grow without copying what is there, and go back to the system as lines go.
    std::deque<char> m_text;
    std::deque<quint64> m_ends;
    std::deque<qint32> m_steps;
    std::vector<bool> m_utf16;
};

#endif // HISTORYMODEL_H
