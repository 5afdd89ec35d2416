#include "app/close_request.h"

namespace syncward {

// Qt hands the window's close message (WM_CLOSE, from the task bar or
// taskkill without /F) to the close box itself, and a request to give way
// arrives through CopyLock: nothing to listen to here.
struct CloseRequests::Source {};

CloseRequests::CloseRequests(std::function<void()> onRequest, std::function<void()> onGiveWay)
    : onRequest_(std::move(onRequest)), onGiveWay_(std::move(onGiveWay)), source_(std::make_unique<Source>()) {}

CloseRequests::~CloseRequests() = default;

}  // namespace syncward
