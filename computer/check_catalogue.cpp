#include "computer/check_catalogue.h"

#include <array>
#include <vector>

#include "core/text.h"
#include "routines/dropper_probes.h"
#include "routines/known_facts.h"
#include "routines/probes.h"

namespace kv {
namespace {

// ---- The rows ---------------------------------------------------------------

struct ProcessRow {
    const char* label;
    const char* exeName;
    bool countsAsInfection;
};

// clang-format off
const ProcessRow kProcessRows[] = {
    {"Processo 1", "wscript.exe",   true},
    {"Processo 2", "xcv.exe",       true},
    {"Processo 3", "rundll32.exe",  false},  // Windows' own helper: reported, not counted
    {"Processo 4", "lulu.exe",      true},
    {"Processo 4", "svccscsvc.exe", true},
    {"Processo 5", "yotsleks.exe",  true},
    {"Processo 6", "breakini.exe",  true},
};
// clang-format on

// Where a probe looks. The special folders are fetched afresh for every
// probe ("" when unresolved); the other places are built from them.
enum class Place {
    None,
    AppData,           // CSIDL_APPDATA
    LocalAppData,      // CSIDL_LOCAL_APPDATA
    CommonAppData,     // CSIDL_COMMON_APPDATA
    Startup,           // CSIDL_STARTUP
    CommonStartup,     // CSIDL_COMMON_STARTUP
    AltStartup,        // CSIDL_ALTSTARTUP
    CommonAltStartup,  // CSIDL_COMMON_ALTSTARTUP
    Windows,           // CSIDL_WINDOWS
    ProgramFiles,      // CSIDL_PROGRAM_FILES
    Profile,           // CSIDL_PROFILE
    SystemX86,         // CSIDL_SYSTEMX86
    Temp,              // the temporary folder, ending in a backslash
    WinTemp,           // WINDOWS + "\temp\"
    PfRoot,            // first character of PROGRAM_FILES + ":\Program Files\"
    AppRoot,           // first three characters of APPDATA + "\": its drive root
};

enum class Test {
    File,          // a file (not a folder) exists at the path
    Dir,           // a folder exists at the path
    Value,         // the Run key holds a value of this name
    Scan,          // ProbeFileAndRunValue(folder, mask)
    EachDropper,   // ProbeDropperFolder(folder\entry\) for every entry: one line each
    EachScan,      // ProbeFileAndRunValue(folder\entry\, mask) for every entry not skipped
    RunKeyExe,     // ProbeRunKeyExecutables(folder, mask)
    RunData,       // every value of the Run key, its data tested by the row
    DirOrRunData,  // Dir, then RunData, under one not-found line
};

// What a RUN-DATA row looks for in a value's data.
enum class DataTest {
    None,
    Contains,    // the text anywhere, letter case included
    EqualsPath,  // exactly the place followed by the text
    JpgEnding,   // the last four characters are ".jpg" or "jpg" and a double quote
};

// The line written before a row's test.
struct Heading {
    enum Kind { Own, None, OfLabel, Group } kind = Own;
    const char* text = nullptr;  // OfLabel: that label; Group: the Portuguese text
    const char* en = nullptr;    // Group: the English text
};

struct Row {
    const char* label;  // the text after "Tipo " in the row's lines
    Heading heading;
    Test test;
    Place place = Place::None;
    const char* name = "";  // under the place: a file, a folder, a sub-path; or the value name
    const char* mask = "";
    RegRoot key = RegRoot::CurrentUser;  // Value and RunData rows
    DataTest dataTest = DataTest::None;
    Place dataPlace = Place::None;  // EqualsPath
    const char* dataText = "";
    bool notFoundLine = true;
    const char* valueFoundLine = nullptr;  // DirOrRunData: the line of a matching value
    std::array<const char*, 2> skipped{};  // EachScan: entry names passed over, compared exactly
};

constexpr Heading H{};
constexpr Heading kNoHeading{Heading::None};
constexpr Heading HeadingOf(const char* label) { return {Heading::OfLabel, label}; }
constexpr Heading Group(const char* pt, const char* en) { return {Heading::Group, pt, en}; }

constexpr RegRoot HKCU = RegRoot::CurrentUser;
constexpr RegRoot HKLM = RegRoot::LocalMachine;

constexpr Row File(const char* label, Heading heading, Place place, const char* name) {
    Row row{label, heading, Test::File};
    row.place = place;
    row.name = name;
    return row;
}
constexpr Row Dir(const char* label, Heading heading, Place place, const char* name) {
    Row row = File(label, heading, place, name);
    row.test = Test::Dir;
    return row;
}
constexpr Row Value(const char* label, Heading heading, RegRoot key, const char* name) {
    Row row{label, heading, Test::Value};
    row.key = key;
    row.name = name;
    return row;
}
// Folder tests: the folder is the place, or the place and a sub-path.
constexpr Row InFolder(Test test, const char* label, Heading heading, Place place, const char* subPath,
                       const char* mask) {
    Row row{label, heading, test};
    row.place = place;
    row.name = subPath;
    row.mask = mask;
    return row;
}
constexpr Row Scan(const char* label, Heading heading, Place place, const char* mask) {
    return InFolder(Test::Scan, label, heading, place, "", mask);
}
constexpr Row ScanUnder(const char* label, Heading heading, Place place, const char* subPath, const char* mask) {
    return InFolder(Test::Scan, label, heading, place, subPath, mask);
}
constexpr Row EachDropper(const char* label, Place place) {
    return InFolder(Test::EachDropper, label, H, place, "", "");
}
constexpr Row EachScan(const char* label, Place place, const char* mask, const char* skip1 = nullptr,
                       const char* skip2 = nullptr) {
    Row row = InFolder(Test::EachScan, label, H, place, "", mask);
    row.skipped = {skip1, skip2};
    return row;
}
constexpr Row RunKeyExe(const char* label, Place place, const char* mask) {
    return InFolder(Test::RunKeyExe, label, H, place, "", mask);
}
constexpr Row RunDataContains(const char* label, RegRoot key, const char* text) {
    Row row{label, H, Test::RunData};
    row.key = key;
    row.dataTest = DataTest::Contains;
    row.dataText = text;
    return row;
}
constexpr Row RunDataEquals(const char* label, RegRoot key, Place place, const char* text) {
    Row row = RunDataContains(label, key, text);
    row.dataTest = DataTest::EqualsPath;
    row.dataPlace = place;
    return row;
}
// A found line for every value whose data ends in a picture's name; nothing
// when none does.
constexpr Row RunDataJpg(const char* label, RegRoot key) {
    Row row = RunDataContains(label, key, "");
    row.heading = kNoHeading;
    row.dataTest = DataTest::JpgEnding;
    row.notFoundLine = false;
    return row;
}
// A folder, then the values whose data contain text, under one not-found line.
constexpr Row DirOrRunDataContains(const char* label, Place place, const char* folder, RegRoot key, const char* text,
                                   const char* valueFoundLine) {
    Row row = RunDataContains(label, key, text);
    row.test = Test::DirOrRunData;
    row.place = place;
    row.name = folder;
    row.valueFoundLine = valueFoundLine;
    return row;
}
constexpr Row Headed(Row row, Heading heading) {
    row.heading = heading;
    return row;
}

// clang-format off
const Row kCatalogue[] = {
    Headed(Scan("EXE Tipo 2", H, Place::CommonAppData, "*.exe"),
           Group("[KV] - >>> Verificando Vírus EXE Tipo 2 ...", "[KV] - >>> Looking Virus with EXE extension Type 2...")),
    DirOrRunDataContains("A1.1", Place::LocalAppData, "\\nefcb\\", HKCU, "nefcb",
                         "[KV] > Vírus Tipo A1.1 encontrado no registro!"),
    RunDataEquals("A1", HKCU, Place::AppData, "\\WindowsUpdate\\Live.exe"),
    EachDropper("1", Place::Profile),
    EachDropper("2", Place::AppData),
    File("3",     H, Place::AltStartup,       "windows explorer.lnk"),
    File("4",     H, Place::CommonAltStartup, "windows explorer.lnk"),
    File("3.1",   H, Place::AltStartup,       "atajo.lnk"),
    File("4.1",   H, Place::CommonAltStartup, "atajo.lnk"),
    File("3.1.1", HeadingOf("3.1"), Place::AltStartup, "start.lnk"),
    File("4.1.1", H, Place::CommonAltStartup, "start.lnk"),
    File("5",     H, Place::AppRoot,          "Win\\lsass.exe"),
    File("6",     H, Place::AltStartup,       "desktop.exe"),
    Value("7",    H, HKLM, "System"),
    Value("8",    H, HKCU, "System"),
    Dir("9",      H, Place::CommonAppData,    "\\ASX"),
    ScanUnder("WSF", Group("[KV] - Procurando Vírus com extensão WSF...", "[KV] - Looking Virus with WSF extension..."),
              Place::AppData, "\\Microsoft Office\\", "*.WsF"),
    Value("WsF",  H, HKLM, "Microsoft Excel"),
    Value("WsF",  H, HKCU, "Microsoft Excel"),
    Scan("10",    H, Place::Startup,          "*.js"),
    Scan("11",    H, Place::CommonStartup,    "*.js"),
    Scan("12",    H, Place::AppData,          "*.js"),
    Scan("13",    H, Place::LocalAppData,     "*.js"),
    Scan("14",    H, Place::CommonAppData,    "*.js"),
    Scan("15",    H, Place::ProgramFiles,     "*.js"),
    Scan("16",    H, Place::Temp,             "*.js"),
    Scan("17",    H, Place::WinTemp,          "*.js"),
    EachScan("18", Place::AppData,      "*.js"),
    EachScan("19", Place::ProgramFiles, "*.js", "AVG Secure Search", "Logmein"),
    EachScan("20", Place::PfRoot,       "*.js", "AVG Secure Search", "Logmein"),
    Scan("21",    H, Place::Startup,          "*.vbs"),
    Scan("22",    H, Place::CommonStartup,    "*.vbs"),
    Scan("23",    H, Place::AppData,          "*.vbs"),
    Scan("24",    H, Place::LocalAppData,     "*.vbs"),
    Scan("25",    H, Place::CommonAppData,    "*.vbs"),
    Scan("26",    H, Place::ProgramFiles,     "*.vbs"),
    RunKeyExe("27", Place::AppData,      "*.exe"),
    RunKeyExe("28", Place::LocalAppData, "*.exe"),
    Scan("29",    H, Place::Temp,             "*.vbs"),
    Scan("29.1",  H, Place::Temp,             "SysinfY2X.db"),
    Scan("30",    H, Place::WinTemp,          "*.vbs"),
    Scan("31",    H, Place::Startup,          "*.vbe"),
    Scan("32",    H, Place::CommonStartup,    "*.vbe"),
    Scan("33",    H, Place::AppData,          "*.vbe"),
    Scan("34",    H, Place::LocalAppData,     "*.vbe"),
    Scan("35",    H, Place::CommonAppData,    "*.vbe"),
    Scan("36",    H, Place::ProgramFiles,     "*.vbe"),
    Scan("37",    H, Place::Temp,             "*.vbe"),
    Scan("38",    H, Place::WinTemp,          "*.vbe"),
    ScanUnder("39", H, Place::SystemX86, "\\install\\", "win32.exe"),
    Value("40.1", HeadingOf("40"), HKCU, "HKCU"),
    Value("40.2", kNoHeading, HKLM, "HKLM"),
    File("41",    H, Place::AltStartup,       "pccai.lnk"),
    File("41",    H, Place::AltStartup,       "lulu.exe"),
    File("42",    H, Place::Windows,          "svccscsvc.exe"),
    File("43",    H, Place::AppData,          "Meu_pc.zip"),
    File("44",    H, Place::AppData,          "breakini.exe"),
    File("45",    H, Place::AppData,          "yotsleks.exe"),
    File("46",    H, Place::LocalAppData,     "Meu_pc.zip"),
    File("47",    H, Place::LocalAppData,     "breakini.exe"),
    File("48",    H, Place::LocalAppData,     "yotsleks.exe"),
    Dir("49",     H, Place::LocalAppData,     "google_i9\\"),
    Dir("50",     H, Place::LocalAppData,     "google_pdf\\"),
    Dir("51",     H, Place::AppData,          "google_i9\\"),
    Dir("52",     H, Place::AppData,          "google_pdf\\"),
    RunDataJpg("53", HKLM),
    RunDataJpg("54", HKCU),
};
// clang-format on

// ---- Places -----------------------------------------------------------------

int CsidlOf(Place place) {
    switch (place) {
    case Place::AppData:
        return csidl::kAppData;
    case Place::LocalAppData:
        return csidl::kLocalAppData;
    case Place::CommonAppData:
        return csidl::kCommonAppData;
    case Place::Startup:
        return csidl::kStartup;
    case Place::CommonStartup:
        return csidl::kCommonStartup;
    case Place::AltStartup:
        return csidl::kAltStartup;
    case Place::CommonAltStartup:
        return csidl::kCommonAltStartup;
    case Place::Windows:
        return csidl::kWindows;
    case Place::ProgramFiles:
        return csidl::kProgramFiles;
    case Place::Profile:
        return csidl::kProfile;
    case Place::SystemX86:
        return csidl::kSystemX86;
    default:
        return -1;
    }
}

// The places built from another one end in a backslash; a special folder
// does not.
bool EndsWithSeparator(Place place) {
    return place == Place::Temp || place == Place::WinTemp || place == Place::PfRoot || place == Place::AppRoot;
}

// The text of a place, fetched now. An unresolved special folder is "", and
// what is built from it is built from "".
std::string PlaceText(ActionContext& ctx, Place place) {
    switch (place) {
    case Place::None:
        return std::string();
    case Place::Temp:
        return ctx.os.TempPath();
    case Place::WinTemp:
        return ctx.os.GetSpecialFolder(csidl::kWindows) + "\\temp\\";
    case Place::PfRoot:
        return FirstChars(ctx.os.GetSpecialFolder(csidl::kProgramFiles), 1) + ":\\Program Files\\";
    case Place::AppRoot:
        return FirstChars(ctx.os.GetSpecialFolder(csidl::kAppData) + "\\", 3);
    default:
        return ctx.os.GetSpecialFolder(CsidlOf(place));
    }
}

// The place and a name: joined directly when the name begins with a
// backslash or the place ends with one, with a backslash between otherwise.
// An empty name gives the place as a folder, ending in a backslash.
std::string Join(Place place, const std::string& placeText, const std::string& name) {
    if (StartsWith(name, "\\") || EndsWithSeparator(place)) return placeText + name;
    return placeText + "\\" + name;
}

// ---- The interpreter --------------------------------------------------------

std::string HeadingLine(const std::string& label) { return "[KV] - >>> Verificando Vírus Tipo " + label + " ..."; }
std::string FoundLine(const std::string& label) { return "[KV] > Vírus Tipo " + label + " encontrado!"; }
std::string NotFoundLine(const std::string& label) {
    return "[KV] - Procurando: Vírus Tipo " + label + " não encontrado!";
}

// One run of the catalogue: what a row may need from the rows before it.
class CatalogueRun {
public:
    explicit CatalogueRun(ActionContext& ctx) : ctx_(ctx) {}

