#pragma once

#include <QImage>
#include <QPixmap>
#include <QToolButton>

#include <array>
#include <memory>

class TGlyphList;

// A tool-bar push button of the report preview and dialogs: flat until the
// pointer is over it, with a glyph of up to four pictures side by side for
// its states (up, disabled, down, exclusive). Buttons of the same parent with
// the same non-zero GroupIndex release each other; with AllowAllUp a down
// button of a group comes up again when clicked, and shows a dithered face
// while it is down. With GrayedInactive the glyph is gray while the pointer
// is outside the button. The pictures of every state are kept in the glyph
// list that all buttons with pictures of that size share.
class TrpSpeedButton : public QToolButton
{
    Q_OBJECT
public:
    enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
    enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

    explicit TrpSpeedButton(QWidget *parent = nullptr);
    ~TrpSpeedButton() override;

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
    // Pixels from the edge the Layout names to the glyph; -1 centres glyph
    // and caption together.
    [[nodiscard]] int Margin() const { return m_margin; }
    void SetMargin(int margin);
    // Pixels between glyph and caption; -1 centres the caption in the room
    // the glyph leaves.
    [[nodiscard]] int Spacing() const { return m_spacing; }
    void SetSpacing(int spacing);

    // Where glyph and caption stand in a button of that size: their top
    // left corners.
    struct Placement
    {
        QPoint glyph;
        QPoint caption;
    };
    [[nodiscard]] static Placement placement(QSize client, QSize glyph, QSize caption, TButtonLayout layout,
                                             int margin, int spacing);

    [[nodiscard]] TButtonState State() const;
    // The picture the button shows now.
    [[nodiscard]] QPixmap currentGlyph() const;

    // The disabled picture made from the up picture: its dark parts in
    // shadow gray over their highlight, one pixel down and right.
    [[nodiscard]] static QImage embossed(const QImage &up);
    [[nodiscard]] static QImage grayed(const QImage &up);

protected:
    void paintEvent(QPaintEvent *event) override;
    void nextCheckState() override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    [[nodiscard]] QImage picture(int index) const;
    // Puts the pictures of the four states into the shared list.
    void makeGlyphs();
    void releaseGlyphs();
    void releaseOthers();
    void refresh();

    QPixmap m_glyph;
    int m_numGlyphs = 1;
    int m_groupIndex = 0;
    TButtonLayout m_layout = blGlyphLeft;
    bool m_allowAllUp = false;
    bool m_grayedInactive = false;
    bool m_hovered = false;
    int m_margin = -1;
    int m_spacing = 4;
    std::shared_ptr<TGlyphList> m_glyphs;
    // The slots of the up, disabled, down and exclusive pictures.
    std::array<int, 4> m_slots{-1, -1, -1, -1};
};
