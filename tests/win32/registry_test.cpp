// Win32Platform's registry operations under a key of its own in the private
// prefix's HKEY_CURRENT_USER (Software\KvVuduvTests\<unique>), removed after
// each test.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>
// (windows.h first: the headers below build on it)
#include <aclapi.h>
#include <shlwapi.h>

#include "core/win32/wide.h"
#include "core/win32/win32_platform.h"
#include "tests/win32/win32_test_support.h"

namespace kv {
namespace {

using ::testing::UnorderedElementsAre;

constexpr char kTestsKey[] = "Software\\KvVuduvTests";

// A value as the registry holds it.
struct RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    bool operator==(const RawValue& other) const { return type == other.type && data == other.data; }
};

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        key_ = std::string(kTestsKey) + "\\" + test::UniqueName("run");
        HKEY created = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Widen(key_).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &created, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(created);
    }
    void TearDown() override {
        SHDeleteKeyW(HKEY_CURRENT_USER, Widen(key_).c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, Widen(kTestsKey).c_str());  // only once no other run uses it
    }

    std::string Key(const std::string& sub = std::string()) const { return sub.empty() ? key_ : key_ + "\\" + sub; }

    void SetRaw(const std::string& sub, const std::wstring& name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Widen(Key(sub)).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        RegCloseKey(key);
    }
    // Text stored with its terminating null, as programs normally store it.
    void SetText(const std::string& sub, const std::string& name, const std::string& text, DWORD type = REG_SZ) {
        const std::wstring wide = Widen(text);
        SetRaw(sub, Widen(name), type, wide.c_str(), static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
    }
    void SetDword(const std::string& sub, const std::string& name, DWORD value) {
        SetRaw(sub, Widen(name), REG_DWORD, &value, sizeof(value));
    }

    bool KeyPresent(const std::string& path) const {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, Widen(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }
    // Every value of the tree under path: "sub\key|value name" -> raw value.
    std::map<std::string, RawValue> Tree(const std::string& path, const std::string& prefix = std::string()) const {
        std::map<std::string, RawValue> tree;
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, Widen(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return tree;
        wchar_t name[16384];
        BYTE data[4096];
        for (DWORD index = 0;; ++index) {
            DWORD nameLength = 16384;
            DWORD size = sizeof(data);
            RawValue value;
            if (RegEnumValueW(key, index, name, &nameLength, nullptr, &value.type, data, &size) != ERROR_SUCCESS) break;
            value.data.assign(data, data + size);
            tree[prefix + "|" + Narrow(name, nameLength)] = value;
        }
        for (DWORD index = 0;; ++index) {
            DWORD nameLength = 256;
            if (RegEnumKeyExW(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
                break;
            }
            const std::string sub = Narrow(name, nameLength);
            tree[prefix + "\\" + sub] = RawValue();  // the key itself, even when empty
            for (auto& [where, value] : Tree(path + "\\" + sub, prefix + "\\" + sub)) tree[where] = value;
        }
        RegCloseKey(key);
        return tree;
    }

    Win32Platform os;
    std::string key_;
};

TEST_F(RegistryTest, ValuesAreFoundReadAndListedUnderAnySpellingOfTheKey) {
    SetText("", "Run1", "C:\\Windows\\system32\\wscript.exe \"E:\\x.vbs\"");
    SetText("", "Expand", "%TEMP%\\dropper.exe", REG_EXPAND_SZ);
    SetDword("", "Number", 5);
    SetText("", "Юникод 名前", "данные 数据 😀");
    SetText("", "Empty", "");
    const std::wstring noNull = L"stored without null";  // some programs write text this way
    SetRaw("", L"NoNull", REG_SZ, noNull.data(), static_cast<DWORD>(noNull.size() * sizeof(wchar_t)));

    struct Case {
        const char* name;
        bool exists;
        const char* text;
    };
    const Case cases[] = {
        {"Run1", true, "C:\\Windows\\system32\\wscript.exe \"E:\\x.vbs\""},
        {"Expand", true, "%TEMP%\\dropper.exe"},  // not expanded
        {"Number", true, ""},                     // not text
        {"Юникод 名前", true, "данные 数据 😀"},
        {"Empty", true, ""},
        {"NoNull", true, "stored without null"},
        {"Missing", false, ""},
    };
    for (const std::string& spelling : {key_, "\\" + key_, key_ + "\\", "\\" + key_ + "\\"}) {
        SCOPED_TRACE(spelling);
        for (const Case& c : cases) {
            EXPECT_EQ(os.RegValueExists(RegRoot::CurrentUser, spelling, c.name), c.exists) << c.name;
            EXPECT_EQ(os.RegReadString(RegRoot::CurrentUser, spelling, c.name), c.text) << c.name;
        }
        EXPECT_TRUE(os.RegKeyExists(RegRoot::CurrentUser, spelling));
        EXPECT_THAT(os.RegValueNames(RegRoot::CurrentUser, spelling),
                    UnorderedElementsAre("Run1", "Expand", "Number", "Юникод 名前", "Empty", "NoNull"));
    }
}

TEST_F(RegistryTest, AMissingKeyBehavesAsAKeyWithoutValues) {
    const std::string missing = Key("Missing");
    EXPECT_FALSE(os.RegKeyExists(RegRoot::CurrentUser, missing));
    EXPECT_FALSE(os.RegValueExists(RegRoot::CurrentUser, missing, "Run1"));
    EXPECT_EQ(os.RegReadString(RegRoot::CurrentUser, missing, "Run1"), "");
    EXPECT_TRUE(os.RegValueNames(RegRoot::CurrentUser, missing).empty());
    EXPECT_FALSE(os.RegRemoveValue(RegRoot::CurrentUser, missing, "Run1"));
    EXPECT_FALSE(KeyPresent(missing));
}

TEST_F(RegistryTest, RemoveValueRemovesThatValueOnly) {
    SetText("", "Malware", "E:\\virus.exe");
    SetText("", "Keep", "C:\\good.exe");
    EXPECT_TRUE(os.RegRemoveValue(RegRoot::CurrentUser, key_, "Malware"));
    EXPECT_FALSE(os.RegRemoveValue(RegRoot::CurrentUser, key_, "Malware"));
    EXPECT_THAT(os.RegValueNames(RegRoot::CurrentUser, key_), UnorderedElementsAre("Keep"));
}

// Without administrator rights a key of HKEY_LOCAL_MACHINE opens for reading
// but not for writing. Such a key is modelled here by one whose access list
// grants reading only: its values must still be seen.
TEST_F(RegistryTest, AKeyThatCanOnlyBeReadIsStillReadAndListed) {
    SetText("Locked", "Dropper", "C:\\ProgramData\\x.exe");
    HKEY locked = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, Widen(Key("Locked")).c_str(), 0, READ_CONTROL | WRITE_DAC, &locked),
              ERROR_SUCCESS);
    EXPLICIT_ACCESSW readOnly{};
    readOnly.grfAccessPermissions = KEY_READ;
    readOnly.grfAccessMode = SET_ACCESS;
    readOnly.grfInheritance = NO_INHERITANCE;
    readOnly.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
    readOnly.Trustee.ptstrName = const_cast<wchar_t*>(L"EVERYONE");
    PACL acl = nullptr;
    ASSERT_EQ(SetEntriesInAclW(1, &readOnly, nullptr, &acl), static_cast<DWORD>(ERROR_SUCCESS));
    ASSERT_EQ(SetSecurityInfo(locked, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                              nullptr, nullptr, acl, nullptr),
              static_cast<DWORD>(ERROR_SUCCESS));
    LocalFree(acl);

    HKEY probe = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, Widen(Key("Locked")).c_str(), 0, KEY_READ | KEY_WRITE, &probe),
              ERROR_ACCESS_DENIED)
        << "the access list should refuse writing";

    EXPECT_TRUE(os.RegKeyExists(RegRoot::CurrentUser, Key("Locked")));
    EXPECT_TRUE(os.RegValueExists(RegRoot::CurrentUser, Key("Locked"), "Dropper"));
    EXPECT_EQ(os.RegReadString(RegRoot::CurrentUser, Key("Locked"), "Dropper"), "C:\\ProgramData\\x.exe");
    EXPECT_THAT(os.RegValueNames(RegRoot::CurrentUser, Key("Locked")), UnorderedElementsAre("Dropper"));
    EXPECT_FALSE(os.RegRemoveValue(RegRoot::CurrentUser, Key("Locked"), "Dropper"));
    EXPECT_TRUE(os.RegValueExists(RegRoot::CurrentUser, Key("Locked"), "Dropper"));

    // Open again to everyone, so the test key can be deleted.
    EXPECT_EQ(SetSecurityInfo(locked, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, nullptr, nullptr),
              static_cast<DWORD>(ERROR_SUCCESS));
    RegCloseKey(locked);
}

