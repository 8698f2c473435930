#ifndef GRAPHFILE_H
#define GRAPHFILE_H

class Graph;
class QDataStream;

/**
 * Writes the graph as a graph file: the vertex and edge counts, then one
 * record per vertex (name, x, y) in list order and one per edge (start name,
 * end name, whole weight) in key order. Meant for a stream with Qt's default
 * settings (big-endian, doubles of 8 bytes).
 */
QDataStream &operator<<(QDataStream &out, const Graph &graph);

/**
 * Replaces the content of the graph by the graph file read from in.
 * The whole file is read and checked first: if it ends early or holds a
 * negative count, the stream's status says so (ReadPastEnd or
 * ReadCorruptData) and the graph stays as it was. Edge records that name a
 * vertex missing from the file, or one vertex at both ends, are skipped with
 * a message through the graph's showExternInfo().
 */
QDataStream &operator>>(QDataStream &in, Graph &graph);

#endif // GRAPHFILE_H
