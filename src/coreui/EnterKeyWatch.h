#pragma once

class QEvent;
class QObject;

// Tells the release of Return or Enter in an input whose press the input saw
// too. A form passes every event of its watched inputs; the release of the
// key that closed a message box or a dialog is then not taken for the
// input's own (it would search again, or move the focus on).
class EnterKeyWatch
{
public:
    [[nodiscard]] bool isEnterRelease(const QObject *watched, const QEvent *event);

private:
    const QObject *m_pressedIn = nullptr;
};