class RegistryMoveTest : public RegistryTest, public ::testing::WithParamInterface<bool> {
protected:
    void MakeSource() {
        SetText("FileExts", "", "default value");
        SetText("FileExts\\.lnk", "Progid", "lnkfile");
        SetDword("FileExts\\.lnk\\OpenWithList", "a", 1);
        const BYTE binary[] = {0, 1, 2, 0xFF};
        SetRaw("FileExts\\.lnk\\UserChoice", L"Hash", REG_BINARY, binary, sizeof(binary));
        SetText("FileExts\\.exe", "Ünïcode", "värde 値", REG_EXPAND_SZ);
        SetRaw("FileExts\\.empty", L"", REG_NONE, nullptr, 0);
    }
};

TEST_P(RegistryMoveTest, MoveKeyCopiesTheWholeTreeAndDeletesTheOldOneWhenAsked) {
    const bool deleteOld = GetParam();
    MakeSource();
    const std::map<std::string, RawValue> before = Tree(Key("FileExts"));
    ASSERT_EQ(before.size(), 11u);  // 5 keys, 6 values

    EXPECT_TRUE(os.RegMoveKey(RegRoot::CurrentUser, "\\" + Key("FileExts"), Key("FileExtsoldkv") + "\\", deleteOld));
    EXPECT_EQ(Tree(Key("FileExtsoldkv")), before);
    EXPECT_EQ(KeyPresent(Key("FileExts")), !deleteOld);
    if (!deleteOld) {
        EXPECT_EQ(Tree(Key("FileExts")), before);
    }
}

