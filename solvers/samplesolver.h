#ifndef SAMPLESOLVER_H
#define SAMPLESOLVER_H

#include "solvers/abstractsolver.h"
#include "ui_samplesolver.h"

/**
 * The smallest complete solver: its own panel, a reaction to vertex clicks
 * and a step that writes to the history. It runs no graph algorithm; it shows
 * how a solver plugs into the dialog.
 */
class SampleSolver : public AbstractSolver
{
    Q_OBJECT

public:
    SampleSolver(Graph *graph, QWidget *parent);

public slots:
    /// Colours the scene's first vertex red, whichever vertex was clicked.
    void testMe();

protected:
    void stepForward() override;

private:
    Ui::SampleSolverClass ui;
};

#endif // SAMPLESOLVER_H
