#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

std::string wholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A line written by hand is not a setting: the first save rewrites the file
// without it, keeps the file as it was beside it, says so once, and every
// save after it is judged on its own.
TEST(QtSettingsStore, ALineWrittenByHandIsKeptAsideToldOnceAndSpoilsNoSave) {
    TempDir dir;
    const std::string path = dir / "QV_SYNCWARD.ini";
    std::ofstream(path) << "# my settings\n[LTC1]\nUSER_COUNT_TIME_TEXTBOX=00:02:00\n";
    QtSettingsStore store(QString::fromStdString(path));
    EXPECT_EQ(store.get("LTC1", "USER_COUNT_TIME_TEXTBOX", "?"), "00:02:00");

    ASSERT_TRUE(store.save("LTC1", "MULTILOADER_LAST_RUN_TEXTBOX", "!!! COMPLETED SUCCESSFULLY !!!"));
    ASSERT_TRUE(store.save("LTC1", "MAIN-Left", "2000"));
    EXPECT_EQ(wholeFile(path).find("# my settings"), std::string::npos);
    const std::string kept = QtSettingsStore::keptCopyOf(QString::fromStdString(path)).toStdString();
    EXPECT_NE(wholeFile(kept).find("# my settings"), std::string::npos);
    struct stat info {};
    ASSERT_EQ(::stat(kept.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    const std::string notice = store.takeUnreadLinesNotice();
    EXPECT_NE(notice.find(path), std::string::npos) << notice;
    EXPECT_NE(notice.find(kept), std::string::npos) << notice;
    EXPECT_EQ(store.takeUnreadLinesNotice(), "");

    QtSettingsStore fresh(QString::fromStdString(path));
    EXPECT_EQ(fresh.get("LTC1", "USER_COUNT_TIME_TEXTBOX", "?"), "00:02:00");
    EXPECT_EQ(fresh.get("LTC1", "MAIN-Left", "?"), "2000");
    EXPECT_EQ(fresh.takeUnreadLinesNotice(), "");
}

// A save that cannot reach the disk fails, and only that one: once the
// folder is back, the next save stores it and what failed before.
TEST(QtSettingsStore, AFailedSaveSpoilsNoLaterSave) {
    TempDir dir;
    namespace fs = std::filesystem;
    const std::string folder = dir / "config";
    const std::string path = folder + "/QV_SYNCWARD.ini";
    QtSettingsStore store(QString::fromStdString(path));
    ASSERT_TRUE(store.save("LTC1", "MAIN-Left", "1000"));

    // A file where the folder was: no write gets through, not even as root.
    fs::rename(folder, dir / "away");
    std::ofstream(folder) << "in the way";
    EXPECT_FALSE(store.save("LTC1", "MAIN-Left", "2000"));
    fs::remove(folder);
    fs::rename(dir / "away", folder);

    EXPECT_TRUE(store.save("LTC1", "MAIN-Top", "3000"));
    EXPECT_TRUE(store.save("LTC1", "MAIN-Top", "4000"));
    QtSettingsStore fresh(QString::fromStdString(path));
    EXPECT_EQ(fresh.get("LTC1", "MAIN-Top", "?"), "4000");
}

}  // namespace
}  // namespace syncward::testing
