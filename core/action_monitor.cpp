#include "core/action_monitor.h"

#include "core/session.h"

namespace kv {

void WriteStoppedLine(ActionContext& ctx) { ctx.Pair(kStoppedLine.pt, kStoppedLine.en); }

bool RunUntilStopped(ActionContext& ctx, const std::function<void(ActionContext&)>& action) {
    try {
        action(ctx);
        return true;
    } catch (const ActionStopped& stop) {
        if (!stop.reported) WriteStoppedLine(ctx);
        return false;
    }
}

}  // namespace kv
