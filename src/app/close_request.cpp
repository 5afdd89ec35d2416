#include "app/close_request.h"

namespace syncward {

void CloseRequests::giveWayRequested() {
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (onGiveWay_) onGiveWay_();
        },
        Qt::QueuedConnection);
}

}  // namespace syncward
