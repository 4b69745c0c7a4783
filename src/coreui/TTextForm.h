#pragma once

#include <QDialog>
#include <QStringList>

class PhraseComboBox;
class QPushButton;

// A one-line entry with the stock phrases of a group to choose from. The
// caller sets ProgramName and CommentCode, shows it modally and, when it was
// accepted, reads the text of TextBox.
class TTextForm : public QDialog
{
    Q_OBJECT

public:
    explicit TTextForm(QWidget *parent = nullptr);

    QString ProgramName;
    qint32 CommentCode = 0;
    // The phrases of the group as last read.
    QStringList Phrases;

    PhraseComboBox *TextBox = nullptr;
    QPushButton *OkButton = nullptr;
    QPushButton *CancelButton = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void TextBoxDblClick();
    void loadPhrases();
};

extern TTextForm *TextForm;
