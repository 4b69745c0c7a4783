#pragma once

#include "report/common/TrpError.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class TrpParser;

// Compiles a report script into the interpreter's line list (see
// TrpInterpretator). A script is one statement, usually a BEGIN ... END
// block; the statements are assignments, procedure calls, expressions, IF,
// WHILE, REPEAT, GOTO and numeric labels. The expressions are converted
// through the parser; one that calls COPY, IF or a function is kept as
// written, so that the call runs when the line runs.
class TrpScriptCompiler
{
public:
    explicit TrpScriptCompiler(TrpParser &parser);

    // False when the script does not compile: errorLine() is the error line
    // (Windows-1251 bytes), error() the same with its position in the
    // joined script text.
    [[nodiscard]] bool compile(const QStringList &source, QStringList &lines);

    [[nodiscard]] const QByteArray &errorLine() const { return m_errorLine; }
    [[nodiscard]] const TrpError &error() const { return m_error; }

private:
    struct Failure
    {
        qsizetype position;
        QByteArray message;
    };
    struct Token
    {
        QString text;
        qsizetype start = 0;
        qsizetype end = 0;
    };
    struct Label
    {
        QString text;
        int line;
    };
    struct Jump
    {
        int line;
        QString label;
        qsizetype position;
    };
    struct Expression
    {
        int line;
        qsizetype prefix;
        qsizetype position;
    };

    [[noreturn]] static void fail(qsizetype position, QByteArray message);

    void skipBlanks();
    [[nodiscard]] QChar current() const;
    [[nodiscard]] Token peek() const;
    Token next();
    [[nodiscard]] bool keywordAt(QLatin1StringView word) const;
    [[nodiscard]] static bool is(const Token &token, QLatin1StringView keyword);
    [[nodiscard]] static bool endsStatement(const Token &token);

    void statement(int depth);
    void block(int depth);
    void ifStatement(int depth);
    void repeatStatement(int depth);
    void whileStatement(int depth);
    void gotoStatement();
    void label(const Token &token);
    void designatorStatement(int depth);

    // Checks an expression and returns its text; position is where it starts.
    QString expressionText(int depth, qsizetype &position);
    void expression(int depth);
    void simpleExpression(int depth);
    void term(int depth);
    void factor(int depth);
    QString designator();

    int addLine(QString line);
    int addExpression(const QString &head, const QString &expression, qsizetype position);
    void setTarget(int line, int target);
    void finish();
    void report(const QStringList &source, const Failure &failure);

    TrpParser &m_parser;
    QString m_text;
    qsizetype m_pos = 0;
    QStringList *m_lines = nullptr;
    QList<Label> m_labels;
    QList<Jump> m_jumps;
    QList<Expression> m_expressions;
    QByteArray m_errorLine;
    TrpError m_error;
};
