#pragma once

#include <QObject>
#include <QString>

// Keeps the kana reading of the input method's conversions in one input.
// The reading is the last pre-edit text that was all kana before the
// composition was committed (the text typed before it was converted to
// kanji), given in half-width katakana as the kana columns store it.
class ImeComposition final : public QObject
{
    Q_OBJECT

public:
    // Starts watching the input's input method events; the watcher is a
    // child of the input. Watching an input twice gives the same watcher.
    static ImeComposition *watch(QObject *input);
    // The watcher of the input, or nullptr when it is not watched.
    [[nodiscard]] static ImeComposition *of(const QObject *input);

    // The reading of the last committed conversion; empty before the first.
    [[nodiscard]] QString reading() const { return m_reading; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit ImeComposition(QObject *input);

    QString m_pending; // kana pre-edit of the composition under way
    QString m_reading;
};

// The reading (half-width katakana) of the last conversion committed in the
// input; empty when the input is not watched or nothing was converted yet.
[[nodiscard]] QString GetImeComposition(const QObject *input);
