#ifndef RANDOMGRAPHDIALOG_H
#define RANDOMGRAPHDIALOG_H

#include "graph/graphgenerator.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QRadioButton;
class QSpinBox;

/**
 * Asks for the settings of a fresh graph: the number of vertices, of edges
 * or a density, the kind, the weight scheme and the graph's number. Says
 * beside the edges what the kind allows, so that a count it cannot meet is
 * seen before the graph is made.
 */
class RandomGraphDialog : public QDialog
{
    Q_OBJECT

public:
    /// schemes: the names of the weight schemes in the order of Graph::WeightScheme.
    RandomGraphDialog(const GraphGenerator::Settings &settings, const QStringList &schemes, QWidget *parent = nullptr);

    GraphGenerator::Settings settings() const;

private:
    void drawNumber();
    void updateLimits();

    QSpinBox *m_verticles;
    QCheckBox *m_more;
    QRadioButton *m_byCount;
    QSpinBox *m_edges;
    QRadioButton *m_byDensity;
    QSpinBox *m_density;
    QComboBox *m_kind;
    QComboBox *m_weights;
    QSpinBox *m_number;
    QLabel *m_limits;
    QDialogButtonBox *m_buttons;
};

#endif // RANDOMGRAPHDIALOG_H
