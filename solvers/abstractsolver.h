#ifndef ABSTRACTSOLVER_H
#define ABSTRACTSOLVER_H

#include "ui_abstractsolver.h"

#include <QDialog>

class Graph;

/**
 * The dialog every algorithm runs in: a second view of the main window's
 * scene, an instruction label, a time-stamped history, the "Krok dalej..."
 * button and a 200-pixel panel for the algorithm's own controls. A click of
 * the button runs one stepForward() of the concrete solver.
 */
class AbstractSolver : public QDialog
{
    Q_OBJECT

public:
    AbstractSolver(Graph *graph, QWidget *parent);

protected:
    /// Replaces the instruction for the step the next click performs.
    void setCurrentInfo(const QString &info);
    /// Adds "hh:mm:ss - line" at the top of the history.
    void addEventLogLine(const QString &line);
    void setSolverTitle(const QString &title);
    /// Places the solver's own widget in the side panel, which takes it over.
    void addInheritedWidget(QWidget *widget);
    void enableStepForward();
    void disableStepForward();

    /// One step of the algorithm.
    virtual void stepForward() = 0;

    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    /// The main window's scene; borrowed for the dialog's lifetime.
    Graph *graph;

private slots:
    void stepForwardButtonClicked();

private:
    void fitOnScreen();

    Ui::AbstractSolverClass ui;
    bool m_fitted = false;
};

#endif // ABSTRACTSOLVER_H
