#pragma once

// The choices of a printed booklet: how many riddles, from the stock at a level or computed
// with the current creation settings, how many a page, with or without solutions, to a printer
// or a PDF file. Built in code; run through the modal hook like every dialog.

#include <QDialog>

class QAbstractButton;
class QComboBox;
class QSpinBox;

struct SdkPrintRiddlesChoice
{
    int count = 10;
    bool computed = false;
    int level = 1;
    int perPage = 4;
    bool solutions = true;
    bool toPdf = false;
};

class SdkPrintRiddles : public QDialog
{
public:
    SdkPrintRiddles(short language, const SdkPrintRiddlesChoice &proposal, QWidget *parent);
    SdkPrintRiddlesChoice Choice() const;

private:
    QSpinBox *count;
    QAbstractButton *stock;
    QComboBox *level;
    QAbstractButton *computed;
    QComboBox *perPage;
    QAbstractButton *solutions;
    QAbstractButton *toPdf;
};
