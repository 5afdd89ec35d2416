#include <sys/stat.h>

#include <gtest/gtest.h>

#include <QString>

#include "platform/posix/qt_settings_store.h"
#include "support/temp_dir.h"

namespace syncward::testing {
namespace {

TEST(QtSettingsStore, AbsentGivesTheDefaultEmptyStaysEmptyAndSectionsAreSeparate) {
    TempDir dir;
    QtSettingsStore store(QString::fromStdString(dir / "QV_SYNCWARD/QV_SYNCWARD.ini"));
    EXPECT_EQ(store.get("BTC1", "USER_COUNT_TIME_TEXTBOX", "00:05:00"), "00:05:00");
    ASSERT_TRUE(store.save("BTC1", "CRYPTO_NAME_TEXTBOX", ""));
    EXPECT_EQ(store.get("BTC1", "CRYPTO_NAME_TEXTBOX", "default"), "");
    ASSERT_TRUE(store.save("LTC2", "CRYPTO_NAME_TEXTBOX", "Litecoin"));
    ASSERT_TRUE(store.save("SYNCWARD-SHARED-EMAIL-SETTINGS", "SE_FROM", "node@example.org"));
    EXPECT_EQ(store.get("BTC1", "CRYPTO_NAME_TEXTBOX", "default"), "");
    EXPECT_EQ(store.get("LTC2", "CRYPTO_NAME_TEXTBOX", ""), "Litecoin");
}

TEST(QtSettingsStore, EveryTextComesBackExactlyAsSaved) {
    TempDir dir;
    QtSettingsStore store(QString::fromStdString(dir / "s.ini"));
    const std::string values[] = {
        "a, b, c",
        "\"quoted\" and 'single'",
        "@Variant(weird)",
        "  leading and trailing  ",
        "871234\r\n",
        "exec '/usr/bin/bitcoin-cli' '-conf=/x y/z.conf' getblockcount > '/h/BLOCKCOUNTS/B-LATEST-BLOCKCOUNT.LOG'",
        "C:\\Program Files\\Bitcoin\\bitcoin-qt.exe",
        "key=value; other=1 # not a comment",
        "Grüße aus Zürich",
        "0",
    };
    for (const std::string& value : values) {
        ASSERT_TRUE(store.save("BTC1", "VALUE", value));
        EXPECT_EQ(store.get("BTC1", "VALUE", "?"), value);
        QtSettingsStore fresh(QString::fromStdString(dir / "s.ini"));
        EXPECT_EQ(fresh.get("BTC1", "VALUE", "?"), value);
    }
}

TEST(QtSettingsStore, ASaveIsOnDiskAtOnceAndSeenByAnotherCopy) {
    TempDir dir;
    const QString path = QString::fromStdString(dir / "QV_SYNCWARD.ini");
    QtSettingsStore first(path);
    QtSettingsStore second(path);
    EXPECT_EQ(second.get("BTC1", "MAIN-Left", "1000"), "1000");
    ASSERT_TRUE(first.save("BTC1", "MAIN-Left", "2000"));
    EXPECT_EQ(second.get("BTC1", "MAIN-Left", "1000"), "2000");
    ASSERT_TRUE(second.save("LTC2", "MAIN-Left", "3000"));
    EXPECT_EQ(first.get("LTC2", "MAIN-Left", "1000"), "3000");
    EXPECT_EQ(first.get("BTC1", "MAIN-Left", "1000"), "2000");
}

TEST(QtSettingsStore, TheFileIsReadableByItsOwnerOnly) {
    TempDir dir;
    const std::string path = dir / "QV_SYNCWARD/QV_SYNCWARD.ini";
    QtSettingsStore store(QString::fromStdString(path));
    ASSERT_TRUE(store.save("SYNCWARD-SHARED-EMAIL-SETTINGS", "SE_PASSWORD", "secret"));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST(QtSettingsStore, TheDefaultFileFollowsXdgConfigHome) {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    ::setenv("XDG_CONFIG_HOME", "/tmp/elsewhere", 1);
    EXPECT_EQ(QtSettingsStore::defaultFilePath().toStdString(), "/tmp/elsewhere/QV_SYNCWARD/QV_SYNCWARD.ini");
    if (old)
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
}

// The help window shows where a copy's settings are: the file and its group.
TEST(QtSettingsStore, TellsWhereASectionLives) {
    TempDir dir;
    const std::string path = dir / "QV_SYNCWARD/QV_SYNCWARD.ini";
    QtSettingsStore store(QString::fromStdString(path));
    EXPECT_EQ(store.locationOf("LTC1"), path + " [LTC1]");
}

}  // namespace
}  // namespace syncward::testing
