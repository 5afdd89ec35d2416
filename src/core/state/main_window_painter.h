#pragma once

#include <string>

#include "core/state/run_state.h"

namespace syncward {

class MainWindow;

// Each setter records a value of the run's state and paints it onto the
// main window: the only place that knows which colour or caption shows
// which state. Decisions read MainWindow::run, never the paint.

// A step's light: cyan running, pink counting, green done, red skipped or
// failed.
void setStep(MainWindow& w, RunStep step, StepState state);

// A program box: green running, red stopped, with its role in the tooltip.
void setProgramSeen(MainWindow& w, WatchedProgram program, bool running);

// The four check indicators: neutral open, pink pending, green passed.
void setAgreement(MainWindow& w, const AgreementState& agreement);
void setCheck(MainWindow& w, CheckMark AgreementState::*check, CheckMark mark);
void resetAgreement(MainWindow& w);

// A reading of the block counter; the current and the last accepted one
// show in their boxes, the check references nowhere.
void setReading(MainWindow& w, std::string BlockReadings::*reading, std::string text);

// The run record's boxes show what the run learnt, as the report words it.
void showRunFacts(MainWindow& w);

// The START / STOP buttons.
void setChainSwitch(MainWindow& w, bool on);
void setCounterSwitch(MainWindow& w, bool on);
void setOverrideSwitch(MainWindow& w, bool on);
void setHeartbeatSwitch(MainWindow& w, bool on);
void setAutostartSwitch(MainWindow& w, bool on);
void setAutocloseSwitch(MainWindow& w, bool on);

}  // namespace syncward
