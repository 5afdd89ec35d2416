// Random stored values and readings through every parser that takes text
// from outside (the settings file, the block-count file): none may crash,
// read out of bounds, overflow, or accept what it must refuse. The inputs
// come from a fixed seed, so a finding repeats; the sanitizer build runs
// the same loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "core/reports/end_report.h"
#include "core/blockcounter/reading.h"
#include "core/state/section_settings.h"
#include "core/time/clock_text.h"
#include "support/fake_platform.h"

namespace syncward::testing {
namespace {

constexpr int inputCount = 20000;

// Texts near the shapes the parsers expect: digits, separators, signs,
// blanks, line ends, now and then a long run or a byte from anywhere.
class TextSource {
public:
    std::string next() {
        static const std::string alphabet = "0123456789::: +-\r\n\t.x";
        std::string text;
        const int length = pick(0, 9) == 0 ? pick(0, 400) : pick(0, 12);
        for (int i = 0; i < length; ++i)
            text += pick(0, 19) == 0 ? static_cast<char>(pick(0, 255))
                                     : alphabet[static_cast<std::size_t>(pick(0, int(alphabet.size()) - 1))];
        return text;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    std::mt19937 random_{20261207};
};

bool allDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

TEST(ParserFuzz, TimesIntervalsTicksNumbersReadingsAndReportCounts) {
    TextSource source;
    FakeSettingsStore store;
    const SectionSettings settings(store, "BTC1");
    for (int i = 0; i < inputCount; ++i) {
        const std::string text = source.next();
        SCOPED_TRACE(::testing::PrintToString(text));

        if (const auto seconds = parseTimeOfDay(text)) {
            ASSERT_GE(*seconds, 0);
            ASSERT_LT(*seconds, secondsPerDay);
            ASSERT_EQ(parseTimeOfDay(formatHms(*seconds)), seconds);  // what it shows reads back
        }
        if (const auto interval = parseInterval(text)) {
            ASSERT_GT(*interval, 0);
        }

        store.put("BTC1", "KEY", text);
        const int tick = settings.getTick("KEY", 7);
        ASSERT_TRUE(tick == 0 || tick == 1 || tick == 7);
        const int number = settings.getNumber("KEY", 1000);
        if (number != 1000) {
            ASSERT_NE(text.find_first_of("0123456789"), std::string::npos);
        }

        for (const char* lineEnd : {"\n", "\r\n"}) {
            if (!isBlockCountReading(text, lineEnd)) continue;
            const std::string digits = text.substr(0, text.size() - std::string(lineEnd).size());
            ASSERT_TRUE(allDigits(digits));
        }

        const std::string downloaded = downloadedBlocks(text, "871000\n");
        ASSERT_TRUE(downloaded.starts_with("UNKNOWN") || downloaded.find_first_not_of("-0123456789") == std::string::npos)
            << downloaded;
        downloadedBlocks("871000\n", text);
        downloadedBlocks(text, text);
    }
}

}  // namespace
}  // namespace syncward::testing
