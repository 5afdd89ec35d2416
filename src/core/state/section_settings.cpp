#include "core/state/section_settings.h"

#include <charconv>

#include "core/time/clock_text.h"

namespace syncward {

namespace {

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace

std::string SectionSettings::get(const std::string& key, const std::string& fallback) const {
    return store_.get(section_, key, fallback);
}

bool SectionSettings::save(const std::string& key, const std::string& value) const {
    const bool saved = store_.save(section_, key, value);
    if (!saved) ++failedSaves_;
    return saved;
}

int SectionSettings::getTick(const std::string& key, int fallback) const {
    const std::string text = trimmed(get(key, std::to_string(fallback)));
    if (text == "0") return 0;
    if (text == "1") return 1;
    return fallback;
}

bool SectionSettings::saveTick(const std::string& key, const TickBox& box) const {
    return save(key, std::to_string(box.value()));
}

int SectionSettings::getNumber(const std::string& key, int fallback) const {
    const std::string text = trimmed(get(key, std::to_string(fallback)));
    int value = 0;
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (!text.empty() && text.front() == '+') ++begin;
    auto [ptr, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || ptr != end || begin == end) return fallback;
    return value;
}

void SectionSettings::loadText(TextBox& box, const std::string& key, const std::string& fallback) const {
    box.setText(get(key, fallback));
}

void SectionSettings::loadTick(TickBox& box, const std::string& key, int fallback) const {
    box.setValue(getTick(key, fallback));
}

void SectionSettings::loadTime(TextBox& box, const std::string& key, const std::string& fallback) const {
    const std::string stored = get(key, fallback);
    box.setText(isTimeOfDay(stored) ? stored : fallback);
}

void SectionSettings::loadPlacement(Form& form, const WindowPlacement& window) const {
    const std::string prefix = window.prefix;
    Placement placement;
    placement.left = getNumber(prefix + "Left", 1000);
    placement.top = getNumber(prefix + "Top", 1000);
    placement.width = getNumber(prefix + "Width", window.defaultWidth);
    placement.height = getNumber(prefix + "Height", window.defaultHeight);
    form.setPlacement(placement);
}

void SectionSettings::savePosition(const Form& form, const WindowPlacement& window) const {
    const std::string prefix = window.prefix;
    save(prefix + "Left", std::to_string(form.placement().left));
    save(prefix + "Top", std::to_string(form.placement().top));
}

}  // namespace syncward
