#pragma once

#include <QAbstractTableModel>
#include <QColor>

#include <functional>
#include <vector>

class ResultRowsEditor;
struct CureResult;

// The rows of a results grid over the editor's rows. An edit is not written
// by the model: it is handed to the form (edited), which writes it through
// its logic and then calls refreshRow.
class ResultGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Column
    {
        QString field;
        QString title;
        int width = 50;
        std::function<QVariant(const CureResult &)> display;
        bool editable = false;
        int flag = -1; // one of the fourteen flags: a check box
    };

    ResultGridModel(const ResultRowsEditor &rows, std::vector<Column> columns, QObject *parent = nullptr);

    // The flag columns' cells take the colour of their category.
    void setFlagColours(bool coloured) { m_flagColours = coloured; }
    [[nodiscard]] const Column &column(int i) const { return m_columns[size_t(i)]; }

    // The editor's rows were read again.
    void reload();
    void refreshRow(int row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The columns of the fourteen flags in table order.
    [[nodiscard]] static std::vector<Column> flagColumns(int width, bool editable);
    // Planned start and minutes (read-only), then actual start and minutes
    // (editable), as the record windows show them.
    [[nodiscard]] static std::vector<Column> timeColumns();
    // The columns set on a view: titles, widths.
    void applyWidths(class QTableView *view) const;

signals:
    void edited(int row, int column, const QVariant &value);

private:
    const ResultRowsEditor &m_rows;
    std::vector<Column> m_columns;
    bool m_flagColours = false;
};
