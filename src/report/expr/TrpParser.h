#pragma once

#include "report/common/TrpError.h"
#include "report/expr/TrpConvertedExpression.h"

#include "base/TextHash.h"
#include "base/Variant.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <unordered_map>

// Evaluates report expressions: memo texts in brackets, band and view
// conditions, script lines and function arguments. An expression is first
// converted into a postfix text (one character per operator, every operand
// followed by one blank), which is then evaluated on a stack of variants.
// Names the parser does not know are asked of its owner through OnGetValue,
// calls of functions other than COPY and IF through OnFunction.
//
// Errors never leave as exceptions: a failed call returns nullopt and
// error() tells why. A handler reports an error of its own with fail(); the
// evaluation stops when the handler returns, and a call that fails inside a
// handler fails the calls around it too.
class TrpParser
{
public:
    // Operator codes of the postfix text. Code 8 is not used.
    enum Code : char16_t {
        OpGreaterEqual = 1,
        OpLessEqual = 2,
        OpNotEqual = 3,
        OpOr = 4,
        OpAnd = 5,
        OpInt = 6,
        OpFrac = 7,
        OpNegate = 9,
        OpPlus = 10,
        OpStr = 11,
        OpNot = 12,
        OpMod = 13,
        OpRound = 14,
    };

    // Deepest nesting of brackets, of COPY and IF, and of evaluations
    // started again from inside a handler (a name whose value leads back to
    // itself).
    static constexpr int MaxDepth = 64;
    // Characters of the longest text a join gives.
    static constexpr qsizetype MaxTextLength = 1 << 24;

    // Asked for every bracketed name (as written) and every bare name (upper
    // case); the value comes in empty and what the handler leaves is used.
    using GetValueEvent = std::function<void(const QString &name, Variant &value)>;
    // Asked during conversion for a call NAME(...) other than COPY and IF:
    // the upper-cased name and up to three raw argument texts; val is the
    // expression text that replaces the call.
    using TFunctionEvent =
        std::function<void(const QString &name, const Variant &p1, const Variant &p2, const Variant &p3, QString &val)>;

    TrpParser();

    GetValueEvent OnGetValue;
    TFunctionEvent OnFunction;

    // Converts an infix expression into its postfix text, running COPY, IF
    // and functions on the way.
    [[nodiscard]] std::optional<QString> ToPostfix(const QString &expression);
    // Evaluates a postfix text; an empty one gives the empty value.
    [[nodiscard]] std::optional<Variant> CalcPostfix(QStringView postfix);
    // ToPostfix and CalcPostfix. The converted form is kept for the next call
    // with the same expression; its calls run again each time.
    [[nodiscard]] std::optional<Variant> Calc(const QString &expression);

    // Converts without running anything: the postfix text, or nullopt with
    // hasCall set when the expression calls COPY, IF or a function (its
    // conversion depends on the values at the time it runs), or nullopt with
    // error() set when it is broken.
    [[nodiscard]] std::optional<QString> ToPostfixWithoutCalls(const QString &expression, bool &hasCall);

    [[nodiscard]] const TrpError &error() const { return m_error; }
    // Raises an error from a handler.
    void fail(TrpError error);

    // From the "[" at i: the index after its matching "]", or -1 when it
    // has none or (with tooDeep set) they nest deeper than MaxDepth. Inside
    // double quotes, and inside single quotes outside double quotes,
    // brackets do not count.
    [[nodiscard]] static qsizetype bracketEnd(QStringView text, qsizetype i, bool &tooDeep);

private:
    struct Abort
    {
    };
    struct CallMet
    {
    };
    // A conversion that replays known call results stopped at the next call.
    struct CallAhead
    {
        QString name;
        QString args[3];
    };
    class Nesting;
    class Conversion;

    template <typename F> auto guarded(F &&body) -> std::optional<decltype(body())>;

    [[noreturn]] void raise(TrpError::Kind kind, const QString &message, qsizetype position = -1);
    void checkHandler();
    // bracketEnd(), raising its failures.
    qsizetype closingBracket(QStringView text, qsizetype open);

    QString convert(QString work, bool runCalls);
    Variant evaluate(QStringView postfix);
    Variant calculate(const QString &expression);
    QString followConverted(const QString &expression, TrpConvertedExpression &converted);
    std::unique_ptr<TrpConvertedExpression::Step> record(const QString &expression, std::span<const QString> results,
                                                         qsizetype copies);
    QString callReplacement(const QString &name, const QString (&args)[3]);
    QString copyResult(const QString (&args)[3], std::optional<qint64> knownStart = {},
                       std::optional<qint64> knownCount = {});
    bool conditionHolds(const QString &condition);
    qint64 integerOf(const QString &argument);
    void applyBinary(char16_t code, Variant &a, const Variant &b);
    void applyUnary(char16_t code, Variant &v);
    void check(Variant::Status status, const Variant &a, const Variant &b);
    Variant valueOf(const QString &name);

    TrpError m_error;
    int m_depth = 0;
    // Shared: a handler may start the cache over while a form is followed.
    std::unordered_map<QString, std::shared_ptr<TrpConvertedExpression>, TextHash, TextEqual> m_converted;
};
