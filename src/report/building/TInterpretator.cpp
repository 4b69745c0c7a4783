#include "report/building/TInterpretator.h"

#include "report/building/TrpBand.h"
#include "report/building/TrpBuild.h"
#include "report/building/TrpPageBuilder.h"
#include "report/building/TrpReport.h"
#include "report/building/TrpViewProperties.h"
#include "report/objects/TrpBandView.h"
#include "report/objects/TrpView.h"
#include "report/pages/TrpPage.h"

TInterpretator::TInterpretator(TrpReport &report) : m_report(report) {}

TrpView *TInterpretator::namedObject(const QString &name, QString &property) const
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0 || !CurPage)
        return nullptr;
    property = name.mid(dot + 1);
    if (!TrpViewProperties::isProperty(property))
        return nullptr;
    const QStringView objectName = QStringView(name).left(dot);
    for (const std::unique_ptr<TrpView> &view : CurPage->templatePage().Objects) {
        if (view->Name.compare(objectName, Qt::CaseInsensitive) == 0)
            return view.get();
    }
    return nullptr;
}

void TInterpretator::GetValue(const QString &name, Variant &value)
{
    if (m_report.Variables().IndexOf(name) >= 0) {
        value = m_report.Variables().GetVariable(name);
        return;
    }
    if (name.compare(QLatin1String("FREESPACE"), Qt::CaseInsensitive) == 0 && CurPage) {
        value = Variant(QString::number(qint64(CurPage->bottomLimit) - CurPage->curY));
        return;
    }
    QString property;
    if (TrpView *view = namedObject(name, property)) {
        value = TrpViewProperties::read(*view, property).value_or(Variant());
        return;
    }
    if (CurView && TrpViewProperties::isProperty(name)) {
        if (const std::optional<Variant> own = TrpViewProperties::read(*CurView, name)) {
            value = *own;
            return;
        }
    }
    const std::optional<Variant> found = m_report.GetVariableValue(name);
    if (!found) {
        fail(m_report.LookupError());
        return;
    }
    value = *found;
}

void TInterpretator::SetValue(const QString &name, const Variant &value)
{
    QString property;
    TrpView *view = namedObject(name, property);
    if (!view && CurView && TrpViewProperties::isProperty(name) && m_report.Variables().IndexOf(name) < 0) {
        view = CurView;
        property = name;
    }
    if (!view) {
        m_report.Variables().SetVariable(name, value);
        return;
    }
    if (!TrpViewProperties::write(*view, property, value))
        fail({TrpError::Kind::Conversion,
              QStringLiteral("Cannot set %1 of %2 to '%3'").arg(property, view->Name, value.toText()), -1});
}

void TInterpretator::DoFunction(const QString &name, const Variant &p1, const Variant &p2, const Variant &p3,
                                QString &val)
{
    TrpBuild *build = m_report.build();
    if (name == QLatin1String("NEWPAGE") || name == QLatin1String("NEWCOLUMN")) {
        const bool page = name == QLatin1String("NEWPAGE");
        if (CurBand && CurView != &CurBand->view)
            (page ? CurBand->objectNewPage : CurBand->objectNewColumn) = true;
        else if (build)
            (page ? build->newPageRequested : build->newColumnRequested) = true;
        val = QStringLiteral("0");
        return;
    }
    if (!m_report.dispatchFunction(name, p1, p2, p3, val))
        fail(m_report.functionError());
}
