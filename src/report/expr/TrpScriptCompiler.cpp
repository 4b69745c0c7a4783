#include "report/expr/TrpScriptCompiler.h"

#include "report/expr/TrpInterpretator.h"
#include "report/expr/TrpParser.h"

namespace {

// The compile errors: Windows-1251 bytes as the engine has always shown them.
const char ErrorPrefix[] = "\xD1\xF2\xF0\xFC\x49\x81\x45";
const char NeedEnd[] = "\xC7\xE4\xE5\xF1\xFC \xF2\xF0\xE5\xE1\xF3\xE5\xF2\xF1\xFF \";\" \xE8\xEB\x81\x45\"end\"";
const char NeedThen[] = "\xC7\xE4\xE5\xF1\xFC \xF2\xF0\xE5\xE1\xF3\xE5\xF2\xF1\xFF \"then\"";
const char NeedUntil[] = "\xC7\xE4\xE5\xF1\xFC \xF2\xF0\xE5\xE1\xF3\xE5\xF2\xF1\xFF \";\" \xE8\xEB\x81\x45\"until\"";
const char NeedDo[] = "\xC7\xE4\xE5\xF1\xFC \xF2\xF0\xE5\xE1\xF3\xE5\xF2\xF1\xFF \"do\"";
const char NeedNumber[] =
    "\xCC\xE5\xF2\x81\x45 \x81\x45goto \xE4\xEE\x81\x45\xFA\xFC \xE1\xFB\xF2\xFC \xF7\xE8\xF1\xEB\xFCK";
const char NeedAssign[] = "\xC7\xE4\xE5\xF1\xFC \xF2\xF0\xE5\xE1\xF3\xE5\xF2\xF1\xFF \":=\"";
const char NeedClose[] = "\xC7\xE4\xE5\xF1\xFC \xF2\xF0\xE5\xE1\xF3\xE5\xF2\xF1\xFF \")\"";
const char NeedBracket[] = "\xC7\xE4\xE5\xF1\xFC \xF2\xF0\xE5\xE1\xF3\xE5\xF2\xF1\xFF \"]\"";
const char NeedComma[] = "\xC7\xE4\xE5\xF1\xFC \xF2\xF0\xE5\xE1\xF3\xE5\xF2\xF1\xFF \",\" \xE8\xEB\x81\x45\")\"";
const char LabelMissing[] = "Label not defined";
const char TooManyLabels[] = "Too many labels";
const char LabelTooLong[] = "Label too long";
const char ScriptTooLong[] = "Script too long";
const char NestedTooDeeply[] = "Nesting too deep";
const char OpenString[] = "Unterminated string";

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// A source line without its comment: from "//" or "{" to the end.
QStringView withoutComment(QStringView line)
{
    qsizetype cut = line.size();
    const qsizetype slashes = line.indexOf(u"//");
    if (slashes >= 0)
        cut = slashes;
    const qsizetype brace = line.left(cut).indexOf(QLatin1Char('{'));
    if (brace >= 0)
        cut = brace;
    return line.left(cut);
}

} // namespace

TrpScriptCompiler::TrpScriptCompiler(TrpParser &parser) : m_parser(parser) {}

void TrpScriptCompiler::fail(qsizetype position, QByteArray message)
{
    throw Failure{position, std::move(message)};
}

bool TrpScriptCompiler::compile(const QStringList &source, QStringList &lines)
{
    m_text.clear();
    for (const QString &line : source) {
        QString prepared = QLatin1Char(' ') + withoutComment(line).toString();
        prepared.replace(QLatin1Char('\t'), QLatin1Char(' '));
        QString collapsed;
        collapsed.reserve(prepared.size());
        for (const QChar c : prepared) {
            if (!(c == QLatin1Char(' ') && collapsed.endsWith(QLatin1Char(' '))))
                collapsed.append(c);
        }
        m_text += collapsed;
    }
    m_pos = 0;
    m_lines = &lines;
    lines.clear();
    m_labels.clear();
    m_jumps.clear();
    m_expressions.clear();
    m_errorLine.clear();
    m_error = {};
    try {
        if (!m_text.isEmpty())
            statement(0);
        finish();
    } catch (const Failure &failure) {
        report(source, failure);
        lines.clear();
        return false;
    }
    return true;
}

