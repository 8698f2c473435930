#ifndef RUNLOG_H
#define RUNLOG_H

#include "solvers/blockvector.h"

#include <vector>

/**
 * What a run only ever adds to (vertices labelled, edges listed), so that a
 * moment of the run is the number of entries in force. Going back keeps the
 * later entries, which going forward puts in force again; an entry added
 * after going back replaces them.
 */
template<typename T>
class RunLog
{
public:
    void append(const T &entry)
    {
        m_entries.resize(m_count);
        m_entries.push_back(entry);
        ++m_count;
    }
    int count() const { return m_count; }
    const T &at(int index) const { return m_entries[index]; }

    /// Takes entries out of force (undo, newest first) or back into force (redo, oldest first) until count entries are.
    template<typename Undo, typename Redo>
    void setCount(int count, Undo undo, Redo redo)
    {
        while (m_count > count)
            undo(m_entries[--m_count]);
        while (m_count < count && m_count < int(m_entries.size()))
            redo(m_entries[m_count++]);
    }

private:
    BlockVector<T> m_entries;
    int m_count = 0;
};

/**
 * A stack (or a list that grows at one end) whose every past state stays
 * reachable: a push adds a node that points to the one below it, and a pop
 * or a clear only moves the top. A moment of a run is its top, one number,
 * however deep the stack.
 */
template<typename T>
class RunStack
{
public:
    void push(const T &value)
    {
        m_nodes.push_back({value, m_top, depthOf(m_top) + 1});
        m_top = int(m_nodes.size()) - 1;
    }
    T pop()
    {
        const T value = m_nodes[m_top].value;
        m_top = m_nodes[m_top].below;
        return value;
    }
    const T &top() const { return m_nodes[m_top].value; }
    bool isEmpty() const { return m_top < 0; }
    int size() const { return depthOf(m_top); }
    void clear() { m_top = -1; }

    int topNode() const { return m_top; }
    void setTopNode(int node) { m_top = node; }

    /// Calls visit for every value from the top down.
    template<typename Visit>
    void forEach(Visit visit) const
    {
        forEachFrom(m_top, visit);
    }
    /// The same for the stack as it was when node was its top.
    template<typename Visit>
    void forEachFrom(int node, Visit visit) const
    {
        // Values pushed one after another lie one after another: walking such
        // a stretch by index, not by the link just loaded, lets the processor
        // run ahead of the loads.
        while (node >= 0) {
            int at = node;
            while (at > 0 && m_nodes[at].below == at - 1) {
                visit(m_nodes[at].value);
                --at;
            }
            visit(m_nodes[at].value);
            node = m_nodes[at].below;
        }
    }

    /**
     * Moves the top to node, telling leave about every value that is no
     * longer on the stack (top first) and enter about every value that comes
     * onto it (bottom first): the cost is what differs, not the depth.
     */
    template<typename Leave, typename Enter>
    void moveTop(int node, Leave leave, Enter enter)
    {
        int from = m_top;
        int to = node;
        std::vector<int> entering;
        while (depthOf(from) > depthOf(to)) {
            leave(m_nodes[from].value);
            from = m_nodes[from].below;
        }
        while (depthOf(to) > depthOf(from)) {
            entering.push_back(to);
            to = m_nodes[to].below;
        }
        while (from != to) {
            leave(m_nodes[from].value);
            from = m_nodes[from].below;
            entering.push_back(to);
            to = m_nodes[to].below;
        }
        for (auto at = entering.rbegin(); at != entering.rend(); ++at)
            enter(m_nodes[*at].value);
        m_top = node;
    }

private:
    struct Node
    {
        T value;
        int below;
        int depth;
    };

    int depthOf(int node) const { return node < 0 ? 0 : m_nodes[node].depth; }

    BlockVector<Node> m_nodes;
    int m_top = -1;
};

#endif // RUNLOG_H
