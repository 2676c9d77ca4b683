#include "app/PanelValues.h"

namespace solvane {

std::optional<std::string_view> EffectName(std::uint8_t code) {
    for (const auto& effect : kLightingEffects) {
        if (effect.code == code) {
            return effect.name;
        }
    }
    return std::nullopt;
}

bool EffectHasSpeed(std::uint8_t code) { return code != kEffectSolid && code < kFirstPictureEffect; }

bool EffectHasDirection(std::uint8_t code) { return code == kEffectWave; }

std::string ResponseText(std::uint8_t keyResponse) {
    return std::to_string(keyResponse * 2) + " ms";
}

}  // namespace solvane
