#pragma once

#include <QStringList>
#include <QStyledItemDelegate>

#include <functional>
#include <map>

// The editors of the results grids, per column: a drop-down list (the
// chosen index is handed on), a stock-phrase box for the remark, a time "hh:nn" or a
// whole number (the text is handed on; the form checks it).
class ResultCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    enum class Kind { List, Phrases, Time, Number };
    struct Editor
    {
        Kind kind;
        QString objectName;
        std::function<QStringList()> items; // List and Phrases
    };

    explicit ResultCellDelegate(QObject *parent = nullptr) : QStyledItemDelegate(parent) {}
    void setEditor(int column, Editor editor) { m_editors[column] = std::move(editor); }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

signals:
    // A double click in a phrase box: the form opens the phrase editor.
    void phrasesRequested();

private:
    std::map<int, Editor> m_editors;
};
