#pragma once

#include "report/objects/TrpView.h"

// A placeholder that prints another template page (SubPage) inside its
// band. It draws only in a designer.
class TrpSubReportView : public TrpView
{
public:
    TrpSubReportView();

    [[nodiscard]] std::unique_ptr<TrpView> clone() const override;
    [[nodiscard]] QString ClassName() const override;
    [[nodiscard]] QString BaseName() const override;

    void loadFromStream(TrpStreamReader &reader, TrpStreamMode mode) override;
    void saveToStream(TrpStreamWriter &writer, TrpStreamMode mode) const override;
    void writeText(TrpTextFieldWriter &out) const override;
    bool readText(const TrpTextLine &line, QByteArray &gathered, QString &error, bool &known) override;

    qint32 SubPage = 0;

private:
    TrpSubReportView(const TrpSubReportView &) = default;
};