void TrpScriptCompiler::report(const QStringList &source, const Failure &failure)
{
    // The error position as a source line and column: count the non-blank
    // characters before it and find the one that comes next in the source.
    qsizetype count = 0;
    for (qsizetype i = 0; i < qMin(failure.position, m_text.size()); ++i) {
        if (m_text[i] != QLatin1Char(' '))
            ++count;
    }
    int lineNo = int(qMax<qsizetype>(source.size(), 1));
    int column = source.isEmpty() ? 1 : int(withoutComment(source.last()).size()) + 1;
    bool found = false;
    for (qsizetype li = 0; li < source.size() && !found; ++li) {
        const QStringView line = withoutComment(source[li]);
        for (qsizetype col = 0; col < line.size(); ++col) {
            if (isBlank(line[col]))
                continue;
            if (count == 0) {
                lineNo = int(li + 1);
                column = int(col + 1);
                found = true;
                break;
            }
            --count;
        }
    }
    m_errorLine = QByteArray(ErrorPrefix) + QByteArray::number(lineNo) + '/' + QByteArray::number(column) + ": " +
                  failure.message;
    m_error = TrpError{TrpError::Kind::Script, TrpError::fromCp1251(m_errorLine), failure.position};
}

void TrpScriptCompiler::skipBlanks()
{
    while (m_pos < m_text.size() && m_text[m_pos].unicode() <= ' ')
        ++m_pos;
}

QChar TrpScriptCompiler::current() const
{
    return m_pos < m_text.size() ? m_text[m_pos] : QChar();
}

TrpScriptCompiler::Token TrpScriptCompiler::peek() const
{
    qsizetype p = m_pos;
    while (p < m_text.size() && m_text[p].unicode() <= ' ')
        ++p;
    Token token{{}, p, p};
    if (p >= m_text.size())
        return token;
    const QChar c = m_text[p];
    qsizetype end = p + 1;
    if (c.isLetter() || c == QLatin1Char('_')) {
        while (end < m_text.size() && isNameChar(m_text[end]))
            ++end;
    } else if (isDigit(c)) {
        while (end < m_text.size() && isDigit(m_text[end]))
            ++end;
    } else if (c == QLatin1Char(':') && end < m_text.size() && m_text[end] == QLatin1Char('=')) {
        ++end;
    }
    token.text = m_text.mid(p, end - p);
    token.end = end;
    return token;
}

TrpScriptCompiler::Token TrpScriptCompiler::next()
{
    Token token = peek();
    m_pos = token.end;
    return token;
}

bool TrpScriptCompiler::is(const Token &token, QLatin1StringView keyword)
{
    return token.text.compare(keyword, Qt::CaseInsensitive) == 0;
}

bool TrpScriptCompiler::keywordAt(QLatin1StringView word) const
{
    const qsizetype end = m_pos + word.size();
    if (end > m_text.size() || QStringView(m_text).mid(m_pos, word.size()).compare(word, Qt::CaseInsensitive) != 0)
        return false;
    return end == m_text.size() || !isNameChar(m_text[end]);
}

// Where a statement ends without one of its own: the end of the text, ";",
// END, ELSE or UNTIL.
bool TrpScriptCompiler::endsStatement(const Token &token)
{
    return token.text.isEmpty() || token.text == QLatin1String(";") || is(token, QLatin1String("END")) ||
           is(token, QLatin1String("ELSE")) || is(token, QLatin1String("UNTIL"));
}

