// What an infected computer looks like: the process probes and the ordered
// catalogue of infection types that Check Computer runs after its header.
// Both are data (one row per probe, in check_catalogue.cpp) walked by one
// small interpreter; a new infection type is one more row.
#pragma once

#include "core/session.h"

namespace kv {

// Writes the processes heading, then one line per process probe. Every
// finding sets InfectionFlag but that of "Processo 3".
void RunProcessProbes(ActionContext& ctx);

// Runs every row of the infection catalogue in order, each writing its
// heading, found and not-found lines.
void RunInfectionCatalogue(ActionContext& ctx);

}  // namespace kv
