#include "users/TPerson.h"

#include "base/Sjis.h"
#include "platform/DbDataSet.h"

#include <array>

namespace {

// Columns by kind, each in the order the row is written.
struct TextColumn
{
    QStringView name;
    QString TPerson::*field;
};
struct IntColumn
{
    QStringView name;
    qint32 TPerson::*field;
};
struct DateColumn
{
    QStringView name;
    TDateTime TPerson::*field;
};

const std::array<TextColumn, 6> Diseases{{{u"Disease1", &TPerson::Disease1},
                                          {u"Disease2", &TPerson::Disease2},
                                          {u"Disease3", &TPerson::Disease3},
                                          {u"Disease4", &TPerson::Disease4},
                                          {u"Disease5", &TPerson::Disease5},
                                          {u"Disease6", &TPerson::Disease6}}};

const std::array<DateColumn, 7> Reserves{{{u"Reserve01", &TPerson::Reserve01},
                                          {u"Reserve02", &TPerson::Reserve02},
                                          {u"Reserve03", &TPerson::Reserve03},
                                          {u"Reserve04", &TPerson::Reserve04},
                                          {u"Reserve05", &TPerson::Reserve05},
                                          {u"Reserve06", &TPerson::Reserve06},
                                          {u"Reserve07", &TPerson::Reserve07}}};

const std::array<IntColumn, 7> Funns{{{u"Funn01", &TPerson::Funn01},
                                      {u"Funn02", &TPerson::Funn02},
                                      {u"Funn03", &TPerson::Funn03},
                                      {u"Funn04", &TPerson::Funn04},
                                      {u"Funn05", &TPerson::Funn05},
                                      {u"Funn06", &TPerson::Funn06},
                                      {u"Funn07", &TPerson::Funn07}}};

} // namespace

QString TPerson::cutDisease(QStringView text)
{
    return Sjis::cut(text, DiseaseBytes);
}

TPerson TPerson::fromRow(const DbDataSet &row)
{
    const auto text = [&row](QStringView name) {
        return row.field(name).asString();
    };
    const auto integer = [&row](QStringView name) {
        return row.field(name).asInteger();
    };
    const auto date = [&row](QStringView name) {
        return row.field(name).asDateTime();
    };

    TPerson person;
    person.CureNo = integer(u"CureNo");
    person.Name = text(u"Name");
    person.Kana = text(u"Kana");
    person.Sex = integer(u"Sex");
    person.Birth = date(u"Birth");
    person.YoubinNo = text(u"YoubinNo");
    person.Address = text(u"Address");
    person.TelNo = text(u"TelNo");
    person.FaxNo = text(u"FaxNo");
    person.EMail = text(u"EMail");
    person.distinctive = text(u"distinctive");
    person.HinorikuUserNo = integer(u"HinorikuUserNo");
    person.RihaType = integer(u"RihaType");
    person.KubunCode = integer(u"KubunCode");
    person.KubunDate = date(u"KubunDate");
    person.ROOM_NO = text(u"ROOM_NO");
    person.Jiritsu_KBN = integer(u"Jiritsu_KBN");
    person.Ninchi_KBN = integer(u"Ninchi_KBN");
    person.YOUKAIGO_KBN = integer(u"YOUKAIGO_KBN");
    person.HP_TAISHO_YMD = date(u"HP_TAISHO_YMD");
    person.NYUSHOBI_YMD = date(u"NYUSHOBI_YMD");
    person.TAISHOBI_YMD = date(u"TAISHOBI_YMD");
    for (const TextColumn &disease : Diseases)
        person.*disease.field = cutDisease(text(disease.name));
    return person;
}

void TPerson::writeTo(DbDataSet &row, Wishes wishes) const
{
    const auto date = [](TDateTime value) {
        return DbValue(DbDate{value});
    };

    row.setValue(u"Name", Name);
    row.setValue(u"Kana", Kana);
    row.setValue(u"Sex", Sex);
    row.setValue(u"Birth", date(Birth));
    row.setValue(u"YoubinNo", YoubinNo);
    row.setValue(u"Address", Address);
    row.setValue(u"TelNo", TelNo);
    row.setValue(u"FaxNo", FaxNo);
    row.setValue(u"EMail", EMail);
    row.setValue(u"distinctive", distinctive);
    row.setValue(u"HinorikuUserNo", HinorikuUserNo);
    row.setValue(u"RihaType", RihaType);
    row.setValue(u"KubunCode", KubunCode);
    row.setValue(u"KubunDate", date(KubunDate));
    row.setValue(u"ROOM_NO", ROOM_NO);
    row.setValue(u"Jiritsu_KBN", Jiritsu_KBN);
    row.setValue(u"Ninchi_KBN", Ninchi_KBN);
    row.setValue(u"YOUKAIGO_KBN", YOUKAIGO_KBN);
    row.setValue(u"HP_TAISHO_YMD", date(HP_TAISHO_YMD));
    row.setValue(u"NYUSHOBI_YMD", date(NYUSHOBI_YMD));
    row.setValue(u"TAISHOBI_YMD", date(TAISHOBI_YMD));
    for (const TextColumn &disease : Diseases)
        row.setValue(disease.name, cutDisease(this->*disease.field));
    if (wishes == Wishes::KeepStored)
        return;
    for (const DateColumn &reserve : Reserves)
        row.setValue(reserve.name, date(this->*reserve.field));
    for (const IntColumn &funn : Funns)
        row.setValue(funn.name, this->*funn.field);
}
