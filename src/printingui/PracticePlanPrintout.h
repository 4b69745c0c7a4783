#pragma once

#include <vector>

struct AppContext;
struct TPractice;

// The printed practice plan ("PracticePlan.rpf") shown in the preview.
namespace PracticePlanPrintout {

// The record in hand (the editor's print).
bool show(const AppContext &context, const TPractice &record);
// Stored plans by PractNo, one record each, read as their pages are built.
bool show(const AppContext &context, const std::vector<int> &practNos);

} // namespace PracticePlanPrintout
