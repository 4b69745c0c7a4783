#pragma once

#include <QDialog>
#include <QStringList>

#include <vector>

class PhraseComboBox;
class QPushButton;

// Lists of the stock phrases of one group; the caller sets ProgramName and
// CommentCode, shows it modally and, when accepted, takes texts(). The
// phrase picker of the plan memos has six lists; the cell pickers of the
// practice plan ("使用用具", "介護内容") have three.
class TStringsForm : public QDialog
{
    Q_OBJECT

public:
    struct Layout
    {
        QString formName;
        int boxes;
        QString boxName; // the lists are boxName1, boxName2, ...
        QString caption;
        QString okCaption;
        QString programName;
    };

    // The practice plan's cell pickers: three lists of the program "Goods"
    // or "Kaigo", code 0.
    [[nodiscard]] static Layout goodsLayout();
    [[nodiscard]] static Layout kaigoLayout();

    // The six-list phrase picker ("記入").
    explicit TStringsForm(QWidget *parent = nullptr);
    explicit TStringsForm(const Layout &layout, QWidget *parent = nullptr);

    // Shows StringsForm for the group and puts the texts chosen on the
    // clipboard, one per line; false when cancelled.
    static bool CopyPhrases(const QString &programName, int code);

    // The non-empty texts of the lists, in list order.
    [[nodiscard]] QStringList texts() const;

    QString ProgramName;
    qint32 CommentCode = 0;

    std::vector<PhraseComboBox *> TextBox;
    QPushButton *CopyBtn = nullptr;
    QPushButton *CancelBtn = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fillLists();
};

extern TStringsForm *StringsForm;
// The cell pickers of the practice plan's equipment and care content.
extern TStringsForm *GoodsForm;
extern TStringsForm *KaigoForm;
