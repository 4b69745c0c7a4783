#include "reportui/TrpPreviewForm.h"

#include "reportui/TrpGlyphs.h"
#include "reportui/TrpPreviewSearchForm.h"
#include "reportui/TrpPreviewView.h"
#include "reportui/TrpPrintForm.h"
#include "reportui/TrpTBButton.h"
#include "reportui/TrpTBSeparator.h"

#include "platform/DialogService.h"
#include "report/building/TrpReport.h"
#include "report/pages/TrpEMFPages.h"
#include "report/pages/TrpPrinter.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <QWhatsThis>

double TrpPreviewForm::LastZoom = 1.0;
int TrpPreviewForm::LastZoomMode = TrpPreviewLayout::FixedZoom;

namespace {

const QString PreparedFilter = QStringLiteral("レポートファイル (*.rpd)");
constexpr int SmallStep = 32;

// Zoom menu entries: percents, then the modes.
struct ZoomEntry
{
    int tag;
    const char *caption;
};
constexpr ZoomEntry ZoomEntries[] = {{200, "200%"}, {150, "150%"}, {100, "100%"}, {75, "75%"},     {50, "50%"},
                                     {25, "25%"},   {10, "10%"},   {1, "頁の幅"}, {2, "全ての頁"}, {3, "２頁"}};
constexpr int LastModeTag = 3;

TrpTBButton *toolButton(QWidget *parent, const char *name, const QString &hint, const QPixmap &glyph,
                        const QString &caption = {})
{
    auto *button = new TrpTBButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setText(caption.isEmpty() ? hint : caption);
    button->setFocusPolicy(Qt::NoFocus);
    button->SetGlyph(glyph);
    return button;
}

QPixmap standardGlyph(const QWidget *widget, QStyle::StandardPixmap kind)
{
    return widget->style()->standardIcon(kind, nullptr, widget).pixmap(16, 16);
}

} // namespace

TrpPreviewForm::TrpPreviewForm(TrpReport &report, QWidget *parent)
    : QDialog(parent, Qt::Window), m_report(report), m_printer(report.printer())
{
    setObjectName(QStringLiteral("rpPreviewForm"));
    setWindowTitle(QStringLiteral("プレビュー"));
    resize(900, 700);

    auto *area = new QWidget(this);
    makeScrollArea(area);
    makeMenu();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(makeToolBar());
    layout->addWidget(area, 1);
    applyButtons();

    // Keys reach the window from whichever control has the focus; the zoom
    // menu keeps its own.
    for (QWidget *child : findChildren<QWidget *>()) {
        if (!qobject_cast<QMenu *>(child))
            child->installEventFilter(this);
    }
    initView();
}

TrpPreviewForm::~TrpPreviewForm()
{
    endHelpMode();
}

QWidget *TrpPreviewForm::makeToolBar()
{
    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("ToolBar"));
    ZoomBtn = toolButton(bar, "ZoomBtn", QStringLiteral("スケール"), QPixmap(), QStringLiteral("100%"));
    ZoomBtn->setMinimumWidth(76);
    LoadBtn = toolButton(bar, "LoadBtn", QStringLiteral("開く"), standardGlyph(this, QStyle::SP_DialogOpenButton));
    SaveBtn = toolButton(bar, "SaveBtn", QStringLiteral("保存"), standardGlyph(this, QStyle::SP_DialogSaveButton));
    PrintBtn = toolButton(bar, "PrintBtn", QStringLiteral("印刷"), TrpGlyphs::printer());
    FindBtn = toolButton(bar, "FindBtn", QStringLiteral("テキスト検索"), TrpGlyphs::magnifier());
    HelpSeparator = new TrpTBSeparator(bar);
    HelpSeparator->setObjectName(QStringLiteral("HelpSeparator"));
    HelpBtn = toolButton(bar, "HelpBtn", QStringLiteral("ヘルプ"), standardGlyph(this, QStyle::SP_DialogHelpButton));
    // A button that stays down while the help pointer is out.
    HelpBtn->SetGroupIndex(1);
    HelpBtn->SetAllowAllUp(true);
    ExitBtn = toolButton(bar, "ExitBtn", QStringLiteral("閉じる"), standardGlyph(this, QStyle::SP_DialogCloseButton));
    Label1 = new QLabel(bar);
    Label1->setObjectName(QStringLiteral("Label1"));

    // The zoom menu opens under the button, which shows that it has one.
    ZoomBtn->setMenu(ProcMenu);
    ZoomBtn->setPopupMode(QToolButton::InstantPopup);
    connect(LoadBtn, &QToolButton::clicked, this, &TrpPreviewForm::LoadBtnClick);
    connect(SaveBtn, &QToolButton::clicked, this, &TrpPreviewForm::SaveBtnClick);
    connect(PrintBtn, &QToolButton::clicked, this, &TrpPreviewForm::PrintBtnClick);
    connect(FindBtn, &QToolButton::clicked, this, &TrpPreviewForm::FindBtnClick);
    connect(HelpBtn, &QToolButton::clicked, this, &TrpPreviewForm::HelpBtnClick);
    connect(ExitBtn, &QToolButton::clicked, this, &QDialog::accept);

    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(4, 2, 8, 2);
    layout->setSpacing(2);
    for (QWidget *widget :
         {static_cast<QWidget *>(ZoomBtn), static_cast<QWidget *>(LoadBtn), static_cast<QWidget *>(SaveBtn),
          static_cast<QWidget *>(PrintBtn), static_cast<QWidget *>(FindBtn), static_cast<QWidget *>(HelpSeparator),
          static_cast<QWidget *>(HelpBtn), static_cast<QWidget *>(ExitBtn)})
        layout->addWidget(widget);
    layout->addStretch();
    layout->addWidget(Label1);
    return bar;
}

