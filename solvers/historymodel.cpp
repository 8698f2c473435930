#include "solvers/historymodel.h"

#include <QBrush>
#include <QColor>

#include <algorithm>
#include <utility>

HistoryModel::HistoryModel(std::function<int()> present, QObject *parent)
    : QAbstractListModel(parent)
    , m_present(std::move(present))
{
}

void HistoryModel::prepend(const QString &text, int step)
{
    const bool utf16 = !text.isValidUtf16();
    const QByteArray bytes = utf16 ? QByteArray(reinterpret_cast<const char *>(text.constData()), text.size() * 2)
                                   : text.toUtf8();
    beginInsertRows(QModelIndex(), 0, 0);
    m_text.insert(m_text.end(), bytes.begin(), bytes.end());
    m_ends.push_back(m_text.size());
    m_steps.push_back(step);
    m_utf16.push_back(utf16);
    endInsertRows();
}

QString HistoryModel::text(int row) const
{
    const int line = lineOf(row);
    if (row < 0 || line < 0)
        return QString();
    const auto begin = m_text.begin() + qint64(beginOf(line));
    const auto end = m_text.begin() + qint64(m_ends[line]);
    QByteArray bytes(end - begin, Qt::Uninitialized);
    std::copy(begin, end, bytes.begin());
    if (m_utf16[line])
        return QString(reinterpret_cast<const QChar *>(bytes.constData()), bytes.size() / 2);
    return QString::fromUtf8(bytes);
}

int HistoryModel::step(int row) const
{
    const int line = lineOf(row);
    return row < 0 || line < 0 ? Pending : m_steps[line];
}

void HistoryModel::setStep(int row, int step)
{
    const int line = lineOf(row);
    if (row >= 0 && line >= 0)
        m_steps[line] = step;
}

void HistoryModel::clear()
{
    beginResetModel();
    // Swapped with empty ones: clear() alone would keep a deque's first block and a vector's room.
    std::deque<char>().swap(m_text);
    std::deque<quint64>().swap(m_ends);
    std::deque<qint32>().swap(m_steps);
    std::vector<bool>().swap(m_utf16);
    endResetModel();
}

qint64 HistoryModel::storedBytes() const
{
    return qint64(m_text.size() + m_ends.size() * sizeof(quint64) + m_steps.size() * sizeof(qint32)
                  + m_utf16.size() / 8);
}

int HistoryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_ends.size());
}

QVariant HistoryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    // A long line shows whole in its tooltip rather than behind a scroll bar.
    case Qt::ToolTipRole:
        return text(index.row());
    case Qt::ForegroundRole:
    case Qt::BackgroundRole: {
        const int step = m_steps[lineOf(index.row())];
        const int present = m_present ? m_present() : -1;
        if (step < 0)
            break;
        if (role == Qt::ForegroundRole && step > present)
            return QBrush(QColor(150, 150, 150));
        if (role == Qt::BackgroundRole && step == present)
            return QBrush(QColor(255, 240, 170));
        break;
    }
    default:
        break;
    }
    return QVariant();
}

bool HistoryModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || count <= 0 || row + count > rowCount())
        return false;
    // Rows row .. row + count - 1 are the lines first .. last, oldest first.
    const int last = lineOf(row);
    const int first = last - count + 1;
    const quint64 from = beginOf(first);
    const quint64 to = m_ends[last];
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    m_text.erase(m_text.begin() + qint64(from), m_text.begin() + qint64(to));
    // The lines after the removed ones (newer, usually the few not yet part of a step) move down.
    for (size_t line = size_t(last) + 1; line < m_ends.size(); ++line)
        m_ends[line] -= to - from;
    m_ends.erase(m_ends.begin() + first, m_ends.begin() + last + 1);
    m_steps.erase(m_steps.begin() + first, m_steps.begin() + last + 1);
    m_utf16.erase(m_utf16.begin() + first, m_utf16.begin() + last + 1);
    endRemoveRows();
    return true;
}
