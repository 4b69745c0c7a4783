#pragma once

#include "scheduling/BookingUser.h"

#include <QAbstractTableModel>

#include <vector>

// The users a board offers: name and category letters; a row dragged
// carries the user as a booking payload.
class DragPersonModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setUsers(std::vector<BookingUser> users);
    [[nodiscard]] const BookingUser *user(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;

private:
    std::vector<BookingUser> m_users;
};