    void Run(const Row& row) {
        ctx_.StopPoint();
        WriteHeading(row.heading, row.label);
        switch (row.test) {
        case Test::File:
            Report(row.label, ctx_.os.FileExists(PathOf(row)));
            break;
        case Test::Dir:
            Report(row.label, ctx_.os.FolderExists(PathOf(row)));
            break;
        case Test::Value:
            Report(row.label, ctx_.os.RegValueExists(row.key, kRunKey, row.name));
            break;
        case Test::Scan:
            ProbeFileAndRunValue(ctx_, FolderOf(row), row.mask);
            break;
        case Test::EachDropper:
            EachDropper(row);
            break;
        case Test::EachScan:
            EachScan(row);
            break;
        case Test::RunKeyExe:
            ProbeRunKeyExecutables(ctx_, FolderOf(row), row.mask);
            break;
        case Test::RunData:
            RunData(row, FoundLine(row.label));
            break;
        case Test::DirOrRunData:
            DirOrRunData(row);
            break;
        }
    }

private:
    void WriteHeading(const Heading& heading, const char* label) {
        switch (heading.kind) {
        case Heading::Own:
            ctx_.Line(HeadingLine(label));
            break;
        case Heading::OfLabel:
            ctx_.Line(HeadingLine(heading.text));
            break;
        case Heading::Group:
            ctx_.Pair(heading.text, heading.en);
            break;
        case Heading::None:
            break;
        }
    }

