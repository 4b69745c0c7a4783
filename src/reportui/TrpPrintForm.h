#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class TrpPrinter;

// The print dialog of the preview: the printer (the engine's list, chosen at
// once), its properties, the copies and the pages to print. Leaving it with
// anything but OK makes the printer current at opening current again.
class TrpPrintForm : public QDialog
{
    Q_OBJECT
public:
    explicit TrpPrintForm(TrpPrinter &printer, QWidget *parent = nullptr);

    // The pages to print as a page text: empty for all pages, the current
    // page's number, or the range text.
    [[nodiscard]] QString pageText(int currentPage) const;
    // The copies asked for, at least 1.
    [[nodiscard]] int copies() const;

    QComboBox *CB1;
    QPushButton *PropButton;
    QLineEdit *E1;
    QToolButton *CopyUpBtn;
    QToolButton *CopyDownBtn;
    QRadioButton *RB1;
    QRadioButton *RB2;
    QRadioButton *RB3;
    QLineEdit *E2;
    QPushButton *OkBtn;
    QPushButton *CancelBtn;

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CB1Click(int index);
    void PropButtonClick();
    void addCopies(int step);
    QWidget *makePrinterGroup();
    QWidget *makeCopiesGroup();
    QWidget *makeRangeGroup();

    TrpPrinter &m_printer;
    int m_oldIndex;
};
