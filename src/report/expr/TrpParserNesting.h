#pragma once

#include "report/expr/TrpParser.h"

// Counts how deep conversions and evaluations are nested.
class TrpParser::Nesting
{
public:
    explicit Nesting(TrpParser &parser) : m_parser(parser)
    {
        if (++m_parser.m_depth > MaxDepth) {
            --m_parser.m_depth;
            m_parser.raise(TrpError::Kind::Calculation, QStringLiteral("Expression nested too deeply"));
        }
    }
    ~Nesting() { --m_parser.m_depth; }
    Nesting(const Nesting &) = delete;
    Nesting &operator=(const Nesting &) = delete;

private:
    TrpParser &m_parser;
};