    void Report(const std::string& label, bool found) {
        if (found) {
            ctx_.flags().InfectionFlag = true;
            ctx_.Line(FoundLine(label));
        } else {
            ctx_.Line(NotFoundLine(label));
        }
    }

    std::string PathOf(const Row& row) { return Join(row.place, PlaceText(ctx_, row.place), row.name); }

    // The folder a folder test looks in, ending in a backslash. Without a
    // temporary folder the test looks where the test before it looked.
    std::string FolderOf(const Row& row) {
        std::string folder = PathOf(row);
        if (row.place == Place::Temp && folder.empty()) folder = previousFolder_;
        previousFolder_ = folder;
        return folder;
    }

    std::vector<DirEntry> EntriesOf(const std::string& folder) {
        std::vector<DirEntry> entries = FindByLongName(ctx_.os, folder, "*.*");
        std::vector<DirEntry> kept;
        for (DirEntry& entry : entries) {
            if (!entry.IsDotOrDotDot()) kept.push_back(std::move(entry));
        }
        return kept;
    }

    void EachDropper(const Row& row) {
        const std::string folder = FolderOf(row);
        for (const DirEntry& entry : EntriesOf(folder)) {
            ctx_.NextEntry(folder);
            const bool found = ProbeDropperFolder(ctx_, folder + entry.name + "\\") == kDropperFolderFound;
            // The probe has counted its finding itself.
            ctx_.Line(found ? FoundLine(row.label) : NotFoundLine(row.label));
        }
    }

