#pragma once

#include <QLineEdit>

// An input that holds a kana reading in half-width katakana. The input
// method cannot be switched to half-width katakana here, so whatever it
// commits, and whatever is typed or pasted, is turned into that form as it
// arrives (hiragana, full-width katakana, voiced marks, the full-width blank).
class KanaLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit KanaLineEdit(QWidget *parent = nullptr);

protected:
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    void convertEdited();
};
