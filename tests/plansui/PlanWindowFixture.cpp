#include "PlanWindowFixture.h"

#include "base/Clock.h"
#include "coreui/TCommentForm.h"
#include "coreui/TStringsForm.h"
#include "plansui/TGetCurePlanForm.h"
#include "plansui/TRihaPlanForm.h"
#include "platform/DbDataSet.h"
#include "platform/DbQuery.h"
#include "usersui/TUserSearchForm.h"

#include <QLineEdit>
#include <QPushButton>

void PlanWindowFixture::SetUp()
{
    DatabaseFixture::SetUp();
    if (IsSkipped() || HasFatalFailure())
        return;
    Clock::setFixed(QDateTime(QDate(2024, 5, 20), QTime(10, 0)));
    for (const char16_t *name : {u"山田　花子", u"佐藤　一郎"}) {
        DbQuery insert(db(), QStringLiteral("INSERT INTO Person (Name, Sex, Birth, RihaType, KubunCode, Jiritsu_KBN, "
                                            "Ninchi_KBN, YOUKAIGO_KBN, Disease1) VALUES (:name, 1, :birth, 2, 10, 3, "
                                            "2, 9, '脳梗塞')"));
        insert.bind(u"name", QString::fromUtf16(name)).bind(u"birth", DbDate{DateTime::encodeDate(1940, 4, 1)});
        ASSERT_TRUE(exec(insert));
    }
    m_context = std::make_unique<TestContext>(db());
    m_context->mainModule.LoginStaffName = QStringLiteral("佐藤　花子");
    m_comments = std::make_unique<TCommentForm>(m_context->context);
    m_context->publish(CommentForm, m_comments.get());
    m_search = std::make_unique<TUserSearchForm>(m_context->context);
    m_context->publish(UserSearchForm, m_search.get());
    m_picker = std::make_unique<TGetCurePlanForm>(m_context->context);
    m_context->publish(GetCurePlanForm, m_picker.get());
    m_strings = std::make_unique<TStringsForm>();
    m_context->publish(StringsForm, m_strings.get());
    m_form = std::make_unique<TRihaPlanForm>(m_context->context);
    m_form->show();
}

void PlanWindowFixture::TearDown()
{
    m_form.reset();
    m_strings.reset();
    m_picker.reset();
    m_search.reset();
    m_comments.reset();
    m_context.reset();
    Clock::reset();
    DatabaseFixture::TearDown();
}

void PlanWindowFixture::queuePicker(const QString &number)
{
    dialogs().queueDialog([number](QDialog *dialog) {
        auto *picker = static_cast<PlanChooserDialog *>(dialog);
        picker->CureNoEdit->setText(number);
        picker->ConfirmBtn->click();
        return picker->result();
    });
}

int PlanWindowFixture::planCount()
{
    DbDataSet rows;
    EXPECT_TRUE(rows.open(DbQuery(db(), QStringLiteral("SELECT PlanNo FROM RihaPlan"))));
    return rows.recordCount();
}
