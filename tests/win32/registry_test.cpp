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

}  // namespace
}  // namespace kv
