#include "scheduling/BookingPayload.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QMimeData>

namespace BookingPayload {

std::unique_ptr<QMimeData> encode(const BookingUser &user)
{
    const QJsonObject object{
        {QStringLiteral("CureNo"), user.CureNo},         {QStringLiteral("NyushoDate"), user.NyushoDate},
        {QStringLiteral("TaishoDate"), user.TaishoDate}, {QStringLiteral("RihaType"), user.RihaType},
        {QStringLiteral("KubunCode"), user.KubunCode},   {QStringLiteral("Name"), user.Name}};
    auto data = std::make_unique<QMimeData>();
    data->setData(QString::fromLatin1(MimeType), QJsonDocument(object).toJson(QJsonDocument::Compact));
    return data;
}

std::optional<BookingUser> decode(const QMimeData *data)
{
    const QString type = QString::fromLatin1(MimeType);
    if (!data || !data->hasFormat(type))
        return std::nullopt;
    const QJsonDocument document = QJsonDocument::fromJson(data->data(type));
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    for (const char *key : {"CureNo", "NyushoDate", "TaishoDate", "RihaType", "KubunCode"})
        if (!object.value(QLatin1String(key)).isDouble())
            return std::nullopt;
    if (!object.value(QLatin1String("Name")).isString())
        return std::nullopt;
    BookingUser user;
    user.CureNo = object.value(QLatin1String("CureNo")).toInt();
    user.NyushoDate = object.value(QLatin1String("NyushoDate")).toDouble();
    user.TaishoDate = object.value(QLatin1String("TaishoDate")).toDouble();
    user.RihaType = object.value(QLatin1String("RihaType")).toInt();
    user.KubunCode = object.value(QLatin1String("KubunCode")).toInt();
    user.Name = object.value(QLatin1String("Name")).toString();
    if (user.CureNo <= 0)
        return std::nullopt;
    return user;
}

} // namespace BookingPayload
