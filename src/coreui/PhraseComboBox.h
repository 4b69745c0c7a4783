#pragma once

#include <QComboBox>
#include <QStringList>

// An editable drop-down list of stock phrases. A double click in it asks for
// the phrase editor of its group; the caller then gives it the phrases again.
class PhraseComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit PhraseComboBox(QWidget *parent = nullptr);

    // Replaces the items. The text shown stays, and so does whether it was
    // typed into; no item is chosen.
    void setPhrases(const QStringList &phrases);
    // Empties the text shown; it then counts as not typed into.
    void clearText();

signals:
    void doubleClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
