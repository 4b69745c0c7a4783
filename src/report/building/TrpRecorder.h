#pragma once

#include <QtGlobal>

#include <memory>
#include <vector>

class TrpView;

// The bands a subreport page output while it was built in recording mode:
// per band its height and its objects as written (x on the page, y from the
// band's top), to be placed on the parent page afterwards.
class TrpRecorder
{
public:
    struct Step
    {
        qint32 height = 0;
        std::vector<std::unique_ptr<TrpView>> objects;
    };

    TrpRecorder();
    ~TrpRecorder();
    TrpRecorder(const TrpRecorder &) = delete;
    TrpRecorder &operator=(const TrpRecorder &) = delete;

    void beginStep(qint32 height);
    void add(const TrpView &view);

    [[nodiscard]] std::vector<Step> &steps() { return m_steps; }

private:
    std::vector<Step> m_steps;
};