void TrpScriptCompiler::statement(int depth)
{
    if (depth > TrpParser::MaxDepth)
        fail(m_pos, NestedTooDeeply);
    for (;;) {
        const Token token = peek();
        if (endsStatement(token))
            return;
        if (is(token, QLatin1String("BEGIN"))) {
            m_pos = token.end;
            block(depth);
            return;
        }
        if (is(token, QLatin1String("IF"))) {
            m_pos = token.end;
            ifStatement(depth);
            return;
        }
        if (is(token, QLatin1String("REPEAT"))) {
            m_pos = token.end;
            repeatStatement(depth);
            return;
        }
        if (is(token, QLatin1String("WHILE"))) {
            m_pos = token.end;
            whileStatement(depth);
            return;
        }
        if (is(token, QLatin1String("GOTO"))) {
            m_pos = token.end;
            gotoStatement();
            return;
        }
        const qsizetype after = token.end;
        if (isDigit(token.text[0]) && after < m_text.size() && m_text[after] == QLatin1Char(':') &&
            !(after + 1 < m_text.size() && m_text[after + 1] == QLatin1Char('='))) {
            m_pos = after + 1;
            label(token);
            continue;
        }
        if (token.text[0].isLetter()) {
            designatorStatement(depth);
            return;
        }
        qsizetype position = 0;
        const QString text = expressionText(depth, position);
        if (!text.isEmpty())
            addExpression(QString(QChar(TrpInterpretator::Evaluate)), text, position);
        return;
    }
}

void TrpScriptCompiler::block(int depth)
{
    for (;;) {
        statement(depth + 1);
        const Token token = next();
        if (token.text == QLatin1String(";"))
            continue;
        if (is(token, QLatin1String("END")))
            return;
        fail(token.start, NeedEnd);
    }
}

void TrpScriptCompiler::ifStatement(int depth)
{
    qsizetype position = 0;
    const QString condition = expressionText(depth, position);
    const int test =
        addExpression(QString(QChar(TrpInterpretator::JumpIfZero)) + QChar(0) + QChar(0), condition, position);
    const Token then = next();
    if (!is(then, QLatin1String("THEN")))
        fail(then.start, NeedThen);
    statement(depth + 1);
    const Token elseToken = peek();
    if (!is(elseToken, QLatin1String("ELSE"))) {
        setTarget(test, int(m_lines->size()));
        return;
    }
    m_pos = elseToken.end;
    const int jump = addLine(QString(QChar(TrpInterpretator::Jump)) + QChar(0) + QChar(0));
    setTarget(test, int(m_lines->size()));
    statement(depth + 1);
    setTarget(jump, int(m_lines->size()));
}

void TrpScriptCompiler::repeatStatement(int depth)
{
    const int start = int(m_lines->size());
    for (;;) {
        statement(depth + 1);
        const Token token = peek();
        if (token.text != QLatin1String(";"))
            break;
        m_pos = token.end;
    }
    const Token until = next();
    if (!is(until, QLatin1String("UNTIL")))
        fail(until.start, NeedUntil);
    qsizetype position = 0;
    const QString condition = expressionText(depth, position);
    const int test =
        addExpression(QString(QChar(TrpInterpretator::JumpIfZero)) + QChar(0) + QChar(0), condition, position);
    setTarget(test, start);
}

void TrpScriptCompiler::whileStatement(int depth)
{
    const int start = int(m_lines->size());
    qsizetype position = 0;
    const QString condition = expressionText(depth, position);
    const int test =
        addExpression(QString(QChar(TrpInterpretator::JumpIfZero)) + QChar(0) + QChar(0), condition, position);
    const Token doToken = next();
    if (!is(doToken, QLatin1String("DO")))
        fail(doToken.start, NeedDo);
    statement(depth + 1);
    const int jump = addLine(QString(QChar(TrpInterpretator::Jump)) + QChar(0) + QChar(0));
    setTarget(jump, start);
    setTarget(test, int(m_lines->size()));
}

void TrpScriptCompiler::gotoStatement()
{
    skipBlanks();
    const qsizetype start = m_pos;
    while (m_pos < m_text.size() && isDigit(m_text[m_pos]))
        ++m_pos;
    if (m_pos == start)
        fail(start, NeedNumber);
    const int line = addLine(QString(QChar(TrpInterpretator::Jump)) + QChar(0) + QChar(0));
    m_jumps.append({line, m_text.mid(start, m_pos - start), start});
}

