// The root address of the puzzle web site, fixed when the program is built (CMake cache
// variable PB_SITE_BASE; empty selects the bundled site). It always ends with "/".
#pragma once

[[nodiscard]] const char* SiteBaseAddressConstant();
