// The main window's controls, named as the rest of the program and its tests
// name them. The numbers are the controls' window ids (GetDlgCtrlID), so a
// test driver outside the program finds each control by its name.
#pragma once

namespace kv {

enum class ControlId : int {
    TForm1 = 0,  // the main window itself (its caption is in the caption table)

    PageControl1 = 1000,
    TabSheet1,
    TabSheet2,
    TabSheet3,

    // Virus-removal tab: the check group.
    GroupBox4,
    BitBtn3,
    BitBtn7,
    Label17,
    SpeedButton3,
    DriveComboBox2,
    BitBtn9,
    // The disinfection group.
    GroupBox5,
    BitBtn2,
    Label1,
    SpeedButton1,
    DriveComboBox1,
    BitBtn1,
    Memo1,

    // Tools tab.
    GroupBox6,
    ListBox1,
    BitBtn10,
    BitBtn11,
    GroupBox8,
    Label20,
    Label22,
    Label21,
    Label23,
    Button4,
    GroupBox10,
    BitBtn15,
    GroupBox13,
    BitBtn17,

    // Options tab.
    GroupBox7,
    Label19,
    BitBtn12,
    GroupBox11,
    CheckBox1,
    CheckBox2,
    BitBtn16,

    // Below the tabs.
    Panel2,
    Panel1,
    Label2,
    Label4,
    StaticText1,
    GroupBox9,
    BitBtn13,
    BitBtn14,

    // Under the report area: what the running action is doing, and its stop button.
    ProgressLabel,
    StopButton,
};

constexpr int IdOf(ControlId id) { return static_cast<int>(id); }

// The instructions window's own controls.
enum class InstructionsControlId : int {
    Memo1 = 2000,
    BitBtn1,
};

constexpr int IdOf(InstructionsControlId id) { return static_cast<int>(id); }

// Window classes, for finding the windows from outside.
inline constexpr const wchar_t* kMainWindowClass = L"KvVuduvTForm1";
inline constexpr const wchar_t* kInstructionsWindowClass = L"KvVuduvTformInstrucoes";

}  // namespace kv
