// Which Windows the disinfections run on, as they tell it apart: the last two
// characters of the product name in the registry.
#pragma once

#include "core/platform_ops.h"

namespace kv {

// True when the Windows product name ends in "XP" (Windows XP).
bool IsWindowsXp(PlatformOps& os);

}  // namespace kv
