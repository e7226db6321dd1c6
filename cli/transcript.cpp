#include "cli/transcript.h"

namespace kv::cli {

std::string BoxLine(const std::string& kind, const std::string& title, const std::string& text) {
    std::string line = "== " + kind + " | " + title + " | ";
    for (const char c : text) {
        if (c == '\r') {
            line += "\\r";
        } else if (c == '\n') {
            line += "\\n";
        } else {
            line += c;
        }
    }
    return line;
}

void Transcript::Flush() {
    if (buffer_.empty()) return;
    out_.Write(buffer_);
    buffer_.clear();
}

void Transcript::Add(const std::string& line) {
    buffer_ += line;
    buffer_ += '\n';
    if (buffer_.size() >= threshold_) Flush();
}

void Transcript::OnLineAppended(const std::string& line) { Add(line); }

void Transcript::ShowMessage(BoxKind kind, const std::string& title, const std::string& text) {
    const char* name = kind == BoxKind::Information ? "information"
                       : kind == BoxKind::Warning   ? "warning"
                       : kind == BoxKind::Plain     ? "plain"
                                                    : "error";
    Add(BoxLine(name, title, text));
}

bool Transcript::AskYesNo(const std::string& title, const std::string& text) {
    Add(BoxLine("question", title, text));
    return false;
}

std::optional<std::string> Transcript::ChooseSaveFile(const SaveDialogRequest&) { return std::nullopt; }

}  // namespace kv::cli
