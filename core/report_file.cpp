#include "core/report_file.h"

#include "core/text.h"

namespace kv {

std::string ReportFileBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += Utf8ToWindows1252(line);
        bytes += "\r\n";
    }
    return bytes;
}

void WriteReportFile(PlatformOps& os, const std::string& path, const std::vector<std::string>& lines) {
    std::string error;
    if (!os.WriteWholeFile(path, ReportFileBytes(lines), error)) throw FileWriteError(path, error);
}

std::string AutomaticCopyStamp(const DateTimeTexts& now) {
    std::string stamp = now.shortDate + "-" + now.longTime;
    for (char& c : stamp) {
        if (c == '/' || c == ':' || c == '\\') c = '-';
    }
    return stamp;
}

void SaveAutomaticCopies(ActionContext& ctx, const std::string& prefix) {
    const std::string stamp = AutomaticCopyStamp(ctx.os.CurrentDateTimeTexts());
    for (const int folder : {csidl::kAppData, csidl::kLocalAppData}) {
        const std::string base = ctx.os.GetSpecialFolder(folder);
        const std::string dataFolder = base + "\\zirozov";
        if (!ctx.os.FolderExists(dataFolder)) ctx.os.CreateFolder(dataFolder);
        WriteReportFile(ctx.os, base + prefix + stamp + ".txt", ctx.session.report.Lines());
    }
}

void OfferReportSave(ActionContext& ctx, bool optionTicked, const SaveOfferTexts& texts) {
    if (!optionTicked) return;
    if (!ctx.dialogs.AskYesNo(texts.questionTitle, texts.question)) return;
    const std::optional<std::string> chosen = ctx.dialogs.ChooseSaveFile({texts.dialogTitle, "txt", "*.txt"});
    if (!chosen) return;
    if (ctx.os.FileExists(*chosen) && !ctx.dialogs.AskYesNo(texts.overwriteTitle, texts.overwriteQuestion)) return;
    WriteReportFile(ctx.os, *chosen, ctx.session.report.Lines());
}

}  // namespace kv
