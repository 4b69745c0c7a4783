#include "report/objects/TrpStandardAddins.h"

#include "report/objects/TrpAddinRegistry.h"
#include "report/objects/TrpCheckBoxView.h"
#include "report/objects/TrpShapeView.h"

namespace TrpStandardAddins {

void registerAll()
{
    static const bool registered = [] {
        TrpAddinRegistry &registry = TrpAddinRegistry::global();
        registry.registerClass(QStringLiteral("TrpCheckBoxView"), [] { return std::make_unique<TrpCheckBoxView>(); });
        registry.registerClass(QStringLiteral("TrpShapeView"), [] { return std::make_unique<TrpShapeView>(); });
        return true;
    }();
    (void)registered;
}

} // namespace TrpStandardAddins
