#include "reportui/TrpTBSeparator.h"

TrpTBSeparator::TrpTBSeparator(QWidget *parent) : QFrame(parent)
{
    setFixedWidth(8);
    setFrameShadow(QFrame::Sunken);
    SetDrawBevel(true);
}

void TrpTBSeparator::SetDrawBevel(bool drawBevel)
{
    m_drawBevel = drawBevel;
    setFrameShape(drawBevel ? QFrame::VLine : QFrame::NoFrame);
}