void TrpPreviewForm::makeScrollArea(QWidget *area)
{
    PaintBox = new TrpPreviewView(m_report.EMFPages(), m_layout, area);
    VScrollBar = new QScrollBar(Qt::Vertical, area);
    VScrollBar->setObjectName(QStringLiteral("VScrollBar"));
    HScrollBar = new QScrollBar(Qt::Horizontal, area);
    HScrollBar->setObjectName(QStringLiteral("HScrollBar"));
    for (QScrollBar *bar : {VScrollBar, HScrollBar}) {
        bar->setFocusPolicy(Qt::StrongFocus);
        bar->setSingleStep(SmallStep);
        connect(bar, &QScrollBar::valueChanged, this, &TrpPreviewForm::applyOffset);
    }
    connect(VScrollBar, &QScrollBar::valueChanged, this, &TrpPreviewForm::VScrollChange);

    PgUp = new TrpSpeedButton(area);
    PgUp->setObjectName(QStringLiteral("PgUp"));
    PgUp->setToolTip(QStringLiteral("前の頁"));
    PgUp->SetGlyph(standardGlyph(this, QStyle::SP_ArrowUp));
    PgUp->SetFlat(true);
    PgUp->setFocusPolicy(Qt::NoFocus);
    PgDown = new TrpSpeedButton(area);
    PgDown->setObjectName(QStringLiteral("PgDown"));
    PgDown->setToolTip(QStringLiteral("次の頁"));
    PgDown->SetGlyph(standardGlyph(this, QStyle::SP_ArrowDown));
    PgDown->SetFlat(true);
    PgDown->setFocusPolicy(Qt::NoFocus);
    connect(PgUp, &QToolButton::clicked, this, &TrpPreviewForm::PgUpClick);
    connect(PgDown, &QToolButton::clicked, this, &TrpPreviewForm::PgDownClick);

    connect(PaintBox, &TrpPreviewView::handScrolled, this, &TrpPreviewForm::handScroll);
    connect(PaintBox, &TrpPreviewView::menuRequested, this, &TrpPreviewForm::showMenu);
    connect(PaintBox, &TrpPreviewView::wheelTurned, this, &TrpPreviewForm::wheelScroll);

    const int side = VScrollBar->sizeHint().width();
    for (TrpSpeedButton *button : {PgUp, PgDown})
        button->setFixedSize(side, side);
    auto *grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(PaintBox, 0, 0, 3, 1);
    grid->addWidget(VScrollBar, 0, 1);
    grid->addWidget(PgUp, 1, 1);
    grid->addWidget(PgDown, 2, 1);
    grid->addWidget(HScrollBar, 3, 0);
    grid->setRowStretch(0, 1);
    grid->setColumnStretch(0, 1);
}

void TrpPreviewForm::makeMenu()
{
    ProcMenu = new QMenu(this);
    ProcMenu->setObjectName(QStringLiteral("ProcMenu"));
    for (const ZoomEntry &entry : ZoomEntries) {
        QAction *action = ProcMenu->addAction(QString::fromUtf8(entry.caption));
        action->setCheckable(true);
        action->setData(entry.tag);
        if (entry.tag == 10)
            ProcMenu->addSeparator();
        const int tag = entry.tag;
        connect(action, &QAction::triggered, this, [this, tag] { ZoomMenuClick(tag); });
    }
}

