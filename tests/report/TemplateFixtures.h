#pragma once

#include "report/TrpTemplate.h"
#include "report/TrpView.h"

#include "base/Sjis.h"

#include <QByteArray>
#include <QString>

// Shared by the template tests: byte-by-byte files, a registered add-in
// class and a template that uses every kind of object.
namespace TemplateFixtures {

inline QString q(const char *s)
{
    return QString::fromUtf8(s);
}

// Little-endian bytes of a hand-built file.
class Bytes
{
public:
    Bytes &byte(int v)
    {
        m_data.append(char(v));
        return *this;
    }
    Bytes &word(int v) { return byte(v & 0xFF).byte((v >> 8) & 0xFF); }
    Bytes &int32(qint64 v) { return word(int(v & 0xFFFF)).word(int((v >> 16) & 0xFFFF)); }
    Bytes &raw(const QByteArray &bytes)
    {
        m_data.append(bytes);
        return *this;
    }
    // A zero-terminated text (versions before 23).
    Bytes &textz(const char *utf8) { return raw(Sjis::encode(q(utf8))).byte(0); }
    // A counted text (version 23).
    Bytes &text(const char *utf8)
    {
        const QByteArray bytes = Sjis::encode(q(utf8));
        return word(int(bytes.size())).raw(bytes).byte(0);
    }
    [[nodiscard]] const QByteArray &data() const { return m_data; }
    [[nodiscard]] qsizetype size() const { return m_data.size(); }

private:
    QByteArray m_data;
};

// An add-in with a one-byte field of its own, registered as "TrpTestAddin".
class TestAddin : public TrpView
{
public:
    [[nodiscard]] std::unique_ptr<TrpView> clone() const override
    {
        return std::unique_ptr<TrpView>(new TestAddin(*this));
    }
    [[nodiscard]] QString ClassName() const override { return QStringLiteral("TrpTestAddin"); }
    [[nodiscard]] QString BaseName() const override { return QStringLiteral("Test"); }
    void loadFromStream(TrpStreamReader &reader, TrpStreamMode mode) override;
    void saveToStream(TrpStreamWriter &writer, TrpStreamMode mode) const override;

    quint8 Kind = 0;

    TestAddin() = default;

private:
    TestAddin(const TestAddin &) = default;
};

void registerTestAddin();

// Two pages with a band, memos, a picture, a subreport, a line and an
// add-in, two named values and variables.
[[nodiscard]] TrpTemplate sampleTemplate();
[[nodiscard]] QByteArray saved(const TrpTemplate &report);

} // namespace TemplateFixtures
