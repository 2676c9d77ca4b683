#pragma once

#include <array>
#include <string_view>

#include "keys/KeyMapEntry.h"

namespace solvane {

// A named multimedia, shortcut or Windows function and the key map entry that performs it.
struct FunctionCode {
    std::u16string_view name;
    KeyMapEntry entry;
};

// In the order names are compared when a function is assigned.
inline constexpr std::array<FunctionCode, 23> FunctionCodeTable{{
    {u"搜索", {{0x00, 0xE3, 0x09, 0x00}}},          // left GUI + F
    {u"运行", {{0x00, 0xE3, 0x15, 0x00}}},          // left GUI + R
    {u"多媒体播放器", {{0x03, 0x00, 0x83, 0x01}}},  // consumer control configuration
    {u"上一曲", {{0x03, 0x00, 0xB6, 0x00}}},        // scan previous track
    {u"下一曲", {{0x03, 0x00, 0xB5, 0x00}}},        // scan next track
    {u"暂停", {{0x03, 0x00, 0xB7, 0x00}}},          // stop, not play/pause
    {u"音量+", {{0x03, 0x00, 0xE9, 0x00}}},
    {u"音量-", {{0x03, 0x00, 0xEA, 0x00}}},
    {u"静音", {{0x03, 0x00, 0xE2, 0x00}}},
    {u"停止-播放", {{0x03, 0x00, 0xCD, 0x00}}},     // play/pause
    {u"新建", {{0x00, 0xE0, 0x11, 0x00}}},          // left Ctrl + N
    {u"剪切", {{0x00, 0xE0, 0x1B, 0x00}}},          // left Ctrl + X
    {u"复制", {{0x00, 0xE0, 0x06, 0x00}}},          // left Ctrl + C
    {u"粘贴", {{0x00, 0xE0, 0x19, 0x00}}},          // left Ctrl + V
    {u"保存", {{0x00, 0xE0, 0x16, 0x00}}},          // left Ctrl + S
    {u"打印", {{0x00, 0xE0, 0x13, 0x00}}},          // left Ctrl + P
    {u"全选", {{0x00, 0xE0, 0x04, 0x00}}},          // left Ctrl + A
    {u"最大化", {{0x00, 0xE2, 0x2C, 0x1B}}},        // left Alt + Space + X
    {u"最小化", {{0x00, 0xE2, 0x2C, 0x11}}},        // left Alt + Space + N
    {u"我的电脑", {{0x03, 0x00, 0x94, 0x01}}},      // local machine browser
    {u"任务管理器", {{0x00, 0xE0, 0xE2, 0x4C}}},    // left Ctrl + left Alt + Delete
    {u"浏览器-主页", {{0x03, 0x00, 0x23, 0x02}}},   // browser home
    {u"关闭窗口", {{0x00, 0xE2, 0x3D, 0x00}}},      // left Alt + F4
}};

// The first function of that exact name.
constexpr const FunctionCode* FindFunctionByName(std::u16string_view name) {
    for (const auto& function : FunctionCodeTable) {
        if (function.name == name) {
            return &function;
        }
    }
    return nullptr;
}

// The first function whose entry is `entry` (the entries are all different).
constexpr const FunctionCode* FindFunctionByEntry(const KeyMapEntry& entry) {
    for (const auto& function : FunctionCodeTable) {
        if (function.entry == entry) {
            return &function;
        }
    }
    return nullptr;
}

}  // namespace solvane
