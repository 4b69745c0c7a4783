#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

// The converted form of one expression, kept by TrpParser between
// evaluations. A call (COPY, IF, a function) is run while the expression is
// converted and its result is written into the text before the conversion
// reads on, so the postfix text depends on what the calls gave. The form is a
// tree of steps: a call to run, whose result leads to the next step, or the
// postfix text the calls led to, with a gap where each COPY result goes (a
// COPY always gives one quoted literal, whatever its text). A step that could
// not be kept says to convert the text again.
class TrpConvertedExpression
{
public:
    struct Step
    {
        enum class Kind { Call, Postfix, Convert };
        Kind kind = Kind::Convert;
        // Call: the upper-cased name and the argument texts.
        QString name;
        QString args[3];
        // Call of IF: what it writes into the text when its condition holds
        // and when not.
        QString branches[2];
        // Call of COPY: its start and count when written as plain digits,
        // which read as themselves without being evaluated.
        std::optional<qint64> start;
        std::optional<qint64> count;
        // Postfix: the text around the COPY results.
        QStringList pieces;
        // Call: the step each result written into the text leads to; a
        // COPY's under the null text.
        std::vector<std::pair<QString, std::unique_ptr<Step>>> next;

        [[nodiscard]] Step *after(const QString &result) const;
        // The postfix text with the COPY results in their gaps.
        [[nodiscard]] QString postfixWith(std::span<const QString> copies) const;
    };

    // Steps one expression keeps; what its calls give beyond that is
    // converted again each time.
    static constexpr int MaxSteps = 256;

    // What stands in the text for the COPY result with this index while the
    // form is recorded.
    [[nodiscard]] static QString copyMark(qsizetype index);
    // What IF writes into the text: the branch as an expression.
    [[nodiscard]] static QString branch(const QString (&args)[3], bool holds);
    // A COPY result as the literal written into the text.
    [[nodiscard]] static QString copyLiteral(const QString &copy);

    [[nodiscard]] static std::unique_ptr<Step> call(const QString &name, const QString (&args)[3]);
    // The postfix text recorded with copies marks; a Convert step when the
    // marks cannot be told from the rest of the text.
    [[nodiscard]] static std::unique_ptr<Step> postfix(const QString &postfix, qsizetype copies);
    [[nodiscard]] static std::unique_ptr<Step> convertAgain();

    [[nodiscard]] Step *root() const { return m_root.get(); }
    Step *setRoot(std::unique_ptr<Step> step);
    [[nodiscard]] bool full() const { return m_steps >= MaxSteps; }
    // Keeps step as what result leads to from.
    Step *add(Step &from, const QString &result, std::unique_ptr<Step> step);

private:
    std::unique_ptr<Step> m_root;
    int m_steps = 0;
};
