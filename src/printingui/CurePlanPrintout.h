#pragma once

#include <QString>

#include <vector>

class CurePlanPrint;
class DbConnection;
class QImage;

// The printed treatment plan ("CurePlan.rpf") shown in the preview.
namespace CurePlanPrintout {

// The plan in hand with its painted figure (the editor's print).
bool show(const QString &appDir, const CurePlanPrint &plan, const QImage &figure);
// Stored plans, one record each, read as their pages are built.
bool show(const QString &appDir, DbConnection &database, const QString &facilityName, const std::vector<int> &planNos);

} // namespace CurePlanPrintout
