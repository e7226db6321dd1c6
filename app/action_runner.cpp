#include "app/action_runner.h"

#include "core/report_file.h"

namespace kv {

namespace {

// Lines wait at most this long for their batch while the worker writes; after
// a pause the window's progress timer fetches them.
constexpr DWORD kNudgeIntervalMs = 40;

}  // namespace

// ---- ReportRelay ----------------------------------------------------------------

void ReportRelay::OnLineAppended(const std::string& line) {
    std::lock_guard<std::mutex> lock(mutex_);
    waiting_.push_back(line);
    Nudge();
}

void ReportRelay::OnReportCleared() {
    std::lock_guard<std::mutex> lock(mutex_);
    waiting_.clear();
    clearFirst_ = true;
    Nudge();
}

void ReportRelay::Nudge() {
    if (nudged_ || !window_) return;
    const DWORD now = GetTickCount();
    if (now - lastNudge_ < kNudgeIntervalMs) return;
    if (PostMessageW(window_, kLinesWaitingMessage, 0, 0)) {
        nudged_ = true;
        lastNudge_ = now;
    }
}

void ReportRelay::Deliver() {
    std::vector<std::string> lines;
    bool clearFirst = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        lines.swap(waiting_);
        clearFirst = clearFirst_;
        clearFirst_ = false;
        nudged_ = false;
    }
    if (clearFirst) view_.OnReportCleared();
    if (!lines.empty() || clearFirst) view_.AppendLines(lines);
}

void ReportRelay::Flush() {
    Deliver();
    view_.Flush();
}

// ---- ActionWorker ----------------------------------------------------------------

ActionWorker::~ActionWorker() {
    // The window waits for its action before it goes; this is the last resort.
    if (thread_.joinable()) {
        stop_ = true;
        thread_.join();
    }
    if (ended_) CloseHandle(ended_);
}

bool ActionWorker::Start(PlatformOps& os, Session& session, Work work, Afterwards afterwards) {
    if (Running() || !window_) return false;
    if (!ended_) ended_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!ended_) return false;
    ResetEvent(ended_);
    stop_ = false;
    ending_ = ActionEnding();
    afterwards_ = std::move(afterwards);
    {
        std::lock_guard<std::mutex> lock(progressMutex_);
        progress_ = ProgressState();
    }
    startTick_ = GetTickCount();
    thread_ = std::thread([this, &os, &session, work = std::move(work)] {
        ActionContext ctx(os, relayedDialogs_, session);
        ctx.monitor = this;
        RunOnWorker(ctx, work);
        // Last steps: the window may finish the action as soon as either is seen.
        SetEvent(ended_);
        PostMessageW(window_, kActionEndedMessage, 0, 0);
    });
    return true;
}

void ActionWorker::RunOnWorker(ActionContext& ctx, const Work& work) {
    try {
        ending_.stopped = !RunUntilStopped(ctx, work);
    } catch (const FileWriteError& problem) {
        ending_.fileError = std::make_pair(problem.path(), std::string(problem.what()));
    } catch (const std::exception& problem) {
        ending_.failure = problem.what();
    } catch (...) {
        ending_.failure = "Unexpected failure.";
    }
}

bool ActionWorker::HandleMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case kAskUserMessage:
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        result = 0;
        return true;
    case kActionEndedMessage:
        // Already finished when the window waited for it.
        if (Running() && WaitForSingleObject(ended_, 0) == WAIT_OBJECT_0) Finish();
        result = 0;
        return true;
    default:
        return false;
    }
}

void ActionWorker::WaitUntilEnded() {
    while (Running()) {
        // Only the worker's sent messages (its questions) are answered here.
        const DWORD woken = MsgWaitForMultipleObjects(1, &ended_, FALSE, INFINITE, QS_SENDMESSAGE);
        if (woken == WAIT_OBJECT_0) {
            Finish();
            break;
        }
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

void ActionWorker::Finish() {
    thread_.join();
    const ActionEnding ending = ending_;
    Afterwards afterwards = std::move(afterwards_);
    afterwards_ = nullptr;
    if (onEnded_) onEnded_(ending);
    if (afterwards) afterwards();
}

void ActionWorker::AskWindow(const std::function<void()>& job) {
    std::exception_ptr failure;
    const std::function<void()> guarded = [&] {
        try {
            job();
        } catch (...) {
            failure = std::current_exception();
        }
    };
    SendMessageW(window_, kAskUserMessage, 0, reinterpret_cast<LPARAM>(&guarded));
    if (failure) std::rethrow_exception(failure);
}

ProgressState ActionWorker::Progress() const {
    std::lock_guard<std::mutex> lock(progressMutex_);
    ProgressState state = progress_;
    state.stopping = stop_;
    return state;
}

std::uint64_t ActionWorker::ElapsedSeconds() const { return (GetTickCount() - startTick_) / 1000; }

void ActionWorker::StepStarted(const MessagePair& step) {
    std::lock_guard<std::mutex> lock(progressMutex_);
    progress_.step = step;
    progress_.folder.clear();
    progress_.entries = 0;
}

void ActionWorker::EntryReached(const std::string& folder) {
    std::lock_guard<std::mutex> lock(progressMutex_);
    ++progress_.entries;
    if (progress_.folder != folder) progress_.folder = folder;
}

// ---- The worker's dialogs ----------------------------------------------------------

void ActionWorker::RelayedDialogs::ShowMessage(BoxKind kind, const std::string& title, const std::string& text) {
    if (worker_.StopRequested()) throw ActionStopped{};
    worker_.AskWindow([&] { worker_.windowDialogs_.ShowMessage(kind, title, text); });
}

bool ActionWorker::RelayedDialogs::AskYesNo(const std::string& title, const std::string& text) {
    if (worker_.StopRequested()) throw ActionStopped{};
    bool answer = true;
    worker_.AskWindow([&] { answer = worker_.windowDialogs_.AskYesNo(title, text); });
    return answer;
}

bool ActionWorker::RelayedDialogs::AskYesNoWarning(const std::string& title, const std::string& text) {
    if (worker_.StopRequested()) throw ActionStopped{};
    bool answer = true;
    worker_.AskWindow([&] { answer = worker_.windowDialogs_.AskYesNoWarning(title, text); });
    return answer;
}

std::optional<std::string> ActionWorker::RelayedDialogs::ChooseSaveFile(const SaveDialogRequest& request) {
    if (worker_.StopRequested()) throw ActionStopped{};
    std::optional<std::string> chosen;
    worker_.AskWindow([&] { chosen = worker_.windowDialogs_.ChooseSaveFile(request); });
    return chosen;
}

}  // namespace kv
