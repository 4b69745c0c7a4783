#pragma once

#include "report/data/TrpRowSource.h"

#include <QList>
#include <QStringList>

// Rows held in memory with named fields (compared without regard to case):
// the data of a CSV file handed to a report, or of a test. Its fields are
// texts and values; none holds bytes.
class TrpTableRowSource : public TrpRowSource
{
    Q_OBJECT
public:
    explicit TrpTableRowSource(QStringList fields, QObject *parent = nullptr);

    // A row with fewer values than fields reads the missing ones as null.
    void addRow(QList<Variant> values);

    [[nodiscard]] bool isOpen() const override { return m_open; }
    [[nodiscard]] bool open() override;
    void close() override { m_open = false; }
    [[nodiscard]] bool first() override;
    [[nodiscard]] bool next() override;
    [[nodiscard]] bool eof() const override;
    [[nodiscard]] std::optional<Bookmark> bookmark() const override;
    [[nodiscard]] bool gotoBookmark(const Bookmark &bookmark) override;
    [[nodiscard]] bool sameBookmark(const Bookmark &a, const Bookmark &b) const override;
    [[nodiscard]] std::optional<FieldType> fieldType(const QString &name) const override;
    [[nodiscard]] std::optional<Variant> fieldValue(const QString &name) const override;
    [[nodiscard]] QString errorText() const override { return m_errorText; }

private:
    [[nodiscard]] int column(const QString &name) const;

    QStringList m_fields;
    QList<QList<Variant>> m_rows;
    int m_position = 0;
    bool m_open = true;
    QString m_errorText;
};
