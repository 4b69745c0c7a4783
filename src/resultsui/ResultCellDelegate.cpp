#include "resultsui/ResultCellDelegate.h"

#include "coreui/PhraseCellBox.h"
#include "platform/CharacterLimitValidator.h"
#include "results/CureResult.h"

#include <QComboBox>
#include <QIntValidator>
#include <QLineEdit>

QWidget *ResultCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                          const QModelIndex &index) const
{
    const auto found = m_editors.find(index.column());
    if (found == m_editors.end())
        return QStyledItemDelegate::createEditor(parent, option, index);
    const Editor &spec = found->second;
    QWidget *editor = nullptr;
    switch (spec.kind) {
    case Kind::List: {
        auto *box = new QComboBox(parent);
        box->addItems(spec.items());
        editor = box;
        break;
    }
    case Kind::Phrases: {
        auto *box = new PhraseCellBox(parent, index, spec.items);
        // The remark column holds 255 characters; a longer one would fail to store.
        box->setValidator(new CharacterLimitValidator(CureResult::CommentLimit, box));
        connect(box, &PhraseCellBox::phrasesRequested, this, &ResultCellDelegate::phrasesRequested);
        editor = box;
        break;
    }
    case Kind::Time: {
        auto *edit = new QLineEdit(parent);
        edit->setInputMask(QStringLiteral("99:99;_"));
        editor = edit;
        break;
    }
    case Kind::Number: {
        auto *edit = new QLineEdit(parent);
        edit->setValidator(new QIntValidator(-99999, 99999, edit));
        editor = edit;
        break;
    }
    }
    if (!spec.objectName.isEmpty())
        editor->setObjectName(spec.objectName);
    return editor;
}

void ResultCellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    const QString text = index.data(Qt::EditRole).toString();
    if (auto *box = qobject_cast<QComboBox *>(editor)) {
        if (box->isEditable())
            box->setCurrentText(text);
        else
            box->setCurrentIndex(box->findText(text));
    } else if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        edit->setText(text);
    }
}

void ResultCellDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (auto *box = qobject_cast<QComboBox *>(editor)) {
        if (box->isEditable())
            model->setData(index, box->currentText(), Qt::EditRole);
        else if (box->currentIndex() >= 0)
            model->setData(index, box->currentIndex(), Qt::EditRole);
    } else if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        model->setData(index, edit->text(), Qt::EditRole);
    }
}
