#include "users/PartnerUser.h"

#include "platform/DbRecord.h"

PartnerUser PartnerUser::fromRecord(const DbRecord &record)
{
    PartnerUser user;
    user.Sid = record.value(u"Sid").asInteger();
    user.Jname = record.value(u"Jname").asString();
    user.Kname = record.value(u"Kname").asString();
    user.female = record.value(u"Sex").asBoolean();
    user.Birth = record.value(u"Birth").asDateTime();
    user.Mail = record.value(u"Mail").asString();
    user.ChikuCode = record.value(u"ChikuCode").asString();
    user.MatiCode = record.value(u"MatiCode").asString();
    user.Add = record.value(u"Add").asString();
    user.Tel = record.value(u"Tel").asString();
    user.Fax = record.value(u"Fax").asString();
    return user;
}
