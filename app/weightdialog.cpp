#include "app/weightdialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

WeightDialog::WeightDialog(const QString &edgeName, qlonglong weight, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("weightDialog"));
    setWindowTitle(tr("Waga krawędzi"));
    auto *prompt = new QLabel(tr("Waga krawędzi %1 (liczba całkowita od 0 do %2):").arg(edgeName).arg(MaxWeight), this);
    prompt->setObjectName(QStringLiteral("weightPromptLabel"));
    m_edit = new QLineEdit(QString::number(weight), this);
    m_edit->setObjectName(QStringLiteral("weightEdit"));
    prompt->setBuddy(m_edit);
    m_edit->selectAll();
    m_reason = new QLabel(this);
    m_reason->setObjectName(QStringLiteral("weightReasonLabel"));
    m_reason->setStyleSheet(QStringLiteral("color: #b00020"));
    m_reason->setWordWrap(true);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto *layout = new QGridLayout(this);
    layout->addWidget(prompt, 0, 0, 1, 2);
    layout->addWidget(m_edit, 1, 0);
    layout->addWidget(m_reason, 1, 1);
    layout->addWidget(m_buttons, 2, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    // The reason takes its room from the start, so that the dialog does not jump as one types.
    m_reason->setMinimumWidth(m_reason->fontMetrics().horizontalAdvance(QString(32, QLatin1Char('x'))));

    connect(m_buttons, &QDialogButtonBox::accepted, this, &WeightDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &WeightDialog::reject);
    connect(m_edit, &QLineEdit::textChanged, this, &WeightDialog::check);
    check();
}

qlonglong WeightDialog::parse(const QString &text)
{
    bool number = false;
    const qlonglong weight = text.trimmed().toLongLong(&number);
    return number && weight >= 0 && weight <= MaxWeight ? weight : -1;
}

void WeightDialog::check()
{
    const QString text = m_edit->text();
    const bool valid = parse(text) >= 0;
    m_reason->setText(valid ? QString()
                      : text.trimmed().isEmpty()
                          ? tr("Wpisz wagę: liczbę całkowitą od 0 do %1.").arg(MaxWeight)
                          : tr("\"%1\" nie jest wagą: waga to liczba całkowita od 0 do %2.").arg(text).arg(MaxWeight));
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(valid);
}

void WeightDialog::accept()
{
    // Enter in the field accepts even while the OK button is off.
    m_weight = parse(m_edit->text());
    if (m_weight < 0) {
        check();
        m_edit->setFocus();
        return;
    }
    QDialog::accept();
}
