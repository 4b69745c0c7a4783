#pragma once

#include <QObject>

class QAction;
class QLineEdit;
class QWidget;

// The copy, cut and paste actions of a form's menu and tool bar. They act on
// the text input that has the focus inside the form's panel and are enabled
// as the focus, the selection and the clipboard allow. The form owns it
// (destroyed before the form's widgets, so no focus change reaches it late).
class EditActions : public QObject
{
    Q_OBJECT

public:
    // The actions are created on owner; scope is the panel of the inputs.
    EditActions(QWidget *owner, QWidget *scope);
    ~EditActions() override;
    EditActions(const EditActions &) = delete;
    EditActions &operator=(const EditActions &) = delete;

    // Follows the selection of an input.
    void watch(QLineEdit *input);
    void update();
    // The focused text input of the panel; none for a date picker's text.
    [[nodiscard]] QLineEdit *focusedInput() const;

    QAction *Copy = nullptr;
    QAction *Cut = nullptr;
    QAction *Paste = nullptr;

private:
    QWidget *m_scope;
};
