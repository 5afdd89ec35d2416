#pragma once

#include <string>
#include <vector>

namespace syncward {

class PlatformProfile;

// The texts of the information windows. The maker's details and addresses
// are placeholders until the maker publishes real ones.
namespace info_texts {

inline constexpr const char* creatorLine = "CREATED BY: Mirvolk - Quorvel";
inline constexpr const char* webAddress = "WEB: (MAKER'S WEB ADDRESS TO BE ANNOUNCED)";
inline constexpr const char* contactAddress = "CONTACT: (MAKER'S CONTACT ADDRESS TO BE ANNOUNCED)";

// "BTC" ... "VTC": placeholders that no wallet would take for an address.
std::string donationAddressPlaceholder(const std::string& coin);

// The earlier tools of the family whose work this one took over.
std::string familyTools();

// The dedications page, one acknowledgement a line.
std::string dedications(const PlatformProfile& profile);

// The help window's label over the settings location, and its notes.
std::string settingsLocationLabel(const PlatformProfile& profile);
std::vector<std::string> helpNotes(const PlatformProfile& profile);

}  // namespace info_texts
}  // namespace syncward
