#pragma once

#include <QWidget>

struct AppContext;
class QDialog;
class QPushButton;

// The system settings menu: switches the window state every form follows
// and opens the partner link settings. Shown non-modally by the main
// window's system tile; the main window is hidden while it is shown.
class TSystemMenuForm : public QWidget
{
    Q_OBJECT

public:
    explicit TSystemMenuForm(AppContext &context, QWidget *parent = nullptr);

    // The partner link settings that ImPanel opens (a form of the user
    // registry, which this library does not know).
    void SetPartnerForm(QDialog *form) { m_partnerForm = form; }

    QWidget *MenuPanel = nullptr;
    QPushButton *GamenSizeChange = nullptr;
    QPushButton *ImPanel = nullptr;
    QPushButton *Button2 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Centres the panel in the form's outer size.
    void centreMenuPanel();
    void GamenSizeChangeClick();
    void ImPanelClick();

    AppContext &m_context;
    QDialog *m_partnerForm = nullptr;
};

extern TSystemMenuForm *SystemMenuForm;
