#include "report/TrpValueLookup.h"

TrpValueLookup::~TrpValueLookup() = default;
