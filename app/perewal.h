#ifndef PEREWAL_H
#define PEREWAL_H

#include "ui_perewal.h"

#include <QWidget>

class Graph;

/**
 * The main window: the canvas with its editing buttons, the weight scheme of
 * new edges, saving and loading, and the three algorithm dialogs. It owns the
 * one Graph scene for the whole run.
 */
class Perewal : public QWidget
{
    Q_OBJECT

public:
    explicit Perewal(QWidget *parent = nullptr, Qt::WindowFlags flags = {});
    ~Perewal() override;

    Graph *graph() const { return scene; }

    /// Writes the graph to the file, replacing it only when the whole graph was written; logs a failure.
    bool saveGraphTo(const QString &fileName);
    /// Replaces the graph by the file's content once the whole file is checked; a refused file leaves the
    /// graph as it was and the log says why.
    bool loadGraphFrom(const QString &fileName);

public slots:
    void addLogLine(const QString &line);
    void launchFleury();
    void launchDijkstraPrim();
    void launchMinty();
    void saveGraph();
    void loadGraph();
    void weighSchemeChanged(int index);

private:
    static QString graphFolder();

    Ui::PerewalClass ui;
    Graph *scene = nullptr;
};

#endif // PEREWAL_H
