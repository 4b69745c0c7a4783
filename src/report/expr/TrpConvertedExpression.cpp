#include "report/expr/TrpConvertedExpression.h"

namespace {

// A private-use character: no template text holds it.
constexpr char16_t MarkCharacter = 0xE000;

QString doubledQuotes(const QString &text)
{
    if (!text.contains(QLatin1Char('\'')))
        return text;
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
    return doubled;
}

// Up to 15 digits between blanks: their value as an expression is the
// whole number they spell.
std::optional<qint64> digitsOf(QStringView text)
{
    text = text.trimmed();
    if (text.isEmpty() || text.size() > 15)
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

} // namespace

TrpConvertedExpression::Step *TrpConvertedExpression::Step::after(const QString &result) const
{
    for (const auto &[text, step] : next) {
        if (text == result)
            return step.get();
    }
    return nullptr;
}

QString TrpConvertedExpression::Step::postfixWith(std::span<const QString> copies) const
{
    QString text = pieces.front();
    if (pieces.size() == 1)
        return text;
    for (qsizetype i = 1; i < pieces.size(); ++i)
        text += doubledQuotes(copies[i - 1]) + pieces[i];
    return text;
}

QString TrpConvertedExpression::copyMark(qsizetype index)
{
    return QChar(MarkCharacter) + QString::number(index) + QChar(MarkCharacter);
}

QString TrpConvertedExpression::branch(const QString (&args)[3], bool holds)
{
    // An expression, not a value: it goes in as it stands, so that its own
    // literals keep their quotes.
    return QLatin1Char('(') + (holds ? args[1] : args[2]) + QLatin1Char(')');
}

QString TrpConvertedExpression::copyLiteral(const QString &copy)
{
    return QLatin1String("('") + doubledQuotes(copy) + QLatin1String("')");
}

std::unique_ptr<TrpConvertedExpression::Step> TrpConvertedExpression::call(const QString &name,
                                                                           const QString (&args)[3])
{
    auto step = std::make_unique<Step>();
    step->kind = Step::Kind::Call;
    step->name = name;
    std::copy(std::begin(args), std::end(args), std::begin(step->args));
    if (name == QLatin1String("COPY")) {
        step->start = digitsOf(args[1]);
        step->count = digitsOf(args[2]);
    }
    if (name == QLatin1String("IF")) {
        step->branches[0] = branch(args, true);
        step->branches[1] = branch(args, false);
    }
    return step;
}

std::unique_ptr<TrpConvertedExpression::Step> TrpConvertedExpression::postfix(const QString &postfix, qsizetype copies)
{
    if (postfix.count(QChar(MarkCharacter)) != 2 * copies)
        return convertAgain();
    auto step = std::make_unique<Step>();
    step->kind = Step::Kind::Postfix;
    qsizetype from = 0;
    for (qsizetype i = 0; i < copies; ++i) {
        const QString mark = copyMark(i);
        const qsizetype at = postfix.indexOf(mark, from);
        if (at < 0)
            return convertAgain();
        step->pieces.append(postfix.mid(from, at - from));
        from = at + mark.size();
    }
    step->pieces.append(postfix.mid(from));
    return step;
}

std::unique_ptr<TrpConvertedExpression::Step> TrpConvertedExpression::convertAgain()
{
    return std::make_unique<Step>();
}

TrpConvertedExpression::Step *TrpConvertedExpression::setRoot(std::unique_ptr<Step> step)
{
    m_root = std::move(step);
    m_steps = 1;
    return m_root.get();
}

TrpConvertedExpression::Step *TrpConvertedExpression::add(Step &from, const QString &result, std::unique_ptr<Step> step)
{
    ++m_steps;
    from.next.emplace_back(result, std::move(step));
    return from.next.back().second.get();
}
