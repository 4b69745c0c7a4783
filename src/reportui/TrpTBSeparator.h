#pragma once

#include <QFrame>

// A vertical separator in a tool bar: an etched line with DrawBevel, else a gap.
class TrpTBSeparator : public QFrame
{
    Q_OBJECT
public:
    explicit TrpTBSeparator(QWidget *parent = nullptr);

    [[nodiscard]] bool DrawBevel() const { return m_drawBevel; }
    void SetDrawBevel(bool drawBevel);

private:
    bool m_drawBevel = true;
};
