#pragma once

#include <ostream>

#include "SkinFileIo.h"

namespace pbskin {

// Prints what the skin holds and every problem found; returns the number of problems.
int PrintSkinInfo(const LoadedSkin& skin, std::ostream& out);

}  // namespace pbskin
