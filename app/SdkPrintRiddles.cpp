#include "app/SdkPrintRiddles.h"

#include "app/SdkBookletTexts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace {
const SdkText LevelNames[] = {{"Schwierigkeitsstufe 1 (einfach)", "Level 1 (simple)"},
                              {"Schwierigkeitsstufe 2 (mittel)", "Level 2 (medium)"},
                              {"Schwierigkeitsstufe 3 (schwierig)", "Level 3 (difficult)"}};
constexpr int PerPageChoices[] = {1, 2, 4, 6};
} // namespace

SdkPrintRiddles::SdkPrintRiddles(short language, const SdkPrintRiddlesChoice &proposal,
                                 QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("SUDOKU_PRINT_RIDDLES"));
    setWindowTitle(Tx(SdkTx::BookletTitle, language));
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    layout->addLayout(form);

    count = new QSpinBox(this);
    count->setObjectName(QStringLiteral("ED_COUNT"));
    count->setRange(1, 100);
    count->setValue(proposal.count);
    form->addRow(Tx(SdkTx::BookletCount, language), count);

    auto *sources = new QButtonGroup(this);
    stock = new QRadioButton(Tx(SdkTx::BookletFromStock, language), this);
    stock->setObjectName(QStringLiteral("RAD_STOCK"));
    level = new QComboBox(this);
    level->setObjectName(QStringLiteral("COMBO_LEVEL"));
    for (const SdkText &name : LevelNames)
        level->addItem(Tx(name, language));
    level->setCurrentIndex(std::clamp(proposal.level, 1, 3) - 1);
    form->addRow(stock, level);
    computed = new QRadioButton(Tx(SdkTx::BookletComputed, language), this);
    computed->setObjectName(QStringLiteral("RAD_COMPUTED"));
    form->addRow(computed);
    sources->addButton(stock);
    sources->addButton(computed);
    (proposal.computed ? computed : stock)->setChecked(true);
    level->setEnabled(!proposal.computed);
    connect(stock, &QAbstractButton::toggled, level, &QWidget::setEnabled);

    perPage = new QComboBox(this);
    perPage->setObjectName(QStringLiteral("COMBO_PER_PAGE"));
    for (int n : PerPageChoices) {
        perPage->addItem(QString::number(n), n);
        if (n == proposal.perPage)
            perPage->setCurrentIndex(perPage->count() - 1);
    }
    form->addRow(Tx(SdkTx::BookletPerPage, language), perPage);

    solutions = new QCheckBox(Tx(SdkTx::BookletWithSolutions, language), this);
    solutions->setObjectName(QStringLiteral("CHK_SOLUTIONS"));
    solutions->setChecked(proposal.solutions);
    form->addRow(solutions);

    auto *outputs = new QButtonGroup(this);
    auto *toPrinter = new QRadioButton(Tx(SdkTx::BookletToPrinter, language), this);
    toPrinter->setObjectName(QStringLiteral("RAD_PRINTER"));
    toPdf = new QRadioButton(Tx(SdkTx::BookletToPdf, language), this);
    toPdf->setObjectName(QStringLiteral("RAD_PDF"));
    outputs->addButton(toPrinter);
    outputs->addButton(toPdf);
    (proposal.toPdf ? toPdf : toPrinter)->setChecked(true);
    form->addRow(toPrinter);
    form->addRow(toPdf);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("BT_OK"));
    ok->setDefault(true);
    QPushButton *cancel =
        buttons->addButton(Tx(SdkTx::BtCancel, language), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("BT_CANCEL"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

SdkPrintRiddlesChoice SdkPrintRiddles::Choice() const
{
    SdkPrintRiddlesChoice c;
    c.count = count->value();
    c.computed = computed->isChecked();
    c.level = level->currentIndex() + 1;
    c.perPage = perPage->currentData().toInt();
    c.solutions = solutions->isChecked();
    c.toPdf = toPdf->isChecked();
    return c;
}
