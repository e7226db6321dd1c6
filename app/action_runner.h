// Running the window's actions in the background. An action runs on a worker
// thread, one at a time, so the window keeps painting, scrolling and answering
// while it works; only the window's thread touches controls:
//   - ReportRelay watches the report log: lines appended on the worker wait in
//     a queue and reach the report area in batches, on the window's thread,
//     through a message posted at most every few tens of milliseconds (and on
//     the window's progress timer, so no line waits long after a pause);
//   - the worker's questions and boxes are sent to the window's thread, which
//     shows them with the window's own dialogs while the worker waits for the
//     answer (same texts, icons, order and modality as before);
//   - ActionWorker is the action's monitor: it keeps the step, folder and count
//     the action announces for the progress line, and the stop flag that the
//     action reads at its safe points.
//
// Wiring an action: MainWindow::RunAction(work) or RunAction(work, afterwards),
// where work runs on the worker with the session's ActionContext and
// afterwards (optional) on the window's thread once it has ended, to show its
// results in controls. Both run after RunAction returns: capture by value.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/progress_text.h"
#include "app/report_view.h"
#include "core/session.h"

namespace kv {

// Private messages of the main window for the worker.
inline constexpr UINT kLinesWaitingMessage = WM_APP + 20;  // posted: report lines wait in the relay
inline constexpr UINT kAskUserMessage = WM_APP + 21;       // sent: lParam is a std::function<void()>*
inline constexpr UINT kActionEndedMessage = WM_APP + 22;   // posted: the worker has finished

// The report log's observer: lines from any thread, handed to the view on the
// window's thread.
class ReportRelay : public ReportObserver {
public:
    ReportRelay(ReportView& view) : view_(view) {}
    void SetWindow(HWND window) { window_ = window; }

    void OnLineAppended(const std::string& line) override;
    void OnReportCleared() override;
    // On the window's thread: moves the waiting lines into the view, which
    // repaints at its own pace.
    void Deliver();
    // On the window's thread: every line so far on screen, painted now.
    void Flush();

private:
    void Nudge();  // with mutex_ held

    ReportView& view_;
    HWND window_ = nullptr;
    std::mutex mutex_;
    std::vector<std::string> waiting_;
    bool clearFirst_ = false;  // the report was cleared before the waiting lines
    bool nudged_ = false;      // a kLinesWaitingMessage is on its way
    DWORD lastNudge_ = 0;
};

// How an action ended, for the window.
struct ActionEnding {
    bool stopped = false;
    // A report file that could not be written (the action ended there).
    std::optional<std::pair<std::string, std::string>> fileError;  // path, system message
    std::optional<std::string> failure;                            // anything else that escaped
};

class ActionWorker : public ActionMonitor {
public:
    using Work = std::function<void(ActionContext&)>;
    using Afterwards = std::function<void()>;

    // dialogs are the window's own (shown on its thread); onEnded runs on the
    // window's thread when an action has ended, before its afterwards.
    ActionWorker(UserDialogs& dialogs, std::function<void(const ActionEnding&)> onEnded)
        : windowDialogs_(dialogs), onEnded_(std::move(onEnded)), relayedDialogs_(*this) {}
    ~ActionWorker() override;
    void SetWindow(HWND window) { window_ = window; }

    // Starts work on a worker thread; false (nothing started) while another runs.
    bool Start(PlatformOps& os, Session& session, Work work, Afterwards afterwards = {});
    bool Running() const { return thread_.joinable(); }
    // Asks the running action to stop at its next safe point.
    void RequestStop() { stop_ = true; }
    // The window's thread answers the worker's messages here; true when handled.
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // On the window's thread: waits until the running action has ended,
    // answering its messages meanwhile, and finishes it (onEnded, afterwards).
    void WaitUntilEnded();

    // For the progress line.
    ProgressState Progress() const;
    std::uint64_t ElapsedSeconds() const;

    // ActionMonitor, called on the worker.
    void StepStarted(const MessagePair& step) override;
    void EntryReached(const std::string& folder) override;
    bool StopRequested() const override { return stop_; }

private:
    // The worker's side of the dialogs: each box is shown by the window's
    // thread. Asked after a stop request, a box is a safe point instead.
    class RelayedDialogs : public UserDialogs {
    public:
        explicit RelayedDialogs(ActionWorker& worker) : worker_(worker) {}
        void ShowMessage(BoxKind kind, const std::string& title, const std::string& text) override;
        bool AskYesNo(const std::string& title, const std::string& text) override;
        bool AskYesNoWarning(const std::string& title, const std::string& text) override;
        std::optional<std::string> ChooseSaveFile(const SaveDialogRequest& request) override;

    private:
        ActionWorker& worker_;
    };

    void RunOnWorker(ActionContext& ctx, const Work& work);
    // Runs job on the window's thread and waits; rethrows what it threw.
    void AskWindow(const std::function<void()>& job);
    void Finish();

    UserDialogs& windowDialogs_;
    std::function<void(const ActionEnding&)> onEnded_;
    RelayedDialogs relayedDialogs_;
    HWND window_ = nullptr;
    std::thread thread_;
    HANDLE ended_ = nullptr;  // set by the worker as its last step
    std::atomic<bool> stop_{false};
    Afterwards afterwards_;
    ActionEnding ending_;  // written by the worker, read after it ended
    DWORD startTick_ = 0;
    mutable std::mutex progressMutex_;
    ProgressState progress_;
};

}  // namespace kv