INSTANTIATE_TEST_SUITE_P(DeleteOld, RegistryMoveTest, ::testing::Bool());

TEST_F(RegistryTest, MoveKeyMovesNothingOntoAnExistingKeyIntoItselfOrFromNowhere) {
    SetText("FileExts", "Progid", "lnkfile");
    SetText("FileExtsoldkv", "Earlier", "kept");
    const std::map<std::string, RawValue> source = Tree(Key("FileExts"));
    const std::map<std::string, RawValue> target = Tree(Key("FileExtsoldkv"));

    EXPECT_FALSE(os.RegMoveKey(RegRoot::CurrentUser, Key("FileExts"), Key("FileExtsoldkv"), true));
    EXPECT_EQ(Tree(Key("FileExts")), source);
    EXPECT_EQ(Tree(Key("FileExtsoldkv")), target);

    EXPECT_FALSE(os.RegMoveKey(RegRoot::CurrentUser, Key("FileExts"), Key("FileExts\\Inner"), true));
    EXPECT_EQ(Tree(Key("FileExts")), source);

    EXPECT_FALSE(os.RegMoveKey(RegRoot::CurrentUser, Key("Missing"), Key("Elsewhere"), true));
    EXPECT_FALSE(KeyPresent(Key("Elsewhere")));
}

// On 64-bit Windows HKEY_LOCAL_MACHINE\Software has a 32-bit and a 64-bit
// view. Values are planted here in one view each, with the view flags, under
// a key of the test's own (Software\KvVuduvTests\<unique>, which both views
// hold apart) or under the Policies key, which Wine shares between them.
class RegistryViewsTest : public ::testing::Test {
protected:
    static constexpr REGSAM kViews[] = {KEY_WOW64_64KEY, KEY_WOW64_32KEY};

    void SetUp() override { key_ = std::string(kTestsKey) + "\\" + test::UniqueName("views"); }
    void TearDown() override {
        for (const std::string& parent : {std::string(kTestsKey), std::string(kSharedParent)}) {
            for (const REGSAM view : kViews) {
                HKEY opened = nullptr;
                if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Widen(parent).c_str(), 0, KEY_ALL_ACCESS | view, &opened) !=
                    ERROR_SUCCESS) {
                    continue;
                }
                const std::string own = key_.substr(key_.rfind('\\') + 1);
                SHDeleteKeyW(opened, Widen(own).c_str());
                RegCloseKey(opened);
            }
        }
        for (const REGSAM view : kViews) {
            HKEY software = nullptr;
            if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software", 0, KEY_ALL_ACCESS | view, &software) == ERROR_SUCCESS) {
                RegDeleteKeyW(software, L"KvVuduvTests");  // only once no other run uses it
                RegCloseKey(software);
            }
        }
    }

    void Plant(REGSAM view, const std::string& key, const std::string& name, const std::string& text) {
        HKEY created = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, Widen(key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view,
                                  nullptr, &created, nullptr),
                  ERROR_SUCCESS);
        if (!name.empty()) {
            const std::wstring wide = Widen(text);
            EXPECT_EQ(RegSetValueExW(created, Widen(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                                     static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))),
                      ERROR_SUCCESS);
        }
        RegCloseKey(created);
    }
    // Whether one view holds the value, read with plain calls.
    static bool Holds(REGSAM view, const std::string& key, const std::string& name) {
        HKEY opened = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, Widen(key).c_str(), 0, KEY_READ | view, &opened) != ERROR_SUCCESS) {
            return false;
        }
        const bool held =
            RegQueryValueExW(opened, Widen(name).c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
        RegCloseKey(opened);
        return held;
    }

    static constexpr char kSharedParent[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies";
    std::string SharedKey() const { return std::string(kSharedParent) + "\\" + key_.substr(key_.rfind('\\') + 1); }

    Win32Platform os;
    std::string key_;
};

