#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;

// The evaluation letters of the practice plan's grid cells. Its results:
// 1 Ok (the highlighted cells), 10 "全て記載" (every cell), 9 "全て消去"
// (clear every cell), Rejected (2 in the modal result) cancel. The boxes
// keep their state from one use to the next.
class TABCForm : public QDialog
{
    Q_OBJECT

public:
    enum Result { OkResult = 1, CancelResult = 2, ClearAllResult = 9, SetAllResult = 10 };

    explicit TABCForm(QWidget *parent = nullptr);

    // ABCText laid out for a cell.
    [[nodiscard]] QString GetCellText() const;

    QString ABCText;

    QCheckBox *ABox = nullptr;
    QCheckBox *BBox = nullptr;
    QCheckBox *CBox = nullptr;
    QPushButton *OkBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
    QPushButton *ALLSet = nullptr;
    QPushButton *ALLCancel = nullptr;

private:
    void closeWith(int result, bool takeLetters);
};

extern TABCForm *ABCForm;
