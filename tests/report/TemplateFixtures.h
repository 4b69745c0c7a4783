#pragma once

#include "LeBytes.h"

#include "report/files/TrpTemplate.h"
#include "report/objects/TrpView.h"

#include <QByteArray>
#include <QString>

// Shared by the template tests: a registered add-in class and a template
// that uses every kind of object (files byte by byte: LeBytes).
namespace TemplateFixtures {

inline QString q(const char *s)
{
    return QString::fromUtf8(s);
}

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
