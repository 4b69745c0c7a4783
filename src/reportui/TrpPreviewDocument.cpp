#include "reportui/TrpPreviewDocument.h"

TrpPreviewDocument::~TrpPreviewDocument() = default;
