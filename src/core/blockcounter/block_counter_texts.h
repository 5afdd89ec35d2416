#pragma once

namespace syncward::block_texts {

// Texts the block counter shows from more than one place.
inline constexpr const char* countingDown = "!!! BLOCKCOUNTER - COUNTING DOWN !!!";
inline constexpr const char* manualFinish = "!!! BLOCKCOUNTER - MANUAL FINISH !!!";
inline constexpr const char* blockchainUpdated = "!!! BLOCKCHAIN UPDATED !!!";
inline constexpr const char* invalidCountTime = "!!! BLOCKCOUNTER - 'RUN EVERY' IS NOT A VALID TIME (HH:MM:SS) !!!";
inline constexpr const char* invalidOverrideTime = "!!! OVERRIDE TIMER - NOT A VALID TIME (HH:MM:SS) !!!";
inline constexpr const char* runLimitKept =
    "!!! OVERRIDE TIMER - THE RUN LIMIT STAYS: A RUN THAT STARTED BY ITSELF MUST END BY ITSELF !!!";
inline constexpr const char* runLimitOff =
    "!!! OVERRIDE TIMER - RUN LIMIT SWITCHED OFF: THE BLOCK COUNTER NOW WAITS FOR IDENTICAL COUNTS ONLY !!!";
inline constexpr const char* noReading = "--:--:--";
inline constexpr const char* zeroTime = "00:00:00";

}  // namespace syncward::block_texts