void TrpPreviewForm::applyButtons()
{
    const TrpPreviewButtons shown = m_report.PreviewButtons;
    const std::pair<TrpTBButton *, TrpPreviewButton> buttons[] = {
        {ZoomBtn, pbZoom}, {LoadBtn, pbLoad}, {SaveBtn, pbSave}, {PrintBtn, pbPrint},
        {FindBtn, pbFind}, {HelpBtn, pbHelp}, {ExitBtn, pbExit}};
    for (const auto &[button, flag] : buttons) {
        button->setVisible(shown.testFlag(flag));
        button->SetGrayedInactive(m_report.GrayedButtons);
    }
    PgUp->SetGrayedInactive(m_report.GrayedButtons);
    PgDown->SetGrayedInactive(m_report.GrayedButtons);
    HelpSeparator->setVisible(shown.testAnyFlags(pbFind | pbHelp));
    // Without a printer of the machine there is nothing to print on.
    PrintBtn->setEnabled(m_printer.hasPlatformPrinters());
}

void TrpPreviewForm::initView()
{
    switch (m_report.InitialZoom) {
    case pzPageWidth:
        m_mode = TrpPreviewLayout::PageWidth;
        break;
    case pzOnePage:
        m_mode = TrpPreviewLayout::WholePage;
        break;
    case pzTwoPages:
        m_mode = TrpPreviewLayout::TwoPages;
        break;
    default:
        m_mode = std::clamp(LastZoomMode, int(TrpPreviewLayout::FixedZoom), int(TrpPreviewLayout::TwoPages));
        break;
    }
    m_factor = TrpPreviewLayout::clampFactor(LastZoom);
    m_currentPage = 1;
    m_search.page = -1;
    TrpEMFPages &all = pages();
    for (int i = 0; i < all.Count(); ++i) {
        all[i].Visible = false;
        all[i].release();
    }
    HScrollBar->setValue(0);
    VScrollBar->setValue(0);
    computeLayout();
    updateStatus();
}

void TrpPreviewForm::computeLayout()
{
    // New scroll ranges move the bars; the current page stays current.
    const int current = m_currentPage;
    PaintBox->setLayoutValid(false);
    TrpEMFPages &all = pages();
    QList<QSize> sizes;
    sizes.reserve(all.Count());
    for (int i = 0; i < all.Count(); ++i)
        sizes.append(all[i].size());
    m_layout.compute(sizes, PaintBox->size(), m_mode, m_factor, m_currentPage - 1);
    m_factor = m_layout.factor();
    ZoomBtn->setText(QString::number(qRound(m_factor * 100)) + QLatin1Char('%'));
    checkZoomEntry();

    HScrollBar->setRange(0, m_layout.horizontalMax());
    HScrollBar->setPageStep(qMax(SmallStep, PaintBox->width()));
    HScrollBar->setEnabled(m_layout.horizontalMax() != 0);
    VScrollBar->setRange(0, m_layout.verticalMax());
    VScrollBar->setPageStep(qMax(SmallStep, PaintBox->height()));
    VScrollBar->setEnabled(m_layout.verticalMax() != 0);
    PaintBox->setLayoutValid(true);
    moveToPage(current);
    applyOffset();
    PaintBox->update();
}

void TrpPreviewForm::checkZoomEntry()
{
    for (QAction *action : ProcMenu->actions()) {
        const int tag = action->data().toInt();
        if (tag == 0)
            continue;
        action->setChecked(m_mode == TrpPreviewLayout::FixedZoom ? tag > LastModeTag && tag == qRound(m_factor * 100)
                                                                 : tag == m_mode);
    }
}

void TrpPreviewForm::applyOffset()
{
    PaintBox->setOffset(QPoint(-HScrollBar->value(), -VScrollBar->value()));
}

void TrpPreviewForm::VScrollChange(int position)
{
    const int page = m_layout.pageAtLine(position + TrpPreviewLayout::Gap + 1);
    if (page >= 0 && page + 1 != m_currentPage) {
        m_currentPage = page + 1;
        updateStatus();
    }
}

void TrpPreviewForm::updateStatus()
{
    const int count = pages().Count();
    Label1->setText(QStringLiteral("Page %1/%2").arg(count > 0 ? m_currentPage : 0).arg(count));
}

void TrpPreviewForm::ZoomMenuClick(int tag)
{
    if (tag > LastModeTag) {
        m_mode = TrpPreviewLayout::FixedZoom;
        m_factor = TrpPreviewLayout::clampFactor(tag / 100.0);
    } else {
        m_mode = tag;
    }
    HScrollBar->setValue(0);
    computeLayout();
    LastZoom = m_factor;
    LastZoomMode = m_mode;
}

