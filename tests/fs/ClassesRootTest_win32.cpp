#include "fs/ClassesRoot_win32.h"
#include "fs/WideText_win32.h"

#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace arbolink {
namespace {

// A class key of the test's own under HKEY_CLASSES_ROOT, removed when the test ends.
class ClassKey {
public:
    explicit ClassKey(const std::wstring& name) : name_(name) {}
    ~ClassKey() { RegDeleteTreeW(HKEY_CLASSES_ROOT, name_.c_str()); }
    bool SetDefault(const std::wstring& subKey, const std::wstring& value) {
        HKEY key = nullptr;
        const std::wstring path = subKey.empty() ? name_ : name_ + L"\\" + subKey;
        if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &key, nullptr) != ERROR_SUCCESS) {
            return false;
        }
        LSTATUS status =
            RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
        return status == ERROR_SUCCESS;
    }

private:
    std::wstring name_;
};

TEST(ReadClassesRootDefault, ReadsTheUnnamedValueOfAKey) {
    ClassKey document(L"Arbolink.TestDocument");
    if (!document.SetDefault(L"", L"文書 한글") ||
        !document.SetDefault(L"shell\\open\\command", L"\"C:\\Browser\\b.exe\" \"%1\"")) {
        GTEST_SKIP() << "the class keys cannot be written here";
    }
    std::string value;
    ASSERT_TRUE(ReadClassesRootDefault("Arbolink.TestDocument", value));
    EXPECT_EQ(value, "文書 한글");
    ASSERT_TRUE(ReadClassesRootDefault("Arbolink.TestDocument\\shell\\open\\command", value));
    EXPECT_EQ(value, "\"C:\\Browser\\b.exe\" \"%1\"");
    EXPECT_FALSE(ReadClassesRootDefault("Arbolink.TestDocument\\missing", value));
}

TEST(ReadClassesRootDefault, AKeyWithoutADefaultValueFails) {
    ClassKey document(L"Arbolink.TestEmpty");
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, L"Arbolink.TestEmpty", 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    std::string value = "unchanged";
    EXPECT_FALSE(ReadClassesRootDefault("Arbolink.TestEmpty", value));
    EXPECT_EQ(value, "unchanged");
}

} // namespace
} // namespace arbolink
