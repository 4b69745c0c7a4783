#include "printingui/KanaRowButtons.h"

#include "coreui/FormParts.h"

#include <QPushButton>

namespace KanaRowButtons {

namespace {

constexpr QStringView Names[] = {u"ABtn", u"KBtn", u"SBtn", u"TBtn", u"NBtn",
                                 u"HBtn", u"MBtn", u"YBtn", u"RBtn", u"WBtn"};
constexpr QStringView Captions[] = {u"ア", u"カ", u"サ", u"タ", u"ナ", u"ハ", u"マ", u"ヤ", u"ラ", u"ワ"};

} // namespace

std::array<QPushButton *, 10> add(QWidget *parent, QPoint origin, QSize size, int step, const Picked &picked)
{
    std::array<QPushButton *, 10> buttons{};
    for (int i = 0; i < 10; ++i) {
        QPushButton *button = FormParts::addButton(parent, Names[i].toString(), Captions[i].toString(),
                                                   QRect(origin + QPoint(i * step, 0), size));
        QObject::connect(button, &QPushButton::clicked, parent, [picked, i] { picked(UserSearch::KanaRow(i)); });
        buttons[size_t(i)] = button;
    }
    return buttons;
}

} // namespace KanaRowButtons
