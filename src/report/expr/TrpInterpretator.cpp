#include "report/expr/TrpInterpretator.h"

#include "report/expr/TrpScriptCompiler.h"

#include "base/Sjis.h"

TrpInterpretator::TrpInterpretator()
{
    m_parser.OnGetValue = [this](const QString &name, Variant &value) {
        GetValue(name, value);
    };
    m_parser.OnFunction = [this](const QString &name, const Variant &p1, const Variant &p2, const Variant &p3,
                                 QString &val) {
        DoFunction(name, p1, p2, p3, val);
    };
}

TrpInterpretator::~TrpInterpretator() = default;

void TrpInterpretator::GetValue(const QString &, Variant &) {}

void TrpInterpretator::SetValue(const QString &, const Variant &) {}

void TrpInterpretator::DoFunction(const QString &, const Variant &, const Variant &, const Variant &, QString &) {}

void TrpInterpretator::fail(TrpError error)
{
    m_parser.fail(std::move(error));
}

bool TrpInterpretator::PrepareScript(const QStringList &memoFrom, QStringList &memoTo, QList<QByteArray> &memoErr)
{
    memoErr.clear();
    m_error = {};
    TrpScriptCompiler compiler(m_parser);
    if (compiler.compile(memoFrom, memoTo))
        return true;
    memoErr.append(compiler.errorLine());
    m_error = compiler.error();
    return false;
}

std::optional<Variant> TrpInterpretator::evaluate(QStringView expression)
{
    if (!expression.isEmpty() && expression.front() == QChar(Deferred))
        return m_parser.Calc(expression.mid(1).toString());
    return m_parser.CalcPostfix(expression);
}

bool TrpInterpretator::DoScript(const QStringList &memo)
{
    m_error = {};
    const qsizetype count = memo.size();
    qsizetype index = 0;
    qint64 steps = 0;
    const TrpDeadline deadline(m_timeLimit);
    auto failed = [this] {
        m_error = m_parser.error();
        return false;
    };
    while (index < count) {
        if (++steps > m_stepLimit || deadline.passed()) {
            m_error = TrpError{TrpError::Kind::Script, QStringLiteral("Script does not end"), -1};
            return false;
        }
        const QString &line = memo[index];
        if (line.isEmpty()) {
            ++index;
            continue;
        }
        const char16_t kind = line[0].unicode();
        if (kind == JumpIfZero || kind == Jump) {
            if (line.size() < 3) {
                m_error = TrpError{TrpError::Kind::Script, QStringLiteral("Broken script line"), -1};
                return false;
            }
            const qsizetype target = line[1].unicode() | (line[2].unicode() << 8);
            if (kind == Jump) {
                index = target;
                continue;
            }
            const std::optional<Variant> value = evaluate(QStringView(line).mid(3));
            if (!value)
                return failed();
            int order = 0;
            if (Variant::compare(*value, Variant(0), order) != Variant::Status::Ok) {
                m_error = TrpError{TrpError::Kind::Conversion,
                                   QStringLiteral("'%1' is not a valid floating point value").arg(value->toText()), -1};
                return false;
            }
            index = order == 0 ? target : index + 1;
        } else if (kind == Evaluate) {
            if (!evaluate(QStringView(line).mid(1)))
                return failed();
            ++index;
        } else {
            const qsizetype blank = line.indexOf(QLatin1Char(' '));
            const QString name = blank < 0 ? line : line.left(blank);
            const std::optional<Variant> value = evaluate(blank < 0 ? QStringView() : QStringView(line).mid(blank + 1));
            if (!value)
                return failed();
            SetValue(name, *value);
            if (m_parser.error().isSet())
                return failed();
            ++index;
        }
    }
    return true;
}

QByteArray TrpInterpretator::lineBytes(const QString &line)
{
    if (line.isEmpty())
        return {};
    const char16_t kind = line[0].unicode();
    const qsizetype raw =
        qMin<qsizetype>(line.size(), (kind == JumpIfZero || kind == Jump) ? 3 : (kind == Evaluate ? 1 : 0));
    QByteArray out;
    for (qsizetype i = 0; i < raw; ++i)
        out.append(char(line[i].unicode() & 0xFF));
    out += Sjis::encode(QStringView(line).mid(raw));
    return out;
}