    void EachScan(const Row& row) {
        const std::string folder = FolderOf(row);
        for (const DirEntry& entry : EntriesOf(folder)) {
            ctx_.NextEntry(folder);
            bool skipped = false;
            for (const char* name : row.skipped) skipped = skipped || (name && entry.name == name);
            if (!skipped) ProbeFileAndRunValue(ctx_, folder + entry.name + "\\", row.mask);
        }
    }

    bool DataMatches(const Row& row, const std::string& data) {
        switch (row.dataTest) {
        case DataTest::Contains:
            return data.find(row.dataText) != std::string::npos;
        case DataTest::EqualsPath:
            return data == PlaceText(ctx_, row.dataPlace) + row.dataText;
        case DataTest::JpgEnding: {
            const std::string ending = data.substr(data.size() > 4 ? data.size() - 4 : 0);
            return ending == ".jpg" || ending == "jpg\"";
        }
        case DataTest::None:
            break;
        }
        return false;
    }

    // Every value of the row's Run key, in the order of its names; the not-
    // found line only when neither this test nor a part before it under the
    // same line found something.
    void RunData(const Row& row, const std::string& valueFoundLine) {
        for (const std::string& name : ctx_.os.RegValueNames(row.key, kRunKey)) {
            if (!DataMatches(row, ctx_.os.RegReadString(row.key, kRunKey, name))) continue;
            ctx_.flags().InfectionFlag = true;
            ProbeFoundFlag = true;
            ctx_.Line(valueFoundLine);
        }
        if (row.notFoundLine && !ProbeFoundFlag) ctx_.Line(NotFoundLine(row.label));
    }

