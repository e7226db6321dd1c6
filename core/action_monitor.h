// What a front end may want from a running action besides its report: what it
// is doing now (for a progress line) and a way to stop it at a safe point.
// The console program attaches nothing; the window attaches its worker.
#pragma once

#include <functional>
#include <string>

#include "core/report_log.h"

namespace kv {

class ActionContext;

class ActionMonitor {
public:
    virtual ~ActionMonitor() = default;
    // A new step or group of the action begins; the count of entries restarts.
    virtual void StepStarted(const MessagePair& step) = 0;
    // The action reached one more entry of folder (listing, walking).
    virtual void EntryReached(const std::string& folder) = 0;
    // The user asked to stop; read at every safe point, from the action's thread.
    virtual bool StopRequested() const = 0;
};

// Thrown at a safe point once a stop was asked for: between two entries or
// two steps, never inside a rename or a deletion. Deliberately not a
// std::exception, so no handler meant for failures takes it. An action that
// finishes a stop its own way (a disinfection still writes its automatic
// copies) writes the stopped line itself and throws again with reported set.
struct ActionStopped {
    bool reported = false;
};

// The line that closes a stopped action.
inline const MessagePair kStoppedLine = {"[KV] - Ação interrompida pelo usuário.",
                                         "[KV] - Action stopped by the user."};

void WriteStoppedLine(ActionContext& ctx);

// Runs action; when it stops at a safe point, writes the stopped line unless
// the action did.
// Returns false when the action was stopped.
bool RunUntilStopped(ActionContext& ctx, const std::function<void(ActionContext&)>& action);

}  // namespace kv
