#pragma once

#include "report/common/TrpError.h"

#include <QObject>

#include <functional>

enum TRangeBegin { rbFirst = 0, rbCurrent = 1 };
enum TRangeEnd { reLast = 0, reCurrent = 1, reCount = 2 };

// The row source of a data band and of a report: the engine calls Init once,
// First, then for as long as Eof is false prints a row and calls Next, and
// Exit once at the end; a band that prints the rows again calls First again.
// The object name is the component name that templates use.
//
// An operation that fails returns false (Eof returns true) and error() tells
// why; event handlers report failures of their own with fail().
class TrpDataset : public QObject
{
    Q_OBJECT
public:
    using TNotifyEvent = std::function<void(TrpDataset &sender)>;
    using TCheckEOFEvent = std::function<void(TrpDataset &sender, bool &eof)>;

    explicit TrpDataset(QObject *owner = nullptr);
    ~TrpDataset() override;

    TRangeBegin RangeBegin = rbFirst;
    TRangeEnd RangeEnd = reLast;
    // Rows of a walk when RangeEnd is reCount.
    qint32 RangeEndCount = 0;
    TNotifyEvent OnFirst;
    TNotifyEvent OnNext;
    TCheckEOFEvent OnCheckEOF;
    // The 0-based number of the current row of the walk.
    qint32 RecNo = 0;

    [[nodiscard]] virtual bool Init();
    virtual bool Exit();
    [[nodiscard]] virtual bool First();
    [[nodiscard]] virtual bool Next();
    [[nodiscard]] virtual bool Eof();

    [[nodiscard]] const TrpError &error() const { return m_error; }
    [[nodiscard]] bool failed() const { return m_error.isSet(); }
    void fail(TrpError error);

protected:
    bool failWith(TrpError::Kind kind, const QString &message);

private:
    TrpError m_error;
};
