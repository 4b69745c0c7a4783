#include "base/Variant.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using Status = Variant::Status;
using Type = Variant::Type;

Variant text(const char *s)
{
    return Variant(QString::fromUtf8(s));
}

TEST(Variant, AdditionJoinsTextsAndAddsNumbers)
{
    Variant r;
    ASSERT_EQ(Variant::add(text("ab"), text("cd"), r), Status::Ok);
    EXPECT_EQ(r, text("abcd"));
    ASSERT_EQ(Variant::add(Variant(), text("x"), r), Status::Ok);
    EXPECT_EQ(r, text("x"));
    ASSERT_EQ(Variant::add(Variant(2), Variant(3), r), Status::Ok);
    EXPECT_EQ(r, Variant(qint64(5)));
    ASSERT_EQ(Variant::add(text("2"), Variant(3), r), Status::Ok);
    EXPECT_EQ(r, Variant(5.0));
    ASSERT_EQ(Variant::add(Variant(true), Variant(1), r), Status::Ok);
    EXPECT_EQ(r, Variant(qint64(0))) << "True counts as -1";
    ASSERT_EQ(Variant::add(Variant::null(), Variant(1), r), Status::Ok);
    EXPECT_TRUE(r.isNull());
    EXPECT_EQ(Variant::add(text("abc"), Variant(1), r), Status::NotANumber);
}

TEST(Variant, IntegerOverflowBecomesDouble)
{
    const qint64 max = std::numeric_limits<qint64>::max();
    Variant r;
    ASSERT_EQ(Variant::add(Variant(max), Variant(1), r), Status::Ok);
    EXPECT_EQ(r.type(), Type::Double);
    ASSERT_EQ(Variant::multiply(Variant(max), Variant(2), r), Status::Ok);
    EXPECT_EQ(r.type(), Type::Double);
    ASSERT_EQ(Variant::negate(Variant(std::numeric_limits<qint64>::min()), r), Status::Ok);
    EXPECT_EQ(r.type(), Type::Double);
}

TEST(Variant, DatesStayDatesWhenMovedByNumbers)
{
    const Variant day = Variant::dateTime(DateTime::encodeDate(2024, 2, 28));
    Variant r;
    ASSERT_EQ(Variant::add(day, Variant(2), r), Status::Ok);
    EXPECT_EQ(r.type(), Type::Date);
    EXPECT_EQ(r.toText(), QLatin1String("2024/03/01"));
    ASSERT_EQ(Variant::subtract(r, day, r), Status::Ok);
    EXPECT_EQ(r, Variant(2.0));
    EXPECT_EQ(Variant::dateTime(DateTime::encodeTime(9, 5, 7)).toText(), QLatin1String("9:05:07"));
    EXPECT_EQ(Variant::dateTime(DateTime::encodeDate(2024, 1, 2) + DateTime::encodeTime(13, 0)).toText(),
              QLatin1String("2024/01/02 13:00:00"));
}

TEST(Variant, ModulusRoundsAndRefusesZero)
{
    Variant r;
    ASSERT_EQ(Variant::modulo(Variant(7), Variant(3), r), Status::Ok);
    EXPECT_EQ(r, Variant(qint64(1)));
    ASSERT_EQ(Variant::modulo(Variant(-7), Variant(3), r), Status::Ok);
    EXPECT_EQ(r, Variant(qint64(-1)));
    ASSERT_EQ(Variant::modulo(Variant(7.5), Variant(3), r), Status::Ok);
    EXPECT_EQ(r, Variant(qint64(2))) << "7.5 rounds to 8";
    ASSERT_EQ(Variant::modulo(Variant(std::numeric_limits<qint64>::min()), Variant(-1), r), Status::Ok);
    EXPECT_EQ(r, Variant(qint64(0)));
    EXPECT_EQ(Variant::modulo(Variant(7), Variant(0), r), Status::DivisionByZero);
    EXPECT_EQ(Variant::modulo(Variant(7), Variant(0.4), r), Status::DivisionByZero);
    EXPECT_EQ(Variant::modulo(Variant(1e30), Variant(7), r), Status::Overflow);
    EXPECT_EQ(Variant::divide(Variant(1), Variant(0), r), Status::DivisionByZero);
}

TEST(Variant, ComparesTextsAsTextsAndTheRestAsNumbers)
{
    int order = 99;
    ASSERT_EQ(Variant::compare(text("abc"), text("abd"), order), Status::Ok);
    EXPECT_LT(order, 0);
    ASSERT_EQ(Variant::compare(Variant(), text(""), order), Status::Ok);
    EXPECT_EQ(order, 0);
    ASSERT_EQ(Variant::compare(text("10"), Variant(9), order), Status::Ok);
    EXPECT_GT(order, 0) << "as numbers, not as texts";
    ASSERT_EQ(Variant::compare(Variant(), Variant(0), order), Status::Ok);
    EXPECT_EQ(order, 0);
    ASSERT_EQ(Variant::compare(Variant::null(), Variant::null(), order), Status::Ok);
    EXPECT_EQ(order, 0);
    ASSERT_EQ(Variant::compare(Variant::null(), Variant(-5), order), Status::Ok);
    EXPECT_LT(order, 0);
    ASSERT_EQ(Variant::compare(Variant::dateTime(DateTime::encodeDate(2020, 1, 15)), text("2020/1/15"), order),
              Status::Ok);
    EXPECT_EQ(order, 0);
    EXPECT_EQ(Variant::compare(text("x"), Variant(1), order), Status::NotANumber);
    EXPECT_EQ(Variant::compare(text("x"), Variant::dateTime(1), order), Status::NotADate);
}

TEST(Variant, TextForms)
{
    EXPECT_EQ(Variant().toText(), QString());
    EXPECT_EQ(Variant::null().toText(), QString());
    EXPECT_EQ(Variant(qint64(-12)).toText(), QLatin1String("-12"));
    EXPECT_EQ(Variant(0.5).toText(), QLatin1String("0.5"));
    EXPECT_EQ(Variant(true).toText(), QLatin1String("True"));
    EXPECT_EQ(Variant::timeFromText(u"10:30"), DateTime::encodeTime(10, 30));
    EXPECT_FALSE(Variant::timeFromText(u"24:00"));
    EXPECT_FALSE(Variant::timeFromText(u"10"));
    EXPECT_EQ(text("12:00").toDateTime(), 0.5);
}

} // namespace
