#pragma once

namespace syncward {

struct AppContext;

// A client call that the node never answers would hold the run for ever.
// Each wait for the client counts the ticks it has been seen running; two
// minutes of them end it, and the wait goes on as if it had answered
// nothing. True when the client was ended on this tick.
bool endClientThatHangs(AppContext& app);

// A new wait for the client starts counting from zero.
void startClientWait(AppContext& app);

}  // namespace syncward
