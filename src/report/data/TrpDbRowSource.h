#pragma once

#include "report/data/TrpRowSource.h"

class DbDataSet;

// The rows of a database data set (a query held in memory) as a report
// data set walks them: a printing form hands one to a TrpDBDataSet. The
// data set stays the form's and must outlive the adapter's use; a closed
// data set cannot be opened from here, since only its owner knows its query.
class TrpDbRowSource : public TrpRowSource
{
    Q_OBJECT
public:
    explicit TrpDbRowSource(DbDataSet &dataSet, QObject *parent = nullptr);

    [[nodiscard]] bool isOpen() const override;
    [[nodiscard]] bool open() override;
    void close() override;
    [[nodiscard]] bool first() override;
    [[nodiscard]] bool next() override;
    [[nodiscard]] bool eof() const override;
    [[nodiscard]] std::optional<Bookmark> bookmark() const override;
    [[nodiscard]] bool gotoBookmark(const Bookmark &bookmark) override;
    [[nodiscard]] bool sameBookmark(const Bookmark &a, const Bookmark &b) const override;
    [[nodiscard]] std::optional<FieldType> fieldType(const QString &name) const override;
    [[nodiscard]] std::optional<Variant> fieldValue(const QString &name) const override;
    [[nodiscard]] std::optional<QByteArray> fieldBytes(const QString &name) const override;
    [[nodiscard]] QString errorText() const override;

private:
    DbDataSet &m_dataSet;
    QString m_errorText;
};
