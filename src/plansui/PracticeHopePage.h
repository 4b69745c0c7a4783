#pragma once

#include "plansui/PracticePage.h"

#include <array>

class QComboBox;
class QLabel;
class StaffDirectory;

// Page (２) of the practice plan: the wishes, goals and notes, and the care
// team chosen from the staff list.
class PracticeHopePage : public PracticePage
{
    Q_OBJECT

public:
    explicit PracticeHopePage(QWidget *parent = nullptr);

    // The team boxes list the staff in its order; the list is the data
    // module's, read again for each code.
    void setStaff(const StaffDirectory &staff);

    void clear() override;
    void showRecord(const TPractice &record) override;
    [[nodiscard]] bool collect(TPractice &record, const Check &check) const override;

    QLabel *UserLabel = nullptr;
    std::array<QComboBox *, TPractice::TeamBoxes> TeamBox{};

private:
    QWidget *buildTeam();

    const StaffDirectory *m_staff = nullptr;
};