TEST_F(RegistryViewsTest, AValueOfEitherViewIsFoundReadListedOnceAndRemovedFromBoth) {
    Plant(KEY_WOW64_64KEY, key_, "Only64", "C:\\Windows\\System32\\wscript.exe E:\\a.vbs");
    Plant(KEY_WOW64_64KEY, key_, "Both", "from the 64-bit view");
    Plant(KEY_WOW64_32KEY, key_, "Only32", "C:\\ProgramData\\dropper.exe");
    Plant(KEY_WOW64_32KEY, key_, "BOTH", "from the 32-bit view");  // the same value name, in other letters
    Plant(KEY_WOW64_32KEY, key_, "Later32", "C:\\x.exe");
    Plant(KEY_WOW64_32KEY, key_ + "\\Only32Key", "", "");
    ASSERT_FALSE(Holds(KEY_WOW64_32KEY, key_, "Only64")) << "the views should be apart";

    for (const char* name : {"Only64", "Only32", "Both", "both"}) {
        EXPECT_TRUE(os.RegValueExists(RegRoot::LocalMachine, key_, name)) << name;
    }
    EXPECT_FALSE(os.RegValueExists(RegRoot::LocalMachine, key_, "Missing"));
    EXPECT_EQ(os.RegReadString(RegRoot::LocalMachine, "\\" + key_ + "\\", "Only32"), "C:\\ProgramData\\dropper.exe");
    EXPECT_EQ(os.RegReadString(RegRoot::LocalMachine, key_, "Only64"), "C:\\Windows\\System32\\wscript.exe E:\\a.vbs");
    EXPECT_EQ(os.RegReadString(RegRoot::LocalMachine, key_, "Both"), "from the 64-bit view");
    EXPECT_TRUE(os.RegKeyExists(RegRoot::LocalMachine, key_ + "\\Only32Key"));
    EXPECT_FALSE(os.RegKeyExists(RegRoot::LocalMachine, key_ + "\\Missing"));

    // The 64-bit view's names first, then the 32-bit view's other names.
    const std::vector<std::string> names = os.RegValueNames(RegRoot::LocalMachine, key_);
    ASSERT_EQ(names.size(), 4u) << ::testing::PrintToString(names);
    EXPECT_THAT(std::vector<std::string>(names.begin(), names.begin() + 2), UnorderedElementsAre("Only64", "Both"));
    EXPECT_THAT(std::vector<std::string>(names.begin() + 2, names.end()), UnorderedElementsAre("Only32", "Later32"));

    EXPECT_TRUE(os.RegRemoveValue(RegRoot::LocalMachine, key_, "both"));
    EXPECT_TRUE(os.RegRemoveValue(RegRoot::LocalMachine, key_, "Only32"));
    EXPECT_TRUE(os.RegRemoveValue(RegRoot::LocalMachine, key_, "Only64"));
    EXPECT_FALSE(os.RegRemoveValue(RegRoot::LocalMachine, key_, "Only32"));
    for (const REGSAM view : kViews) {
        for (const char* name : {"Only64", "Both", "Only32"}) {
            EXPECT_FALSE(Holds(view, key_, name)) << name << " in view " << view;
        }
    }
    EXPECT_TRUE(Holds(KEY_WOW64_32KEY, key_, "Later32"));
    EXPECT_THAT(os.RegValueNames(RegRoot::LocalMachine, key_), UnorderedElementsAre("Later32"));
}

TEST_F(RegistryViewsTest, AKeySharedByTheViewsYieldsEachValueOnce) {
    Plant(KEY_WOW64_64KEY, SharedKey(), "Run1", "C:\\x.exe");
    ASSERT_TRUE(Holds(KEY_WOW64_32KEY, SharedKey(), "Run1")) << "Wine should share this key between the views";

    EXPECT_THAT(os.RegValueNames(RegRoot::LocalMachine, SharedKey()), ::testing::ElementsAre("Run1"));
    EXPECT_EQ(os.RegReadString(RegRoot::LocalMachine, SharedKey(), "Run1"), "C:\\x.exe");
    EXPECT_TRUE(os.RegRemoveValue(RegRoot::LocalMachine, SharedKey(), "Run1"));
    EXPECT_FALSE(Holds(KEY_WOW64_64KEY, SharedKey(), "Run1"));
    EXPECT_FALSE(os.RegValueExists(RegRoot::LocalMachine, SharedKey(), "Run1"));
}

}  // namespace
}  // namespace kv
