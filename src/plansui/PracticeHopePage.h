#pragma once

#include "plansui/PracticePage.h"

#include <array>

class QComboBox;
class QLabel;

// Page (２) of the practice plan: the wishes, goals and notes, and the care
// team chosen from the staff list.
class PracticeHopePage : public PracticePage
{
    Q_OBJECT

public:
    explicit PracticeHopePage(QWidget *parent = nullptr);

    // The staff the team boxes list, with their codes at the same places.
    void setStaff(const QStringList &names, const QList<int> &codes);

    void clear() override;
    void showRecord(const TPractice &record) override;
    [[nodiscard]] bool collect(TPractice &record, const Check &check) const override;

    QLabel *UserLabel = nullptr;
    std::array<QComboBox *, TPractice::TeamBoxes> TeamBox{};

private:
    QWidget *buildTeam();

    QList<int> m_codes;
};
