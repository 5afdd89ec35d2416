#pragma once

#include <cstdint>

namespace syncward {

// A background or text colour. The views and the tests compare what was
// painted ("is the daemon box green?"), so equality is exact, and the two
// system colours are values of their own, never equal to any RGB triple.
class Colour {
public:
    enum class Kind : std::uint8_t { Rgb, WindowBackground, ButtonFace };

    constexpr Colour() = default;
    constexpr Colour(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
        : kind_(Kind::Rgb), r_(red), g_(green), b_(blue) {}

    static constexpr Colour windowBackground() { return Colour(Kind::WindowBackground); }
    static constexpr Colour buttonFace() { return Colour(Kind::ButtonFace); }

    constexpr Kind kind() const { return kind_; }
    constexpr bool isSystem() const { return kind_ != Kind::Rgb; }
    constexpr std::uint8_t red() const { return r_; }
    constexpr std::uint8_t green() const { return g_; }
    constexpr std::uint8_t blue() const { return b_; }

    friend constexpr bool operator==(const Colour& a, const Colour& b) {
        return a.kind_ == b.kind_ && (a.kind_ != Kind::Rgb || (a.r_ == b.r_ && a.g_ == b.g_ && a.b_ == b.b_));
    }

private:
    explicit constexpr Colour(Kind kind) : kind_(kind) {}
    Kind kind_ = Kind::WindowBackground;
    std::uint8_t r_ = 0, g_ = 0, b_ = 0;
};

namespace colours {
inline constexpr Colour green{0, 255, 0};
inline constexpr Colour red{255, 0, 0};
inline constexpr Colour black{0, 0, 0};
inline constexpr Colour yellow{255, 255, 0};
inline constexpr Colour cyan{0, 255, 255};
inline constexpr Colour lightCyan{128, 255, 255};
inline constexpr Colour magenta{255, 0, 255};
inline constexpr Colour pink{255, 128, 255};
inline constexpr Colour windowBackground = Colour::windowBackground();
inline constexpr Colour buttonFace = Colour::buttonFace();
}  // namespace colours

}  // namespace syncward
