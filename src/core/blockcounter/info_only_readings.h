#pragma once

namespace syncward {

struct AppContext;

// Copies of the four reading boxes, stored for the user's information only;
// nothing reads them back.
void saveInfoOnlyReadings(AppContext& app);

}  // namespace syncward
