#pragma once

#include "report/expr/TrpInterpretator.h"

class TrpBand;
class TrpPageBuilder;
class TrpReport;
class TrpView;

// The report's script interpreter. Names are the report variables first,
// then FREESPACE (the room left on the page), "Object.Property" of an
// object of the current page, a property of the current object, and
// otherwise whatever the report's lookup gives. NEWPAGE and NEWCOLUMN ask
// for a page or column break: from a band's script before the band is
// output, from an object's script after its band; other functions go to
// the report's function libraries.
class TInterpretator : public TrpInterpretator
{
public:
    explicit TInterpretator(TrpReport &report);

    void GetValue(const QString &name, Variant &value) override;
    void SetValue(const QString &name, const Variant &value) override;
    void DoFunction(const QString &name, const Variant &p1, const Variant &p2, const Variant &p3,
                    QString &val) override;

    TrpView *CurView = nullptr;
    TrpPageBuilder *CurPage = nullptr;
    TrpBand *CurBand = nullptr;

private:
    // The object of "Object.Property" on the current page, or null.
    [[nodiscard]] TrpView *namedObject(const QString &name, QString &property) const;

    TrpReport &m_report;
};
