#include "report/pages/TrpPdfFile.h"

#include "report/pages/TrpPdfUnicode.h"

#include <QSaveFile>

namespace {

// The buffer opens before the writer takes it.
QBuffer *opened(QBuffer &buffer)
{
    buffer.open(QIODevice::WriteOnly);
    return &buffer;
}

} // namespace

TrpPdfFile::TrpPdfFile() : m_writer(opened(m_buffer)) {}

QByteArray TrpPdfFile::document() const
{
    return TrpPdfUnicode::mended(m_buffer.data());
}

bool TrpPdfFile::save(const QString &fileName)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(document()) < 0 || !file.commit()) {
        m_error = file.errorString();
        return false;
    }
    m_error.clear();
    return true;
}
