#pragma once

#include <ostream>

#include "SkinFileIo.h"

namespace pbskin {

// Prints what the skin holds and every problem found, first the error the program's own
// load raises (`loadProblem`, empty when it loads); returns the number of problems.
int PrintSkinInfo(const LoadedSkin& skin, std::ostream& out, const std::string& loadProblem);

}  // namespace pbskin
