#include "platform/win32/win32_single_instance.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/win32/wide_text.h"

namespace syncward {

namespace {

const wchar_t* const giveWaySuffix = L"-GIVE-WAY";

std::wstring upperCased(std::wstring text) {
    if (!text.empty())
        ::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.c_str(), static_cast<int>(text.size()),
                        text.data(), static_cast<int>(text.size()), nullptr, nullptr, 0);
    return text;
}

}  // namespace

std::wstring Win32SingleInstance::claimName(const std::string& executableName) {
    std::wstring name = upperCased(widen(executableName));
    std::replace(name.begin(), name.end(), L'\\', L'_');
    return L"Local\\SYNCWARD-" + name;
}

Win32SingleInstance::Win32SingleInstance(const std::string& executableName) : name_(claimName(executableName)) {
    mutex_ = Handle(::CreateMutexW(nullptr, FALSE, name_.c_str()));
    if (!mutex_) {
        const DWORD error = ::GetLastError();
        problem_ = "the claim " + narrow(name_) + " cannot be made (system error " + std::to_string(error) + ")";
        return;
    }
    heldElsewhere_ = !take(0);
}

Win32SingleInstance::~Win32SingleInstance() {
    if (listener_.joinable()) {
        ::SetEvent(stop_.get());
        listener_.join();
    }
    if (owned_) ::ReleaseMutex(mutex_.get());
}

// An abandoned claim (its holder ended without letting go) is ours as well.
bool Win32SingleInstance::take(DWORD waitMs) {
    const DWORD result = ::WaitForSingleObject(mutex_.get(), waitMs);
    owned_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    return owned_;
}

bool Win32SingleInstance::askHolderToGiveWay(std::chrono::milliseconds wait) {
    if (!problem_.empty()) return false;
    if (!heldElsewhere_) return true;
    // Opened, never created: only a holder that listens has the event.
    const Handle request(::OpenEventW(EVENT_MODIFY_STATE, FALSE, (name_ + giveWaySuffix).c_str()));
    if (take(0)) {  // it ended meanwhile
        heldElsewhere_ = false;
        return true;
    }
    if (!request || !::SetEvent(request.get())) return false;
    const auto waitMs = std::clamp<long long>(wait.count(), 0, INFINITE - 1);
    heldElsewhere_ = !take(static_cast<DWORD>(waitMs));
    return !heldElsewhere_;
}

void Win32SingleInstance::acceptGiveWayRequests(GiveWayRequest onRequest) {
    if (!owned_ || listener_.joinable()) return;
    // Auto-reset: each request wakes the listener once.
    requests_ = Handle(::CreateEventW(nullptr, FALSE, FALSE, (name_ + giveWaySuffix).c_str()));
    stop_ = Handle(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!requests_ || !stop_) return;
    // A request left from before (for a holder that has ended) is not ours.
    ::ResetEvent(requests_.get());
    listener_ = std::thread([requests = requests_.get(), stop = stop_.get(), onRequest = std::move(onRequest)] {
        const HANDLE events[] = {stop, requests};
        while (::WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) onRequest();
    });
}

}  // namespace syncward
