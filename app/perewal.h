#ifndef PEREWAL_H
#define PEREWAL_H

#include "graph/graphgenerator.h"
#include "ui_perewal.h"

#include <QFileDialog>
#include <QWidget>

class Graph;
class GraphEdge;

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
    /**
     * Replaces the graph by the file's content once the whole file is
     * checked, a step that can be undone; a refused file leaves the graph as
     * it was, and the log says why.
     */
    bool loadGraphFrom(const QString &fileName);
    /// Opens the file named after the program on its command line, if there is one.
    void openArguments(const QStringList &arguments);
    /**
     * Puts the window where it was, as large as it was, with the log as high
     * as it was when it last closed; from then on closing remembers them.
     */
    void restoreLayout();
    /// The file the drawing was last loaded from or saved to; empty for a new drawing.
    QString fileName() const { return m_fileName; }

public slots:
    void addLogLine(const QString &line);
    void launchFleury();
    void launchDijkstraPrim();
    void launchMinty();
    /// Always asks where to save, as the "Zapisz graf" button does.
    void saveGraph();
    /// Saves a drawing that has a file straight to it (Ctrl+S); asks where only for a new drawing.
    bool saveDrawing();
    void loadGraph();
    void weighSchemeChanged(int index);
    /// Empties the canvas, a step that can be undone; asks first about unsaved changes.
    void newDrawing();
    /// Asks first about unsaved changes, then for the settings of a fresh graph, and draws it whole.
    void randomGraph();
    /**
     * Replaces the drawing by the generated graph, a step that can be undone,
     * and shows its number in the title and the log. False, with the reason
     * logged, when the settings allow no graph.
     */
    bool showGeneratedGraph(const GraphGenerator::Settings &settings);
    /// Asks for the edge's new weight and sets it.
    void editWeight(GraphEdge *edge);
    /// Removes the vertex, or else the edge, under the mouse pointer.
    void removeUnderPointer();
    /// Opens the help: what every control does, how each algorithm works, what the colours mean, the keys.
    void showHelp();
    /// The version, the licence and the Qt version.
    void showAbout();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    /// True when the drawing may be replaced: it has no unsaved changes, or the user saved or discarded them.
    static QString graphFolder();
    bool maybeSave();
    bool saveGraphAs();
    QString askForFile(QFileDialog::AcceptMode mode, const QString &caption);
    void createActions();
    void showMode(int mode);
    void showFileName();
    /// The drawing replaced by a generated graph for a new exercise, asked about first as a new drawing is; its title, or empty.
    QString exerciseGraph(int kind);

    Ui::PerewalClass ui;
    Graph *scene = nullptr;
    QString m_fileName;
    // The number of the generated graph shown, while no file holds the drawing.
    QString m_generatedTitle;
    GraphGenerator::Settings m_generatorSettings;
    // Where the next file dialog opens: grafy beside the program at first, then the last folder used.
    QString m_folder;
    bool m_remembersLayout = false;
    QByteArray m_splitterState;
};

#endif // PEREWAL_H
