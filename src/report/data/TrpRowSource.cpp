#include "report/data/TrpRowSource.h"

TrpRowSource::~TrpRowSource() = default;
