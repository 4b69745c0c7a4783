#include "report/building/TrpRecorder.h"

#include "report/objects/TrpView.h"

TrpRecorder::TrpRecorder() = default;

TrpRecorder::~TrpRecorder() = default;

void TrpRecorder::beginStep(qint32 height)
{
    m_steps.push_back(Step{height, {}});
}

void TrpRecorder::add(const TrpView &view)
{
    if (m_steps.empty())
        beginStep(0);
    m_steps.back().objects.push_back(view.clone());
}
