#include "schedulingui/DragPersonModel.h"

#include "core/TKubun.h"
#include "scheduling/BookingPayload.h"

#include <QMimeData>

void DragPersonModel::setUsers(std::vector<BookingUser> users)
{
    beginResetModel();
    m_users = std::move(users);
    endResetModel();
}

const BookingUser *DragPersonModel::user(int row) const
{
    return row >= 0 && row < int(m_users.size()) ? &m_users[std::size_t(row)] : nullptr;
}

int DragPersonModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_users.size());
}

int DragPersonModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant DragPersonModel::data(const QModelIndex &index, int role) const
{
    const BookingUser *row = user(index.row());
    if (!row || role != Qt::DisplayRole)
        return {};
    if (index.column() == 0)
        return row->Name;
    TKubun kubun;
    kubun.SetCode(row->KubunCode);
    return kubun.ShortText();
}

QVariant DragPersonModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == 0 ? QStringLiteral("氏名") : QStringLiteral("区分");
}

Qt::ItemFlags DragPersonModel::flags(const QModelIndex &index) const
{
    return QAbstractTableModel::flags(index) | Qt::ItemIsDragEnabled;
}

QStringList DragPersonModel::mimeTypes() const
{
    return {QString::fromLatin1(BookingPayload::MimeType)};
}

QMimeData *DragPersonModel::mimeData(const QModelIndexList &indexes) const
{
    if (indexes.isEmpty() || !user(indexes.first().row()))
        return nullptr;
    return BookingPayload::encode(*user(indexes.first().row())).release();
}
