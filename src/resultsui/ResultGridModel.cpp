#include "resultsui/ResultGridModel.h"

#include "results/ResultRowsEditor.h"

#include <QHeaderView>
#include <QTableView>

#include <array>

namespace {

// 短期集中, 認知症, 集団, 個別.
const QColor CategoryColours[] = {QColor(239, 239, 254), QColor(231, 254, 245), QColor(255, 250, 244),
                                  QColor(255, 232, 232)};

// The category headings under each form's heading.
constexpr std::array<QStringView, ResultTypeFlags::Count> CategoryTitles{
    u"入所\n短期", u"入所\n認知", u"入所\n集団", u"入所\n個別", u"短入\n短期", u"短入\n認知", u"短入\n集団",
    u"短入\n個別", u"通所\n短期", u"通所\n認知", u"通所\n集団", u"通所\n個別", u"訪問\n短期", u"訪問\n認短"};

} // namespace

ResultGridModel::ResultGridModel(const ResultRowsEditor &rows, std::vector<Column> columns, QObject *parent)
    : QAbstractTableModel(parent), m_rows(rows), m_columns(std::move(columns))
{}

void ResultGridModel::reload()
{
    beginResetModel();
    endResetModel();
}

void ResultGridModel::refreshRow(int row)
{
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

int ResultGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_rows.isOpen() ? 0 : m_rows.size();
}

int ResultGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant ResultGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Column &column = m_columns[size_t(index.column())];
    const CureResult &row = m_rows.at(index.row());
    if (column.flag >= 0) {
        if (role == Qt::CheckStateRole)
            return row.Flags[size_t(column.flag)] ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::BackgroundRole && m_flagColours)
            return CategoryColours[column.flag < 12 ? column.flag % 4 : column.flag - 12];
        return {};
    }
    if ((role == Qt::DisplayRole || role == Qt::EditRole) && column.display)
        return column.display(row);
    return {};
}

bool ResultGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || !(flags(index) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)))
        return false;
    const Column &column = m_columns[size_t(index.column())];
    if (column.flag >= 0 && role == Qt::CheckStateRole)
        emit edited(index.row(), index.column(), value.toInt() == Qt::Checked);
    else if (column.flag < 0 && role == Qt::EditRole)
        emit edited(index.row(), index.column(), value);
    else
        return false;
    return true;
}

Qt::ItemFlags ResultGridModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const Column &column = m_columns[size_t(index.column())];
    if (column.editable)
        flags |= column.flag >= 0 ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable;
    return flags;
}

std::vector<ResultGridModel::Column> ResultGridModel::flagColumns(int width, bool editable)
{
    std::vector<Column> columns;
    for (int i = 0; i < ResultTypeFlags::Count; ++i)
        columns.push_back({ResultTypeFlags::Columns[size_t(i)].toString(),
                           CategoryTitles[size_t(i)].toString(),
                           width,
                           {},
                           editable,
                           i});
    return columns;
}

std::vector<ResultGridModel::Column> ResultGridModel::timeColumns()
{
    return {{QStringLiteral("PStartTime"), QStringLiteral("計画\n開始時刻"), 57,
             [](const CureResult &r) {
                 return DateTime::shortTime(r.PStartTime);
             }},
            {QStringLiteral("PMinute"), QStringLiteral("計画\n計画時間"), 56,
             [](const CureResult &r) {
                 return r.PMinute;
             }},
            {QStringLiteral("RStartTime"), QStringLiteral("実績\n開始時刻"), 57,
             [](const CureResult &r) { return DateTime::shortTime(r.RStartTime); }, true},
            {QStringLiteral("RMinute"), QStringLiteral("実績\n実施時間"), 56,
             [](const CureResult &r) { return r.RMinute; }, true}};
}

QVariant ResultGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < columnCount())
        return m_columns[size_t(section)].title;
    return QAbstractTableModel::headerData(section, orientation, role);
}

void ResultGridModel::applyWidths(QTableView *view) const
{
    for (int i = 0; i < columnCount(); ++i)
        view->setColumnWidth(i, m_columns[size_t(i)].width);
}
