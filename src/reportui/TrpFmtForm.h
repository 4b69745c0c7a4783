#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLineEdit;
class QWidget;

// The display-format dialog of a memo view: edits the packed format word
// (bits 24-27 category, 16-23 kind, 8-15 decimal digits, 0-7 fraction
// symbol) and the custom format text.
class TrpFmtForm : public QDialog
{
    Q_OBJECT
public:
    static constexpr int CustomKind = 4;

    explicit TrpFmtForm(QWidget *parent = nullptr);

    // The kinds of a category as the kind list shows them; empty for a
    // category that does not exist.
    [[nodiscard]] static QStringList kindNames(int category);
    [[nodiscard]] static QStringList categoryNames();

    quint32 Format = 0;
    QString FormatText;

    QComboBox *ComboBox1;
    QComboBox *ComboBox2;
    QWidget *DigitsPanel;
    QLineEdit *DesEdit;
    QLineEdit *SplEdit;
    QWidget *CustomPanel;
    QLineEdit *FormatEdit;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ComboBox1Click(int index);
    void ComboBox2Click(int index);
    void DesEditChange(const QString &text);
    void SplEditChange(const QString &text);
    void fillKinds(int category);
    void updatePanels();
    void setBits(int shift, quint32 mask, quint32 value);
    [[nodiscard]] int bits(int shift, quint32 mask) const;
};
