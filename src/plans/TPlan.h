#pragma once

#include "base/DateTime.h"
#include "plans/TPlanData.h"

#include <QString>

#include <array>
#include <optional>

class DbDataSet;
struct TPerson;

// A treatment plan: the header that mirrors the columns of RihaPlan and the
// body stored as its PlanData blob.
struct TPlan
{
    qint32 PlanNo = 0; // 0 until stored
    qint32 CureNo = 0;
    TDateTime PlanRegistDay = DateTime::None;
    TDateTime PlanEndDay = DateTime::None;
    QString Name;
    qint32 Sex = 0;
    TDateTime Birth = DateTime::None;
    qint32 RihaType = 0;
    qint32 KubunCode = 0;
    qint32 Jiritsu_KBN = 0;
    qint32 Ninchi_KBN = 0;
    qint32 YOUKAIGO_KBN = 0;
    // Disease1..Disease6, at most DiseaseBytes bytes of Shift-JIS each.
    std::array<QString, 6> Disease;
    QString Creator;
    TDateTime CreateDay = DateTime::None;
    QString Updator;
    TDateTime UpdateDay = DateTime::None;
    TPlanData Body;

    static constexpr qsizetype DiseaseBytes = 50;
    // In characters, as the column holds them.
    static constexpr qsizetype CreatorLength = 30;

    // The user's header of a new plan: number, name, sex, birth, form,
    // categories, degrees and diseases (cut to DiseaseBytes); PlanNo 0.
    void setUser(const TPerson &person);

    // The plan of the data set's current row, with the body read from its
    // PlanData (PlanStore::body).
    [[nodiscard]] static TPlan fromRow(const DbDataSet &row, TPlanData body);
    // Writes every column but PlanNo into the row being appended. Creator
    // is the staff member storing it (cut to CreatorLength characters),
    // CreateDay and UpdateDay the day it is stored, Updator empty.
    void writeTo(DbDataSet &row, const QString &creator, TDateTime today) const;

    friend bool operator==(const TPlan &, const TPlan &) = default;
};
