#include "report/building/TrpViewProperties.h"

#include "report/expr/TrpExpander.h"
#include "report/objects/TrpMemoView.h"

#include <cmath>

namespace TrpViewProperties {

namespace {

enum Property {
    pLeft,
    pTop,
    pWidth,
    pHeight,
    pFlags,
    pVisible,
    pFrameTyp,
    pFrameWidth,
    pFrameColor,
    pFillColor,
    pText,
    pFontName,
    pFontSize,
    pFontStyle,
    pFontColor,
    pAdjust,
    pNone
};

Property propertyOf(const QString &name)
{
    static const char *const names[] = {"Left",      "Top",        "Width",      "Height",    "Flags",    "Visible",
                                        "FrameTyp",  "FrameWidth", "FrameColor", "FillColor", "Text",     "FontName",
                                        "FontSize",  "FontStyle",  "FontColor",  "Adjust"};
    for (int i = 0; i < pNone; ++i) {
        if (name.compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0)
            return Property(i);
    }
    return pNone;
}

std::optional<qint64> integerOf(const Variant &value)
{
    const std::optional<double> number = value.isEmpty() ? std::optional<double>(0) : value.toDouble();
    if (!number || !std::isfinite(*number) || std::fabs(*number) > 9e15)
        return std::nullopt;
    return qint64(std::llround(*number));
}

} // namespace

bool isProperty(const QString &name)
{
    return propertyOf(name) != pNone;
}

std::optional<Variant> read(const TrpView &view, const QString &name)
{
    const auto *memo = dynamic_cast<const TrpMemoView *>(&view);
    switch (propertyOf(name)) {
    case pLeft:
        return Variant(view.Left);
    case pTop:
        return Variant(view.Top);
    case pWidth:
        return Variant(view.Width);
    case pHeight:
        return Variant(view.Height);
    case pFlags:
        return Variant(int(view.Flags));
    case pVisible:
        return Variant(view.Visible ? 1 : 0);
    case pFrameTyp:
        return Variant(int(view.FrameTyp));
    case pFrameWidth:
        return Variant(double(view.FrameWidth));
    case pFrameColor:
        return Variant(qint64(view.FrameColor));
    case pFillColor:
        return Variant(qint64(view.FillColor));
    case pText:
        return Variant(view.Memo.join(QStringLiteral("\r\n")));
    case pFontName:
        return memo ? std::optional(Variant(memo->Font.Name)) : std::nullopt;
    case pFontSize:
        return memo ? std::optional(Variant(memo->Font.Size)) : std::nullopt;
    case pFontStyle:
        return memo ? std::optional(Variant(int(memo->Font.Style))) : std::nullopt;
    case pFontColor:
        return memo ? std::optional(Variant(qint64(memo->Font.Color))) : std::nullopt;
    case pAdjust:
        return memo ? std::optional(Variant(memo->Adjust)) : std::nullopt;
    case pNone:
        break;
    }
    return std::nullopt;
}

bool write(TrpView &view, const QString &name, const Variant &value)
{
    auto *memo = dynamic_cast<TrpMemoView *>(&view);
    const Property property = propertyOf(name);
    if (property == pText) {
        view.Memo = TrpExpander::splitLines(value.toText());
        view.ExpandedMemo = view.Memo;
        return true;
    }
    if (property == pFontName) {
        if (memo)
            memo->Font.Name = value.toText();
        return memo != nullptr;
    }
    if (property == pFrameWidth) {
        const std::optional<double> width = value.isEmpty() ? std::optional<double>(0) : value.toDouble();
        if (!width || !std::isfinite(*width))
            return false;
        view.FrameWidth = float(std::clamp(*width, 0.0, 1000.0));
        return true;
    }
    const std::optional<qint64> number = integerOf(value);
    if (!number || property == pNone)
        return false;
    const auto i32 = qint32(std::clamp<qint64>(*number, INT32_MIN, INT32_MAX));
    switch (property) {
    case pLeft:
        view.Left = i32;
        return true;
    case pTop:
        view.Top = i32;
        return true;
    case pWidth:
        view.Width = i32;
        return true;
    case pHeight:
        view.Height = i32;
        return true;
    case pFlags:
        view.Flags = quint16(*number);
        return true;
    case pVisible:
        view.Visible = *number != 0;
        return true;
    case pFrameTyp:
        view.FrameTyp = quint16(*number);
        return true;
    case pFrameColor:
        view.FrameColor = quint32(*number);
        return true;
    case pFillColor:
        view.FillColor = quint32(*number);
        return true;
    default:
        break;
    }
    if (!memo)
        return false;
    if (property == pFontSize)
        memo->Font.Size = i32;
    else if (property == pFontStyle)
        memo->Font.Style = quint16(*number & 7);
    else if (property == pFontColor)
        memo->Font.Color = quint32(*number);
    else
        memo->Adjust = i32;
    return true;
}

} // namespace TrpViewProperties
