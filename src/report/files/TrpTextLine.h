#pragma once

#include <QList>
#include <QString>

#include <limits>
#include <type_traits>

// One line of a template's text form, split into its keyword and its
// arguments: quoted texts and bare words. The getters take the index of an
// argument after the keyword and set the error (naming the keyword) when it
// is missing or of the wrong kind.
class TrpTextLine
{
public:
    TrpTextLine(QStringView text, int number) : m_text(text), m_number(number) {}

    [[nodiscard]] bool indented() const { return !m_text.isEmpty() && m_text[0].isSpace(); }
    [[nodiscard]] int number() const { return m_number; }

    // False with the error for a broken quoted text.
    [[nodiscard]] bool parse(QString &error);

    [[nodiscard]] bool isEmpty() const { return m_args.isEmpty(); }
    [[nodiscard]] QString keyword() const { return m_args.isEmpty() ? QString() : m_args[0].text; }
    [[nodiscard]] qsizetype count() const { return m_args.size() - 1; }

    bool text(int index, QString &out, QString &error) const;
    // Decimal or 0x hexadecimal, in the range of T.
    template <typename T> bool number(int index, T &out, QString &error) const
    {
        qint64 value = 0;
        if (!integer(index, value, error))
            return false;
        if (value < qint64(std::numeric_limits<T>::min()) || value > qint64(std::numeric_limits<T>::max())) {
            // Colours and formats are written as unsigned hexadecimal.
            if (!std::is_signed_v<T> || value < 0 ||
                value > qint64(std::numeric_limits<std::make_unsigned_t<T>>::max())) {
                error = QStringLiteral("%1 is out of range").arg(keyword());
                return false;
            }
        }
        out = T(value);
        return true;
    }
    bool bare(int index, QString &out, QString &error) const;
    bool real(int index, float &out, QString &error) const;

private:
    bool integer(int index, qint64 &out, QString &error) const;

    struct Arg
    {
        QString text;
        bool quoted;
    };
    QStringView m_text;
    int m_number;
    QList<Arg> m_args;
};
