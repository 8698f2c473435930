#include "solvers/historymodel.h"

#include <QBrush>
#include <QColor>

#include <algorithm>
#include <utility>

namespace {

// zlib's fastest level: a history is written as fast as a run clicks, and
// its lines, written from a few sentences, pack about tenfold even so.
constexpr int PackLevel = 1;

} // namespace

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
    const int line = int(m_ends.size());
    beginInsertRows(QModelIndex(), 0, 0);
    m_open.append(bytes);
    m_ends.push_back(quint32(m_open.size()));
    if (m_stepRuns.empty() || m_stepRuns.back().second != step)
        m_stepRuns.emplace_back(line, step);
    m_utf16.push_back(utf16);
    if (m_open.size() >= BlockBytes)
        seal();
    endInsertRows();
}

QString HistoryModel::text(int row) const
{
    const int line = lineOf(row);
    if (row < 0 || line < 0)
        return QString();
    const int block = blockOf(line);
    const QByteArray &text = blockText(block);
    const quint32 begin = line > firstLineOf(block) ? m_ends[line - 1] : 0;
    const char *bytes = text.constData() + begin;
    const auto size = qsizetype(m_ends[line] - begin);
    if (m_utf16[line])
        return QString(reinterpret_cast<const QChar *>(bytes), size / 2);
    return QString::fromUtf8(bytes, size);
}

int HistoryModel::step(int row) const
{
    const int line = lineOf(row);
    return row < 0 || line < 0 ? Pending : stepOf(line);
}

// The run after the one holding line.
BlockVector<std::pair<int, int>>::const_iterator HistoryModel::runAfter(int line) const
{
    return std::upper_bound(m_stepRuns.begin(), m_stepRuns.end(), line,
                            [](int l, const std::pair<int, int> &r) { return l < r.first; });
}

int HistoryModel::stepOf(int line) const
{
    return (runAfter(line) - 1)->second;
}

void HistoryModel::setStep(int row, int step)
{
    const int line = lineOf(row);
    if (row < 0 || line < 0 || stepOf(line) == step)
        return;
    // The line becomes a run of its own, then joins its neighbours when they have its step.
    auto runAt = [this](int first) {
        const auto run = runAfter(first);
        if ((run - 1)->first == first)
            return m_stepRuns.begin() + (run - 1 - m_stepRuns.cbegin());
        return m_stepRuns.insert(run, {first, (run - 1)->second});
    };
    if (line + 1 < rowCount())
        runAt(line + 1);
    auto run = runAt(line);
    run->second = step;
    const auto index = run - m_stepRuns.begin();
    if (index + 1 < qsizetype(m_stepRuns.size()) && m_stepRuns[index + 1].second == step)
        m_stepRuns.erase(m_stepRuns.begin() + index + 1);
    if (index > 0 && m_stepRuns[index - 1].second == step)
        m_stepRuns.erase(m_stepRuns.begin() + index);
}

void HistoryModel::clear()
{
    beginResetModel();
    // Swapped with empty ones: a vector's clear() alone would keep its room.
    std::vector<Block>().swap(m_blocks);
    m_open = QByteArray();
    m_openFirst = 0;
    m_ends.clear();
    m_stepRuns.clear();
    std::vector<bool>().swap(m_utf16);
    m_unpacked = {{{-1, {}}, {-1, {}}}};
    endResetModel();
}

qint64 HistoryModel::storedBytes() const
{
    qint64 packed = 0;
    for (const Block &block : m_blocks)
        packed += block.packed.size() + qint64(sizeof(Block));
    return packed + m_open.size() + qint64(m_ends.size() * sizeof(quint32))
           + qint64(m_stepRuns.size() * sizeof(std::pair<int, int>)) + qint64(m_utf16.size() / 8);
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
        const int step = stepOf(lineOf(index.row()));
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
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    reopen(blockOf(first));
    const quint32 from = first > m_openFirst ? m_ends[first - 1] : 0;
    const quint32 to = m_ends[last];
    m_open.remove(qsizetype(from), qsizetype(to - from));
    // The lines after the removed ones (newer, usually the few not yet part of a step) move down.
    for (size_t line = size_t(last) + 1; line < m_ends.size(); ++line)
        m_ends[line] -= to - from;
    m_ends.erase(m_ends.begin() + first, m_ends.begin() + last + 1);
    m_utf16.erase(m_utf16.begin() + first, m_utf16.begin() + last + 1);
    removeStepRuns(first, count);
    if (m_open.size() >= BlockBytes)
        seal();
    endRemoveRows();
    return true;
}

int HistoryModel::blockOf(int line) const
{
    if (line >= m_openFirst)
        return int(m_blocks.size());
    const auto block = std::upper_bound(m_blocks.begin(), m_blocks.end(), line,
                                        [](int l, const Block &b) { return l < b.firstLine; });
    return int(block - m_blocks.begin()) - 1;
}

const QByteArray &HistoryModel::blockText(int block) const
{
    if (block == int(m_blocks.size()))
        return m_open;
    for (const auto &unpacked : m_unpacked) {
        if (unpacked.first == block)
            return unpacked.second;
    }
    auto &slot = m_unpacked[m_nextUnpacked];
    m_nextUnpacked = 1 - m_nextUnpacked;
    slot = {block, qUncompress(m_blocks[block].packed)};
    return slot.second;
}

// The open lines become a block of their own, packed.
void HistoryModel::seal()
{
    if (m_open.isEmpty())
        return;
    m_blocks.push_back({qCompress(m_open, PackLevel), m_openFirst});
    m_blocks.back().packed.squeeze();
    m_open.clear();
    m_openFirst = int(m_ends.size());
}

// The lines of block and of every block after it are open again, to be changed in place.
void HistoryModel::reopen(int block)
{
    if (block >= int(m_blocks.size()))
        return;
    QByteArray text;
    for (int b = block; b <= int(m_blocks.size()); ++b) {
        const auto base = quint32(text.size());
        const int end = b < int(m_blocks.size()) ? firstLineOf(b + 1) : int(m_ends.size());
        for (int line = firstLineOf(b); line < end; ++line)
            m_ends[line] += base;
        text.append(b < int(m_blocks.size()) ? qUncompress(m_blocks[b].packed) : m_open);
    }
    m_openFirst = m_blocks[block].firstLine;
    m_open = text;
    m_blocks.erase(m_blocks.begin() + block, m_blocks.end());
    m_unpacked = {{{-1, {}}, {-1, {}}}};
}

// The lines first .. first + count - 1 are gone: the runs after them move down.
// In place: a run is written at or before where it was read, never ahead of the reading.
void HistoryModel::removeStepRuns(int first, int count)
{
    std::size_t kept = 0;
    const int lines = int(m_ends.size()) + count;
    for (std::size_t r = 0; r < m_stepRuns.size(); ++r) {
        const int begin = m_stepRuns[r].first;
        const int end = r + 1 < m_stepRuns.size() ? m_stepRuns[r + 1].first : lines;
        // What is left of the run, in the lines' new numbers.
        const int keptBefore = std::max(0, std::min(end, first) - begin);
        const int keptAfter = std::max(0, end - std::max(begin, first + count));
        if (keptBefore + keptAfter == 0)
            continue;
        const int newBegin = begin < first ? begin : std::max(begin, first + count) - count;
        if (kept == 0 || m_stepRuns[kept - 1].second != m_stepRuns[r].second)
            m_stepRuns[kept++] = {newBegin, m_stepRuns[r].second};
    }
    m_stepRuns.resize(kept);
}
