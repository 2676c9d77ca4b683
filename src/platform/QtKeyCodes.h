#pragma once

#include <QtCore/QStringView>

#include <cstdint>
#include <optional>

class QKeyEvent;

namespace solvane {

// What the native values of a Qt key event hold on a window system.
enum class NativeKeyValues {
    Xkb,      // X11 and Wayland: the scan code is the XKB key code, the virtual key a key symbol
    Windows,  // the scan code with the extended-key flag in bit 8, the virtual key a Windows one
    None,     // nothing usable: only Qt's key and the keypad modifier tell the key
};

// The kind of native values of the named Qt platform ("xcb", "wayland", "windows", ...).
NativeKeyValues NativeKeyValuesOf(QStringView platformName);

// The virtual-key code of the physical key of a key event, telling the left and right Shift,
// Ctrl, Alt and Windows keys and the keypad keys from the main ones where the window system
// says which it is. None for keys that have no code.
std::optional<std::uint8_t> VirtualKeyOf(const QKeyEvent& event, NativeKeyValues native);

// The same for the window system the application runs on.
std::optional<std::uint8_t> VirtualKeyOf(const QKeyEvent& event);

}  // namespace solvane
