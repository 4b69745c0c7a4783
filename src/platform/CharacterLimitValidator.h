#pragma once

#include <QValidator>

// Keeps the text of a line edit to a number of characters, as a VARCHAR
// column counts them, where QLineEdit::setMaxLength counts UTF-16 units and
// so splits a character outside the basic plane. As with setMaxLength, what
// is typed or pasted beyond the limit is dropped and a text set is cut, but
// always on a character boundary.
class CharacterLimitValidator : public QValidator
{
    Q_OBJECT

public:
    explicit CharacterLimitValidator(qsizetype limit, QObject *parent = nullptr);

    State validate(QString &input, int &pos) const override;

private:
    qsizetype m_limit;
};