void TrpPreviewForm::moveToPage(int page)
{
    const int count = pages().Count();
    if (count == 0)
        return;
    m_currentPage = std::clamp(page, 1, count);
    VScrollBar->setValue(m_layout.verticalPositionOf(m_currentPage - 1));
    // The bar may have put another page of the row first; the page asked for stays current.
    m_currentPage = std::clamp(page, 1, count);
    updateStatus();
}

void TrpPreviewForm::PgUpClick()
{
    moveToPage(m_currentPage - 1);
}

void TrpPreviewForm::PgDownClick()
{
    moveToPage(m_currentPage + 1);
}

void TrpPreviewForm::showMenu(QPoint globalPos)
{
    ProcMenu->popup(globalPos);
}

void TrpPreviewForm::handScroll(QPoint delta)
{
    HScrollBar->setValue(HScrollBar->value() + delta.x());
    VScrollBar->setValue(VScrollBar->value() + delta.y());
}

void TrpPreviewForm::wheelScroll(int notches)
{
    VScrollBar->setValue(VScrollBar->value() + notches * VScrollBar->singleStep());
}

bool TrpPreviewForm::handleKey(const QKeyEvent &event)
{
    const bool ctrl = event.modifiers() & Qt::ControlModifier;
    const auto step = [](QScrollBar *bar, int by) {
        if (bar->isEnabled())
            bar->setFocus();
        bar->setValue(bar->value() + by);
    };
    switch (event.key()) {
    case Qt::Key_Escape:
        accept();
        return true;
    case Qt::Key_O:
        if (ctrl && LoadBtn->isVisible())
            LoadBtnClick();
        return ctrl;
    default:
        break;
    }
    if (pages().Count() == 0)
        return false;
    switch (event.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        VScrollBar->setValue(VScrollBar->value() + (event.key() == Qt::Key_Up ? -1 : 1) * VScrollBar->singleStep());
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        step(HScrollBar, (event.key() == Qt::Key_Left ? -1 : 1) * HScrollBar->singleStep());
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        const int direction = event.key() == Qt::Key_PageUp ? -1 : 1;
        if (ctrl) {
            if (VScrollBar->isEnabled())
                VScrollBar->setFocus();
            moveToPage(m_currentPage + direction);
        } else {
            step(VScrollBar, direction * VScrollBar->pageStep());
        }
        return true;
    }
    case Qt::Key_Home:
        if (ctrl)
            VScrollBar->setValue(0);
        return ctrl;
    case Qt::Key_End:
        if (ctrl)
            moveToPage(pages().Count());
        return ctrl;
    case Qt::Key_Space:
        showMenu(ZoomBtn->mapToGlobal(ZoomBtn->rect().bottomLeft()));
        return true;
    case Qt::Key_F3:
        if (!ctrl && !m_search.text.isEmpty())
            FindNext();
        return !ctrl;
    case Qt::Key_S:
        if (ctrl && SaveBtn->isVisible())
            SaveBtnClick();
        return ctrl;
    case Qt::Key_P:
        if (ctrl && PrintBtn->isVisible() && PrintBtn->isEnabled())
            PrintBtnClick();
        return ctrl;
    case Qt::Key_F:
        if (ctrl && FindBtn->isVisible())
            FindBtnClick();
        return ctrl;
    default:
        return false;
    }
}

void TrpPreviewForm::keyPressEvent(QKeyEvent *event)
{
    if (handleKey(*event))
        event->accept();
    else
        QDialog::keyPressEvent(event);
}

bool TrpPreviewForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && handleKey(*static_cast<QKeyEvent *>(event)))
        return true;
    if (watched == PaintBox && event->type() == QEvent::Resize)
        computeLayout();
    return QDialog::eventFilter(watched, event);
}

void TrpPreviewForm::HelpBtnClick()
{
    if (!HelpBtn->Down()) {
        endHelpMode();
        return;
    }
    m_helpMode = true;
    QApplication::setOverrideCursor(Qt::WhatsThisCursor);
    grabMouse();
}

void TrpPreviewForm::endHelpMode()
{
    if (!m_helpMode)
        return;
    m_helpMode = false;
    m_helpPressed = false;
    releaseMouse();
    QApplication::restoreOverrideCursor();
    HelpBtn->SetDown(false);
}

void TrpPreviewForm::mousePressEvent(QMouseEvent *event)
{
    if (!m_helpMode) {
        QDialog::mousePressEvent(event);
        return;
    }
    // The help is shown on the release: shown before it, it would close with it.
    m_helpPressed = true;
}

