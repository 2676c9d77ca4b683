#pragma once

#include <string_view>

namespace solvane::macro_text {

// Caption of every message box of the macro manager.
inline constexpr std::string_view kCaption = "宏管理";

inline constexpr std::string_view kSelectToRecord = "请选择一个宏指令文件录制\n";
inline constexpr std::string_view kSelectToDelete = "请选择一个宏指令文件删除\n";
inline constexpr std::string_view kConfirmDelete = "确认删除吗？";
inline constexpr std::string_view kEditCurrentDelay = "请编辑当前延时\n";

// An event that does not fit whole into the macro's 190 bytes is refused.
inline constexpr std::string_view kMacroFull = "宏指令已满，不能再添加按键动作\n";
// The keys cannot be read (on Linux: no access to the keyboard's input events).
inline constexpr std::string_view kNoKeyHook = "无法读取键盘按键，不能录制\n";

// The record button's caption.
inline constexpr std::string_view kStartRecording = "开始录制";
inline constexpr std::string_view kStopRecording = "停止录制";

}  // namespace solvane::macro_text
