#include "app/KeyRectangles.h"

#include <array>

namespace solvane {
namespace {

struct SlotSpan {
    std::uint8_t slot;
    int left;
    int right;
};

struct PictureRow {
    int top;
    int bottom;
    std::initializer_list<SlotSpan> keys;
};

// Each row of the picture shares its top and bottom edge.
constexpr std::array<std::optional<Rect>, kKeySlotCount> BuildTable() {
    std::array<std::optional<Rect>, kKeySlotCount> table{};
    const PictureRow rows[] = {
        {52, 77, {{0, 2, 27}, {1, 64, 89}, {2, 97, 122}, {3, 130, 155}, {4, 163, 188}, {5, 215, 240},
                  {6, 245, 270}, {7, 279, 304}, {8, 313, 338}, {9, 364, 389}, {10, 396, 421},
                  {11, 429, 454}, {12, 464, 489}, {13, 505, 530}, {14, 539, 564}, {15, 572, 597}}},
        {94, 119, {{20, 2, 27}, {21, 34, 59}, {22, 67, 92}, {23, 99, 124}, {24, 132, 157},
                   {25, 165, 190}, {26, 198, 223}, {27, 231, 256}, {28, 264, 289}, {29, 297, 322},
                   {30, 329, 354}, {31, 364, 389}, {32, 396, 421}, {33, 430, 489}, {34, 505, 530},
                   {35, 539, 564}, {36, 572, 597}}},
        {128, 153, {{41, 1, 42}, {42, 51, 76}, {43, 83, 108}, {44, 116, 141}, {45, 149, 174},
                    {46, 181, 206}, {47, 214, 239}, {48, 246, 271}, {49, 280, 305}, {50, 313, 338},
                    {51, 346, 371}, {52, 379, 404}, {53, 412, 437}, {54, 446, 489}, {55, 505, 530},
                    {56, 539, 564}, {57, 572, 597}}},
        {160, 185, {{62, 2, 51}, {63, 59, 84}, {64, 92, 117}, {65, 124, 149}, {66, 157, 182},
                    {67, 190, 215}, {68, 223, 248}, {69, 256, 281}, {70, 288, 313}, {71, 322, 347},
                    {72, 354, 379}, {73, 387, 412}, {74, 421, 489}}},
        {192, 217, {{78, 6, 67}, {79, 76, 101}, {80, 108, 133}, {81, 141, 166}, {82, 173, 198},
                    {83, 206, 231}, {84, 239, 264}, {85, 272, 297}, {86, 305, 330}, {87, 338, 363},
                    {88, 371, 396}, {89, 405, 489}, {90, 539, 564}}},
        {227, 252, {{95, 2, 34}, {96, 44, 76}, {97, 84, 116}, {98, 125, 322}, {99, 330, 362},
                    {100, 371, 403}, {101, 412, 444}, {102, 454, 489}, {103, 505, 530},
                    {104, 539, 564}, {105, 572, 597}}},
    };
    for (const auto& row : rows) {
        for (const auto& key : row.keys) {
            table[key.slot] = Rect{key.left, row.top, key.right, row.bottom};
        }
    }
    return table;
}

constexpr auto kKeyRectangles = BuildTable();

constexpr std::size_t CountRectangles() {
    std::size_t count = 0;
    for (const auto& rect : kKeyRectangles) {
        count += rect.has_value() ? 1 : 0;
    }
    return count;
}
// The 87 keys of the keyboard picture.
static_assert(CountRectangles() == 87);

}  // namespace

std::optional<Rect> KeyRectangle(std::size_t slot) {
    return slot < kKeyRectangles.size() ? kKeyRectangles[slot] : std::nullopt;
}

std::uint8_t HitTestKey(int x, int y) {
    for (std::size_t slot = 0; slot < kKeyRectangles.size(); ++slot) {
        const auto& rect = kKeyRectangles[slot];
        if (rect && rect->Offset(kKeyboardPictureOrigin.x, kKeyboardPictureOrigin.y).Contains(x, y)) {
            if (slot == kLeftWindowsSlot || slot == kSharedApplicationSlot) {
                return kNoSlot;
            }
            return static_cast<std::uint8_t>(slot);
        }
    }
    return kNoSlot;
}

}  // namespace solvane