void TrpScriptCompiler::label(const Token &token)
{
    if (token.text.size() > TrpInterpretator::MaxLabelBytes)
        fail(token.start, LabelTooLong);
    for (const Label &known : std::as_const(m_labels)) {
        if (known.text == token.text)
            return;
    }
    if (m_labels.size() >= TrpInterpretator::MaxLabels)
        fail(token.start, TooManyLabels);
    m_labels.append({token.text, int(m_lines->size())});
}

QString TrpScriptCompiler::designator()
{
    const qsizetype start = m_pos;
    while (m_pos < m_text.size() && (isNameChar(m_text[m_pos]) || m_text[m_pos] == QLatin1Char('.')))
        ++m_pos;
    return m_text.mid(start, m_pos - start);
}

void TrpScriptCompiler::designatorStatement(int depth)
{
    skipBlanks();
    const qsizetype start = m_pos;
    const QString name = designator();
    QString index;
    bool indexed = false;
    skipBlanks();
    if (current() == QLatin1Char('[')) {
        ++m_pos;
        qsizetype position = 0;
        index = expressionText(depth, position);
        skipBlanks();
        if (current() != QLatin1Char(']'))
            fail(m_pos, NeedBracket);
        ++m_pos;
        indexed = true;
    }
    const QString designatorText = m_text.mid(start, m_pos - start).trimmed();
    const Token token = peek();
    if (endsStatement(token)) {
        addExpression(QString(QChar(TrpInterpretator::Evaluate)), designatorText + QStringLiteral("(0)"), start);
        return;
    }
    if (token.text != QLatin1String(":="))
        fail(token.start, NeedAssign);
    m_pos = token.end;
    qsizetype position = 0;
    const QString value = expressionText(depth, position);
    if (indexed) {
        addExpression(QString(QChar(TrpInterpretator::Evaluate)),
                      QStringLiteral("SETARRAY(") + name + QStringLiteral(", ") + index + QStringLiteral(", ") + value +
                          QLatin1Char(')'),
                      position);
    } else {
        addExpression(name + QLatin1Char(' '), value, position);
    }
}

QString TrpScriptCompiler::expressionText(int depth, qsizetype &position)
{
    skipBlanks();
    position = m_pos;
    expression(depth + 1);
    return m_text.mid(position, m_pos - position).trimmed();
}

void TrpScriptCompiler::expression(int depth)
{
    if (depth > TrpParser::MaxDepth)
        fail(m_pos, NestedTooDeeply);
    simpleExpression(depth);
    skipBlanks();
    const QStringView rest = QStringView(m_text).mid(m_pos);
    if (rest.startsWith(u">=") || rest.startsWith(u"<=") || rest.startsWith(u"<>")) {
        m_pos += 2;
        simpleExpression(depth);
    } else if (rest.startsWith(QLatin1Char('<')) || rest.startsWith(QLatin1Char('=')) ||
               rest.startsWith(QLatin1Char('>'))) {
        m_pos += 1;
        simpleExpression(depth);
    }
}

void TrpScriptCompiler::simpleExpression(int depth)
{
    term(depth);
    for (;;) {
        skipBlanks();
        if (current() == QLatin1Char('+') || current() == QLatin1Char('-')) {
            ++m_pos;
        } else if (keywordAt(QLatin1String("OR"))) {
            m_pos += 2;
        } else {
            return;
        }
        term(depth);
    }
}

void TrpScriptCompiler::term(int depth)
{
    factor(depth);
    for (;;) {
        skipBlanks();
        if (current() == QLatin1Char('*') || current() == QLatin1Char('/')) {
            ++m_pos;
        } else if (keywordAt(QLatin1String("AND")) || keywordAt(QLatin1String("MOD"))) {
            m_pos += 3;
        } else {
            return;
        }
        factor(depth);
    }
}

