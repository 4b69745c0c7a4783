#pragma once

#include <QDialog>
#include <QStringList>

#include <array>

class PhraseComboBox;
class QPushButton;

// Six lists of the stock phrases of one group; the caller sets ProgramName
// and CommentCode, shows it modally and, when accepted, takes texts().
class TStringsForm : public QDialog
{
    Q_OBJECT

public:
    explicit TStringsForm(QWidget *parent = nullptr);

    // The non-empty texts of the six lists, in list order.
    [[nodiscard]] QStringList texts() const;

    QString ProgramName;
    qint32 CommentCode = 0;

    std::array<PhraseComboBox *, 6> TextBox{};
    QPushButton *CopyBtn = nullptr;
    QPushButton *CancelBtn = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fillLists();
};

extern TStringsForm *StringsForm;
