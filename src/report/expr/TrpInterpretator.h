#pragma once

#include "report/common/TrpDeadline.h"
#include "report/common/TrpError.h"
#include "report/expr/TrpParser.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

// Compiles and runs the scripts of report objects and bands. The compiled
// script is a list of lines whose first character is their kind:
//   1, target low byte, target high byte, expression: go to the target when
//     the expression is 0, else to the next line;
//   2, target low byte, target high byte: go to the target;
//   3, expression: evaluate for its effect;
//   anything else: name, one blank, expression: evaluate and SetValue.
// An expression is its postfix text, or the character 8 followed by the
// expression as written when it calls COPY, IF or a function: such a line is
// converted when it runs, so that the call runs then and not while the
// script is compiled.
//
// The interpreter knows no names: the engine's own interpreter overrides
// GetValue, SetValue and DoFunction.
class TrpInterpretator
{
public:
    enum LineKind : char16_t { JumpIfZero = 1, Jump = 2, Evaluate = 3 };
    static constexpr char16_t Deferred = 8;
    static constexpr int MaxLabels = 101;
    static constexpr int MaxLabelBytes = 15;
    static constexpr int MaxLines = 65536;
    // Lines one DoScript runs at most unless set otherwise; whatever its
    // lines, a script loop that never ends stops with an error once its
    // time (TrpDeadline::EndlessWork) has passed, at the latest.
    static constexpr qint64 StepLimit = 10'000'000;

    TrpInterpretator();
    virtual ~TrpInterpretator();
    TrpInterpretator(const TrpInterpretator &) = delete;
    TrpInterpretator &operator=(const TrpInterpretator &) = delete;

    virtual void GetValue(const QString &name, Variant &value);
    virtual void SetValue(const QString &name, const Variant &value);
    virtual void DoFunction(const QString &name, const Variant &p1, const Variant &p2, const Variant &p3, QString &val);
    // Compiles memoFrom into memoTo. On an error memoErr gets one line: the
    // prefix, the source line and column ("3/7"), ": " and the message, as
    // Windows-1251 bytes; error() has it for display.
    [[nodiscard]] virtual bool PrepareScript(const QStringList &memoFrom, QStringList &memoTo,
                                             QList<QByteArray> &memoErr);
    // Runs compiled lines; false with error() set when a line fails.
    [[nodiscard]] virtual bool DoScript(const QStringList &memo);

    void setStepLimit(qint64 steps) { m_stepLimit = steps; }
    void setTimeLimit(std::chrono::milliseconds limit) { m_timeLimit = limit; }

    [[nodiscard]] TrpParser &parser() { return m_parser; }
    [[nodiscard]] const TrpError &error() const { return m_error; }
    // Raises an error from an override; the running script stops.
    void fail(TrpError error);

    // A compiled line as bytes: the kind and target characters as they are,
    // the rest in Shift-JIS.
    [[nodiscard]] static QByteArray lineBytes(const QString &line);

private:
    [[nodiscard]] std::optional<Variant> evaluate(QStringView expression);

    TrpParser m_parser;
    TrpError m_error;
    qint64 m_stepLimit = StepLimit;
    std::chrono::milliseconds m_timeLimit = TrpDeadline::EndlessWork;
};