void TrpScriptCompiler::factor(int depth)
{
    skipBlanks();
    if (m_pos >= m_text.size())
        return;
    const QChar c = m_text[m_pos];
    if (c == QLatin1Char('(')) {
        ++m_pos;
        expression(depth + 1);
        skipBlanks();
        if (current() != QLatin1Char(')'))
            fail(m_pos, NeedClose);
        ++m_pos;
    } else if (c == QLatin1Char('[')) {
        bool tooDeep = false;
        const qsizetype end = TrpParser::bracketEnd(m_text, m_pos, tooDeep);
        if (tooDeep)
            fail(m_pos, NestedTooDeeply);
        if (end < 0)
            fail(m_text.size(), NeedBracket);
        m_pos = end;
    } else if (c == QLatin1Char('+') || c == QLatin1Char('-')) {
        ++m_pos;
        expression(depth + 1);
    } else if (keywordAt(QLatin1String("NOT"))) {
        m_pos += 3;
        expression(depth + 1);
    } else if (isDigit(c)) {
        while (m_pos < m_text.size() && isDigit(m_text[m_pos]))
            ++m_pos;
        if (current() == QLatin1Char('.') && m_pos + 1 < m_text.size() && isDigit(m_text[m_pos + 1])) {
            ++m_pos;
            while (m_pos < m_text.size() && isDigit(m_text[m_pos]))
                ++m_pos;
        }
    } else if (c == QLatin1Char('\'') || (c == QLatin1Char('%') && m_pos + 2 < m_text.size() &&
                                          m_text[m_pos + 1].isLetter() && m_text[m_pos + 2] == QLatin1Char('\''))) {
        // A literal, or a date or time literal behind its prefix.
        if (c == QLatin1Char('%'))
            m_pos += 2;
        const qsizetype start = m_pos;
        for (++m_pos;; ++m_pos) {
            if (m_pos >= m_text.size())
                fail(start, OpenString);
            if (m_text[m_pos] == QLatin1Char('\'')) {
                if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == QLatin1Char('\''))
                    ++m_pos;
                else
                    break;
            }
        }
        ++m_pos;
    } else if (c.isLetter()) {
        designator();
        qsizetype open = m_pos;
        while (open < m_text.size() && m_text[open] == QLatin1Char(' '))
            ++open;
        if (open < m_text.size() && m_text[open] == QLatin1Char('(')) {
            m_pos = open + 1;
            for (;;) {
                expression(depth + 1);
                skipBlanks();
                if (current() == QLatin1Char(',')) {
                    ++m_pos;
                } else if (current() == QLatin1Char(')')) {
                    ++m_pos;
                    return;
                } else {
                    fail(m_pos, NeedComma);
                }
            }
        }
    }
}

int TrpScriptCompiler::addLine(QString line)
{
    if (m_lines->size() >= TrpInterpretator::MaxLines)
        fail(m_pos, ScriptTooLong);
    m_lines->append(std::move(line));
    return int(m_lines->size() - 1);
}

int TrpScriptCompiler::addExpression(const QString &head, const QString &expression, qsizetype position)
{
    const int line = addLine(head + expression);
    m_expressions.append({line, head.size(), position});
    return line;
}

void TrpScriptCompiler::setTarget(int line, int target)
{
    // Targets are stored in two bytes.
    if (target > 0xFFFF)
        fail(m_pos, ScriptTooLong);
    QString &text = (*m_lines)[line];
    text[1] = QChar(char16_t(target & 0xFF));
    text[2] = QChar(char16_t(target >> 8));
}

void TrpScriptCompiler::finish()
{
    for (const Jump &jump : std::as_const(m_jumps)) {
        const Label *target = nullptr;
        for (const Label &known : std::as_const(m_labels)) {
            if (known.text == jump.label) {
                target = &known;
                break;
            }
        }
        if (!target)
            fail(jump.position, LabelMissing);
        setTarget(jump.line, target->line);
    }
    for (const Expression &pending : std::as_const(m_expressions)) {
        QString &line = (*m_lines)[pending.line];
        const QString text = line.mid(pending.prefix);
        bool hasCall = false;
        const std::optional<QString> postfix = m_parser.ToPostfixWithoutCalls(text, hasCall);
        if (postfix)
            line = line.left(pending.prefix) + *postfix;
        else if (hasCall)
            line = line.left(pending.prefix) + QChar(TrpInterpretator::Deferred) + text;
        else
            fail(pending.position, TrpError::toCp1251(m_parser.error().message));
    }
}
