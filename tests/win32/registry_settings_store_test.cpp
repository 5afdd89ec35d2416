#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/win32/registry_settings_store.h"
#include "platform/win32/wide_text.h"
#include "win32/win32_test_support.h"

namespace syncward::testing {
namespace {

// An application key of its own under HKEY_CURRENT_USER, removed with all
// it holds afterwards, so the tests never touch the program's settings.
class ScratchApplicationKey {
public:
    ScratchApplicationKey() : path_("Software\\" + uniqueName("SYNCWARD-TEST")) {}
    ~ScratchApplicationKey() { ::RegDeleteTreeW(HKEY_CURRENT_USER, widen(path_).c_str()); }
    ScratchApplicationKey(const ScratchApplicationKey&) = delete;
    ScratchApplicationKey& operator=(const ScratchApplicationKey&) = delete;

    const std::string& path() const { return path_; }

    // The value as the registry holds it, when it is a string.
    std::optional<std::wstring> rawString(const std::string& section, const std::string& key) const {
        wchar_t data[512];
        DWORD bytes = sizeof data;
        DWORD type = 0;
        if (::RegGetValueW(HKEY_CURRENT_USER, widen(path_ + "\\" + section).c_str(), widen(key).c_str(),
                           RRF_RT_ANY, &type, data, &bytes) != ERROR_SUCCESS ||
            type != REG_SZ)
            return std::nullopt;
        return std::wstring(data, bytes / sizeof(wchar_t) - 1);
    }

private:
    std::string path_;
};

// The help window shows where a copy's settings are: the key a user opens
// in the registry editor, where the values saved under it really are.
TEST(RegistrySettingsStore, TellsTheKeyWhereASectionLives) {
    ScratchApplicationKey application;
    RegistrySettingsStore store(application.path());
    const std::string location = store.locationOf("LTC1");
    EXPECT_EQ(location, "HKEY_CURRENT_USER\\" + application.path() + "\\LTC1");
    ASSERT_TRUE(store.save("LTC1", "MAIN-Left", "2000"));
    EXPECT_EQ(application.rawString("LTC1", "MAIN-Left"), L"2000");
    EXPECT_EQ(RegistrySettingsStore().locationOf("BTC1"),
              "HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\QV_SYNCWARD\\BTC1");
}

TEST(RegistrySettingsStore, AbsentGivesTheDefaultEmptyStaysEmptyAndSectionsAreSeparate) {
    ScratchApplicationKey application;
    RegistrySettingsStore store(application.path());
    EXPECT_EQ(store.get("BTC1", "USER_COUNT_TIME_TEXTBOX", "00:05:00"), "00:05:00");
    ASSERT_TRUE(store.save("BTC1", "CRYPTO_NAME_TEXTBOX", ""));
    EXPECT_EQ(store.get("BTC1", "CRYPTO_NAME_TEXTBOX", "default"), "");
    ASSERT_TRUE(store.save("LTC2", "CRYPTO_NAME_TEXTBOX", "Litecoin"));
    ASSERT_TRUE(store.save("SYNCWARD-SHARED-EMAIL-SETTINGS", "SE_FROM", "node@example.org"));
    EXPECT_EQ(store.get("BTC1", "CRYPTO_NAME_TEXTBOX", "default"), "");
    EXPECT_EQ(store.get("LTC2", "CRYPTO_NAME_TEXTBOX", ""), "Litecoin");
    EXPECT_EQ(store.get("SYNCWARD-SHARED-EMAIL-SETTINGS", "SE_FROM", ""), "node@example.org");
    EXPECT_EQ(store.get("LTC2", "SE_FROM", "none"), "none");
}

TEST(RegistrySettingsStore, EachSectionIsAKeyUnderTheApplicationsKeyHoldingStrings) {
    ScratchApplicationKey application;
    RegistrySettingsStore store(application.path());
    ASSERT_TRUE(store.save("LTC1", "MAIN-Left", "2000"));
    ASSERT_TRUE(store.save("LTC1", "EMPTY", ""));
    ASSERT_TRUE(store.save("SYNCWARD-SHARED-EMAIL-SETTINGS", "SE_PASSWORD", "Grüße"));
    EXPECT_EQ(application.rawString("LTC1", "MAIN-Left"), L"2000");
    EXPECT_EQ(application.rawString("LTC1", "EMPTY"), L"");
    EXPECT_EQ(application.rawString("SYNCWARD-SHARED-EMAIL-SETTINGS", "SE_PASSWORD"), L"Gr\u00fc\u00dfe");
}

TEST(RegistrySettingsStore, EveryTextComesBackExactlyAsSavedAndAnotherCopySeesIt) {
    ScratchApplicationKey application;
    RegistrySettingsStore store(application.path());
    const std::string values[] = {
        "a, b, c",
        "\"quoted\" and 'single'",
        "  leading and trailing  ",
        "871234\r\n",
        "call \"C:\\Program Files\\Bitcoin\\bitcoin-qt.exe\" -conf=C:\\R\\CONFIGS\\BTC1-CRYPTO-CONFIG.conf ",
        "key=value; other=1 # not a comment",
        "Grüße aus Zürich",
        "0",
        std::string(5000, 'x'),
    };
    for (const std::string& value : values) {
        ASSERT_TRUE(store.save("BTC1", "VALUE", value));
        EXPECT_EQ(store.get("BTC1", "VALUE", "?"), value);
        EXPECT_EQ(RegistrySettingsStore(application.path()).get("BTC1", "VALUE", "?"), value);
    }
}

TEST(RegistrySettingsStore, AValueOfAnotherTypeReadsAsAbsent) {
    ScratchApplicationKey application;
    RegistrySettingsStore store(application.path());
    ASSERT_TRUE(store.save("BTC1", "MAIN-Left", "1500"));
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, widen(application.path() + "\\BTC1").c_str(), 0, KEY_SET_VALUE, &key),
              ERROR_SUCCESS);
    const DWORD number = 1500;
    ::RegSetValueExW(key, L"MAIN-Left", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    ::RegCloseKey(key);
    EXPECT_EQ(store.get("BTC1", "MAIN-Left", "1000"), "1000");
    ASSERT_TRUE(store.save("BTC1", "MAIN-Left", "1700"));
    EXPECT_EQ(store.get("BTC1", "MAIN-Left", "1000"), "1700");
}

}  // namespace
}  // namespace syncward::testing
