#include "platform/win32_registry.h"

#include <gtest/gtest.h>

#include <string>

#include "win32_test_support.h"

namespace {

// Every test works below a key of its own under HKEY_CURRENT_USER\Software and deletes it.
class Win32RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_key = L"Software\\" + win32test::UniqueName(L"KaocgPlatformTest");
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, m_key.c_str(), 0, nullptr, 0,
                                    KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &m_handle, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        ::RegCloseKey(m_handle);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_key.c_str());
        ::RegDeleteKeyW(HKEY_CURRENT_USER, m_key.c_str());
    }

    void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(::RegSetValueExW(m_handle, name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
    }
    void SetText(const wchar_t* name, DWORD type, const std::wstring& text) {
        SetRaw(name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

    std::wstring m_key;
    HKEY m_handle = nullptr;
    platform::Win32Registry m_registry;
};

TEST_F(Win32RegistryTest, ReadsStringsOfBothTypesUnexpandedAndNumbers) {
    SetText(L"InstallInfo", REG_SZ, L"C:\\遊戲\\Quorvane\\");
    SetText(L"Expand", REG_EXPAND_SZ, L"%SystemRoot%\\x");
    const DWORD level = 3;
    SetRaw(L"1", REG_DWORD, &level, sizeof level);

    EXPECT_EQ(m_registry.ReadString(m_key, L"InstallInfo"), L"C:\\遊戲\\Quorvane\\");
    EXPECT_EQ(m_registry.ReadString(m_key, L"Expand"), L"%SystemRoot%\\x");
    EXPECT_EQ(m_registry.ReadDword(m_key, L"1"), 3u);
    // Names compare without regard to case, as on Windows.
    EXPECT_EQ(m_registry.ReadString(m_key, L"installinfo"), L"C:\\遊戲\\Quorvane\\");
}

TEST_F(Win32RegistryTest, RefusesValuesOfAnotherType) {
    SetText(L"Text", REG_SZ, L"7");
    const DWORD number = 7;
    const unsigned long long wide = 7;
    SetRaw(L"Number", REG_DWORD, &number, sizeof number);
    SetRaw(L"Wide", REG_QWORD, &wide, sizeof wide);
    SetRaw(L"Bytes", REG_BINARY, &number, sizeof number);

    EXPECT_FALSE(m_registry.ReadDword(m_key, L"Text"));
    EXPECT_FALSE(m_registry.ReadDword(m_key, L"Wide"));
    EXPECT_FALSE(m_registry.ReadDword(m_key, L"Bytes"));
    EXPECT_FALSE(m_registry.ReadString(m_key, L"Number"));
    EXPECT_FALSE(m_registry.ReadString(m_key, L"Bytes"));
}

TEST_F(Win32RegistryTest, StringsEndAtTheFirstNulWithOrWithoutATerminator) {
    const wchar_t inner[] = L"ab\0cd";
    SetRaw(L"Inner", REG_SZ, inner, sizeof inner);
    const wchar_t bare[] = {L'x', L'y', L'z'};
    SetRaw(L"Bare", REG_SZ, bare, sizeof bare);
    // An odd byte count leaves half a character, which is dropped.
    SetRaw(L"Odd", REG_SZ, bare, sizeof bare - 1);
    SetRaw(L"Empty", REG_SZ, nullptr, 0);

    EXPECT_EQ(m_registry.ReadString(m_key, L"Inner"), L"ab");
    EXPECT_EQ(m_registry.ReadString(m_key, L"Bare"), L"xyz");
    EXPECT_EQ(m_registry.ReadString(m_key, L"Odd"), L"xy");
    EXPECT_EQ(m_registry.ReadString(m_key, L"Empty"), L"");
}

TEST_F(Win32RegistryTest, MissingKeysAndValuesGiveNothingAndAreNotCreated) {
    const std::wstring missing = m_key + L"\\Configs";
    EXPECT_TRUE(m_registry.KeyExists(m_key));
    EXPECT_FALSE(m_registry.KeyExists(missing));
    EXPECT_FALSE(m_registry.ReadString(missing, L"InstallInfo"));
    EXPECT_FALSE(m_registry.ReadDword(m_key, L"GUIDE_MSG_0"));

    EXPECT_FALSE(m_registry.WriteDword(missing, L"GUIDE_MSG_0", 1));
    EXPECT_FALSE(m_registry.KeyExists(missing));
}

TEST_F(Win32RegistryTest, WritesNumbersIntoAnExistingKey) {
    ASSERT_TRUE(m_registry.WriteDword(m_key, L"GUIDE_MSG_1", 1));
    ASSERT_TRUE(m_registry.WriteDword(m_key, L"GUIDE_MSG_1", 0xFFFFFFFFu));

    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    ASSERT_EQ(::RegQueryValueExW(m_handle, L"GUIDE_MSG_1", nullptr, &type,
                                 reinterpret_cast<BYTE*>(&value), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD{REG_DWORD});
    EXPECT_EQ(value, 0xFFFFFFFFu);
    EXPECT_EQ(m_registry.ReadDword(m_key, L"GUIDE_MSG_1"), 0xFFFFFFFFu);
}

}  // namespace
