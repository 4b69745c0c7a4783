#pragma once

#include "report/objects/TrpView.h"

#include <QStringList>

// A shape (add-in "TrpShapeView"): a rectangle, rounded rectangle, ellipse,
// triangle or one of the two diagonals, drawn with the frame colour and
// width and filled with the fill colour. ShapeKind follows the object's
// common fields in both stream forms.
class TrpShapeView : public TrpView
{
public:
    enum Kind : quint8 { skRectangle, skRoundRect, skEllipse, skTriangle, skDiagonal1, skDiagonal2 };

    TrpShapeView();

    [[nodiscard]] std::unique_ptr<TrpView> clone() const override;
    [[nodiscard]] QString ClassName() const override;
    [[nodiscard]] QString BaseName() const override;
    void loadFromStream(TrpStreamReader &reader, TrpStreamMode mode) override;
    void saveToStream(TrpStreamWriter &writer, TrpStreamMode mode) const override;
    void writeText(TrpTextFieldWriter &out) const override;
    bool readText(const TrpTextLine &line, QByteArray &gathered, QString &error, bool &known) override;
    void draw(QPainter &painter, const TrpDrawContext &context) const override;

    // The names the shape editor lists, by kind.
    [[nodiscard]] static QStringList editorNames();
    // The corner size of a rounded rectangle of that size.
    [[nodiscard]] static int cornerSize(int width, int height);

    quint8 ShapeKind = skRectangle;

private:
    TrpShapeView(const TrpShapeView &) = default;
};
