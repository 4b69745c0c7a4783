#include "BuildFixture.h"

#include "report/pages/TrpEMFPage.h"

BuildFixture::BuildFixture()
{
    form.setObjectName(QStringLiteral("TestForm"));
    report.setObjectName(QStringLiteral("rpReport1"));
    report.setPrinter(printer);
}

TrpPage &BuildFixture::page(int index)
{
    while (report.Pages().Count() <= index) {
        TrpPage &added = report.Pages().Add();
        added.UseMargins = true;
        added.applyPaper(printer);
    }
    return report.Pages()[index];
}

TrpBandView &BuildFixture::band(int type, int top, int height, const QString &source, quint16 flags, int pageIndex)
{
    auto view = std::make_unique<TrpBandView>();
    view->FrameTyp = quint16(type);
    view->Top = top;
    view->Height = height;
    view->Width = 700;
    view->FormatStr = source;
    view->Flags = flags;
    view->Name = QStringLiteral("Band%1").arg(page(pageIndex).Objects.size() + 1);
    TrpBandView &out = *view;
    addObject(std::move(view), pageIndex);
    return out;
}

TrpMemoView &BuildFixture::memo(int left, int top, const QString &text, int width, int height, int pageIndex)
{
    auto view = std::make_unique<TrpMemoView>();
    view->Left = left;
    view->Top = top;
    view->Width = width;
    view->Height = height;
    view->Flags = 0;
    view->Memo = QStringList{text};
    view->Name = QStringLiteral("Memo%1").arg(page(pageIndex).Objects.size() + 1);
    TrpMemoView &out = *view;
    addObject(std::move(view), pageIndex);
    return out;
}

void BuildFixture::addObject(std::unique_ptr<TrpView> view, int pageIndex)
{
    page(pageIndex).Objects.push_back(std::move(view));
}

bool BuildFixture::build(bool expectError)
{
    const bool prepared = report.PrepareReport();
    EXPECT_EQ(report.hasError(), expectError) << report.ErrorText().toStdString() << " / "
                                              << report.ErrorCause().message.toStdString();
    return prepared;
}

std::vector<BuildFixture::Output> BuildFixture::output(int pageIndex)
{
    std::vector<Output> out;
    if (pageIndex >= pageCount()) {
        ADD_FAILURE() << "no page " << pageIndex + 1;
        return out;
    }
    for (const std::unique_ptr<TrpView> &view : report.EMFPages()[pageIndex].objects())
        out.push_back({view->ExpandedMemo.join(QLatin1Char('\n')), QRect(view->Left, view->Top, view->Width, view->Height),
                       view->ClassName()});
    return out;
}

QStringList BuildFixture::texts(int pageIndex)
{
    QStringList out;
    for (const Output &item : output(pageIndex))
        out.append(item.text);
    return out;
}

QString BuildFixture::allTexts()
{
    QStringList pages;
    for (int i = 0; i < pageCount(); ++i)
        pages.append(texts(i).join(QLatin1Char(',')));
    return pages.join(QLatin1Char('|'));
}

QRect BuildFixture::rectOf(int pageIndex, const QString &text)
{
    for (const Output &item : output(pageIndex)) {
        if (item.text == text)
            return item.rect;
    }
    ADD_FAILURE() << "no output " << text.toStdString() << " on page " << pageIndex + 1;
    return {};
}
