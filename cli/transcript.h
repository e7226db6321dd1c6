// The console program's standard output: a transcript of the run, one line
// per event, UTF-8, each ended by a line feed. Report lines appear the moment
// they are appended; message boxes and questions as
// "== kind | title | text". Output is buffered: under Wine every write to
// standard output is a round trip to the server.
#pragma once

#include <string>

#include "core/dialogs.h"
#include "core/report_log.h"

namespace kv::cli {

// Where bytes go: standard output or error on Windows, a string in tests.
class OutputSink {
public:
    virtual ~OutputSink() = default;
    virtual void Write(const std::string& bytes) = 0;
};

// "== warning | Atenção | line one\rline two": each carriage return in the
// text becomes the two characters \r, each line feed \n, so an event stays
// on one line.
std::string BoxLine(const std::string& kind, const std::string& title, const std::string& text);

class Transcript : public ReportObserver, public UserDialogs {
public:
    explicit Transcript(OutputSink& out, std::size_t flushThreshold = 1 << 20)
        : out_(out), threshold_(flushThreshold) {}
    ~Transcript() override { Flush(); }

    void Flush();

    // ReportObserver
    void OnLineAppended(const std::string& line) override;
    void OnReportCleared() override {}

    // UserDialogs: boxes are printed; every question is printed and answered
    // No; the save dialog is never shown (the console program saves with
    // --save instead) and counts as cancelled.
    void ShowMessage(BoxKind kind, const std::string& title, const std::string& text) override;
    bool AskYesNo(const std::string& title, const std::string& text) override;
    std::optional<std::string> ChooseSaveFile(const SaveDialogRequest& request) override;

private:
    void Add(const std::string& line);

    OutputSink& out_;
    std::size_t threshold_;
    std::string buffer_;
};

}  // namespace kv::cli
