#pragma once

#include <QImage>
#include <QPixmap>
#include <QToolButton>

// A tool-bar push button of the report preview and dialogs: flat until the
// pointer is over it, with a glyph of up to four pictures side by side for
// its states (up, disabled, down, exclusive). Buttons of the same parent with
// the same non-zero GroupIndex release each other; with AllowAllUp a down
// button of a group comes up again when clicked. With GrayedInactive the
// glyph is gray while the pointer is outside the button.
class TrpSpeedButton : public QToolButton
{
    Q_OBJECT
public:
    enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
    enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

    explicit TrpSpeedButton(QWidget *parent = nullptr);

    [[nodiscard]] const QPixmap &Glyph() const { return m_glyph; }
    void SetGlyph(const QPixmap &glyph);
    [[nodiscard]] int NumGlyphs() const { return m_numGlyphs; }
    // 1 to 4; other values are ignored.
    void SetNumGlyphs(int count);
    // Down only in a group (GroupIndex not 0).
    [[nodiscard]] bool Down() const { return isChecked(); }
    void SetDown(bool down);
    [[nodiscard]] bool Flat() const { return autoRaise(); }
    void SetFlat(bool flat) { setAutoRaise(flat); }
    [[nodiscard]] int GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(int index);
    [[nodiscard]] TButtonLayout Layout() const { return m_layout; }
    void SetLayout(TButtonLayout layout);
    [[nodiscard]] bool AllowAllUp() const { return m_allowAllUp; }
    void SetAllowAllUp(bool allow) { m_allowAllUp = allow; }
    [[nodiscard]] bool GrayedInactive() const { return m_grayedInactive; }
    void SetGrayedInactive(bool grayed);

    [[nodiscard]] TButtonState State() const;
    // The picture the button shows now.
    [[nodiscard]] QPixmap currentGlyph() const;

    // The disabled picture made from the up picture: its dark parts in
    // shadow gray over their highlight, one pixel down and right.
    [[nodiscard]] static QImage embossed(const QImage &up);
    [[nodiscard]] static QImage grayed(const QImage &up);

protected:
    void nextCheckState() override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    [[nodiscard]] QImage picture(int index) const;
    void releaseOthers();
    void refresh();

    QPixmap m_glyph;
    int m_numGlyphs = 1;
    int m_groupIndex = 0;
    TButtonLayout m_layout = blGlyphLeft;
    bool m_allowAllUp = false;
    bool m_grayedInactive = false;
    bool m_hovered = false;
};