void TrpPreviewForm::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_helpMode || !m_helpPressed) {
        QDialog::mouseReleaseEvent(event);
        return;
    }
    // There is no help system for the window: the control's tool tip stands
    // in for its help topic, and stays until the next click or key.
    endHelpMode();
    QWidget *control = childAt(event->position().toPoint());
    while (control && control != this && control->toolTip().isEmpty())
        control = control->parentWidget();
    if (control && control != this && control != HelpBtn)
        QWhatsThis::showText(event->globalPosition().toPoint(), control->toolTip(), control);
}

void TrpPreviewForm::done(int result)
{
    endHelpMode();
    QDialog::done(result);
}

TrpEMFPages &TrpPreviewForm::pages()
{
    return m_report.EMFPages();
}

void TrpPreviewForm::showError(const QString &text)
{
    Dialogs::service().message(MessageType::Error, text, MessageButtons::Ok, QStringLiteral("Error"));
}

void TrpPreviewForm::LoadBtnClick()
{
    const QString fileName = Dialogs::service().openFileName(this, QStringLiteral("開く"), QString(), PreparedFilter);
    if (fileName.isEmpty())
        return;
    if (!m_report.LoadPreparedReport(fileName))
        showError(m_report.LoadError().message);
    initView();
}

void TrpPreviewForm::SaveBtnClick()
{
    QString fileName = Dialogs::service().saveFileName(this, QStringLiteral("保存"), QString(), PreparedFilter);
    if (fileName.isEmpty())
        return;
    const QFileInfo info(fileName);
    fileName = info.dir().filePath(info.completeBaseName() + QStringLiteral(".rpd"));
    if (QFileInfo::exists(fileName) &&
        !Dialogs::confirm(QStringLiteral("同じ名前のファイルが既に有ります。\n上書きしますか？")))
        return;
    if (!m_report.SavePreparedReport(fileName))
        showError(m_report.LoadError().message);
}

void TrpPreviewForm::PrintBtnClick()
{
    if (!PrintBtn->isEnabled())
        return;
    const int before = m_printer.printerIndex();
    TrpPrintForm form(m_printer, this);
    if (Dialogs::exec(&form) != QDialog::Accepted)
        return;
    const int after = m_printer.printerIndex();
    // Pages built in this run are built again for another printer; a
    // printer that fails keeps the pages and prints nothing.
    if (after != before && m_report.canRebuild()) {
        const bool rebuilt = m_report.ChangePrinter(before, after) && m_report.RebuildReport();
        initView();
        if (!rebuilt)
            return;
    }
    // The report shows what went wrong itself.
    m_report.PrintPreparedReport(form.pageText(m_currentPage), form.copies());
    initView();
}

void TrpPreviewForm::FindBtnClick()
{
    TrpPreviewSearchForm form(this);
    form.Edit1->setText(m_search.text);
    form.CB1->setChecked(m_search.caseSensitive);
    if (Dialogs::exec(&form) != QDialog::Accepted || form.Edit1->text().isEmpty())
        return;
    m_search.text = form.Edit1->text();
    m_search.caseSensitive = form.CB1->isChecked();
    findFrom(form.RB1->isChecked() ? 0 : m_currentPage - 1, 0);
}

bool TrpPreviewForm::FindNext()
{
    if (m_search.text.isEmpty())
        return false;
    // A search that stood on another page starts again on the current one.
    if (m_search.page != m_currentPage - 1)
        return findFrom(m_currentPage - 1, 0);
    return findFrom(m_search.page, m_search.record);
}

bool TrpPreviewForm::findFrom(int page, int record)
{
    TrpEMFPages &all = pages();
    for (int index = qMax(0, page); index < all.Count(); ++index, record = 0) {
        TrpEMFPage &searched = all[index];
        const bool held = searched.isHeld();
        const auto hit = searched.drawList().findText(m_search.text, m_search.caseSensitive, record);
        if (!held && !searched.Visible)
            searched.release();
        if (!hit)
            continue;
        m_search.page = index;
        m_search.record = hit->index + 1;
        m_search.point = hit->point;
        m_search.found = true;
        const QRect rect = m_layout.rect(index);
        VScrollBar->setValue(qRound(hit->point.y() * m_factor) + rect.top() - TrpPreviewLayout::Gap);
        HScrollBar->setValue(qRound(hit->point.x() * m_factor) + rect.left() - TrpPreviewLayout::Gap);
        m_currentPage = index + 1;
        updateStatus();
        return true;
    }
    return false;
}
