#include "printing/CountedReport.h"

CountedReport::CountedReport() : m_report(&m_owner), m_dataset1(&m_owner), m_dataset2(&m_owner)
{
    m_report.setObjectName(QStringLiteral("rpReport1"));
    m_dataset1.setObjectName(QStringLiteral("rpUserDataset1"));
    m_dataset2.setObjectName(QStringLiteral("rpUserDataset2"));
    for (TrpUserDataset *dataset : {&m_dataset1, &m_dataset2})
        dataset->RangeEnd = reCount;
}

bool CountedReport::load(const QString &folder, QStringView templateName, int rows1, int rows2, Values values)
{
    m_file = folder + u'/' + templateName.toString();
    m_dataset1.RangeEndCount = rows1;
    m_dataset2.RangeEndCount = rows2;
    if (!m_report.LoadFromFile(m_file))
        return false;
    m_report.OnGetValue = [this, values = std::move(values)](const QString &name, Variant &value) {
        if (auto answer = values(name, m_dataset1.RecNo, m_dataset2.RecNo))
            value = *answer;
    };
    return true;
}

QString CountedReport::loadErrorText() const
{
    QString text = QStringLiteral("*** System Error : 帳票ファイルを読めません。\n") + m_file;
    if (!m_report.LoadError().message.isEmpty())
        text += u'\n' + m_report.LoadError().message;
    return text;
}