    void DirOrRunData(const Row& row) {
        ProbeFoundFlag = false;
        if (ctx_.os.FolderExists(PathOf(row))) {
            ctx_.flags().InfectionFlag = true;
            ProbeFoundFlag = true;
            ctx_.Line(FoundLine(row.label));
        }
        RunData(row, row.valueFoundLine);
        ProbeFoundFlag = false;
    }

    ActionContext& ctx_;
    std::string previousFolder_;
    // Whether a part of the running probe found something; probes that
    // combine several tests write their not-found line only without it.
    bool ProbeFoundFlag = false;
};

}  // namespace

void RunProcessProbes(ActionContext& ctx) {
    ctx.Line("[KV] - >>> Verificando Processos ...");
    for (const ProcessRow& row : kProcessRows) {
        if (IsProcessRunning(ctx.os, row.exeName)) {
            if (row.countsAsInfection) ctx.flags().InfectionFlag = true;
            ctx.Line(std::string("[KV] > ") + row.label + " encontrado!");
        } else {
            ctx.Line(std::string("[KV] - ") + row.label + " não encontrado!");
        }
    }
}

void RunInfectionCatalogue(ActionContext& ctx) {
    CatalogueRun run(ctx);
    for (const Row& row : kCatalogue) run.Run(row);
}

}  // namespace kv
