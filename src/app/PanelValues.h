#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace solvane {

struct LightingEffect {
    std::string_view name;  // UTF-8
    std::uint8_t code;
};

// The rows of the effect list, in order.
inline constexpr std::array<LightingEffect, 12> kLightingEffects{{
    {"全亮", 0x01},
    {"呼吸", 0x02},
    {"波浪", 0x03},
    {"随按渐灭", 0x04},
    {"跑马", 0x05},
    {"涟漪", 0x06},
    {"录制图片", 0x32},
    {"录制图片显示1", 0x33},
    {"录制图片显示2", 0x34},
    {"录制图片显示3", 0x35},
    {"录制图片显示4", 0x36},
    {"录制图片显示5", 0x37},
}};

inline constexpr std::uint8_t kEffectSolid = 0x01;
inline constexpr std::uint8_t kEffectWave = 0x03;
inline constexpr std::uint8_t kFirstPictureEffect = 0x32;

// The rows of the response list; row k sets keyResponse k + 1.
inline constexpr std::array<std::string_view, 10> kResponseRows{
    "2ms", "4ms", "6ms", "8ms", "10ms", "12ms", "14ms", "16ms", "18ms", "20ms"};

// ledDirection values and the regions that set them.
inline constexpr std::uint8_t kDirectionLeft = 1;
inline constexpr std::uint8_t kDirectionRight = 2;
inline constexpr std::uint8_t kDirectionTop = 3;
inline constexpr std::uint8_t kDirectionBottom = 4;

// The name shown on the effect bar; none for a code the list does not have.
std::optional<std::string_view> EffectName(std::uint8_t code);

// Solid light and the picture effects have no speed.
bool EffectHasSpeed(std::uint8_t code);
// Only the wave has a direction.
bool EffectHasDirection(std::uint8_t code);

// "%d ms" with the value doubled, whatever the keyboard reported.
std::string ResponseText(std::uint8_t keyResponse);

}  // namespace solvane
