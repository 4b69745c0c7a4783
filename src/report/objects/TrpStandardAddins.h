#pragma once

// The add-in objects of the engine: the check box and the shape.
namespace TrpStandardAddins {

// Registers both classes once; later calls do nothing.
void registerAll();

} // namespace TrpStandardAddins
