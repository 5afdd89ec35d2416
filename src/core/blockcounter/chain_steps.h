#pragma once

#include <array>

#include "core/form/colour.h"

namespace syncward {

struct AppContext;
class MainWindow;
class Timer;

// Texts the block counter shows from more than one place.
namespace block_texts {
inline constexpr const char* countingDown = "!!! BLOCKCOUNTER - COUNTING DOWN !!!";
inline constexpr const char* manualFinish = "!!! BLOCKCOUNTER - MANUAL FINISH !!!";
inline constexpr const char* blockchainUpdated = "!!! BLOCKCHAIN UPDATED !!!";
inline constexpr const char* invalidCountTime = "!!! BLOCKCOUNTER - 'RUN EVERY' IS NOT A VALID TIME (HH:MM:SS) !!!";
inline constexpr const char* invalidOverrideTime = "!!! OVERRIDE TIMER - NOT A VALID TIME (HH:MM:SS) !!!";
inline constexpr const char* noReading = "--:--:--";
inline constexpr const char* zeroTime = "00:00:00";
}  // namespace block_texts

// The stage timers of one block-counting phase, in chain order: countdown,
// command, client wait, load, then the five checks. At most one of them is
// enabled at a time; which one is the phase's state.
std::array<Timer*, 9> chainStageTimers(MainWindow& w);
// True while a reading or a check is under way (any stage after the
// countdown, or the completion hand-over).
bool readingUnderWay(MainWindow& w);

// CURRENT_BLOCK_TEXTBOX and LAST_BLOCKCOUNT_TEXTBOX always show the same
// pair of colours, which tells the stage at a glance.
void paintBlockBoxes(MainWindow& w, Colour text, Colour background);

// The four check indicators back to neutral: no agreement yet.
void resetIndicators(MainWindow& w);

// A full countdown from the "Run Every" text. An interval that is not a
// valid time starts nothing and says so; false then.
bool restartCountdown(AppContext& app);

// Copies of the four reading boxes, stored for the user's information only;
// nothing reads them back.
void saveInfoOnlyReadings(AppContext& app);

// Saves both interval texts, "Run Every" first, when both are valid times.
// A text that is not a time would be replaced by the default at the next
// start, so it is refused here and the stored values stay as they were.
bool saveIntervals(AppContext& app);

}  // namespace syncward
