#ifndef WEIGHTDIALOG_H
#define WEIGHTDIALOG_H

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QLineEdit;

/**
 * Asks for the weight of one edge: a whole number from 0 to MaxWeight. A
 * text that is not such a number keeps the dialog open, with the reason
 * beside the field and the OK button off, so that the student sees at once
 * what to type instead of reading it in the log afterwards.
 */
class WeightDialog : public QDialog
{
    Q_OBJECT

public:
    /// The largest weight a user can type: every sum of a run then still shows exactly.
    static constexpr qlonglong MaxWeight = 999999999;

    WeightDialog(const QString &edgeName, qlonglong weight, QWidget *parent = nullptr);

    /// The weight typed; only meaningful once the dialog was accepted.
    qlonglong weight() const { return m_weight; }
    /// The weight a text stands for, or -1 when it is not a whole number from 0 to MaxWeight; blanks around it are allowed.
    static qlonglong parse(const QString &text);

    void accept() override;

private:
    void check();

    QLineEdit *m_edit;
    QLabel *m_reason;
    QDialogButtonBox *m_buttons;
    qlonglong m_weight = -1;
};

#endif // WEIGHTDIALOG_H
