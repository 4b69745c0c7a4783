#include "report/expr/TrpValueLookup.h"

TrpValueLookup::~TrpValueLookup() = default;
