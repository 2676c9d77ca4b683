#pragma once

#include <string_view>

namespace solvane::profile_text {

// Caption of every message box of the profile manager except "Fail".
inline constexpr std::string_view kCaption = "配置管理";
// "Fail" carries the application's title as its caption.
inline constexpr std::string_view kApplicationTitle = "Solvane";

inline constexpr std::string_view kTooManyProfiles = "最多可以存储6个配置\n";
inline constexpr std::string_view kSelectToCopy = "请选择一个配置文件拷贝\n";
inline constexpr std::string_view kSelectToSave = "请选择一个配置文件存储\n";
inline constexpr std::string_view kSelectToLoad = "请选择一个配置文件打开\n";
inline constexpr std::string_view kKeepOneProfile = "请至少保留一个配置文件\n";
inline constexpr std::string_view kSelectToDelete = "请选择一个配置文件删除\n";
inline constexpr std::string_view kConfirmDelete = "删除当前配置文件吗";
inline constexpr std::string_view kFail = "Fail";

// Names that would escape the folder or could not be stored, files that are no profile, and
// file operations that did not happen.
inline constexpr std::string_view kInvalidName =
    "配置名称无效：名称不能为空，不能是“.”或“..”，不能包含“/”、“\\”或控制字符\n";
inline constexpr std::string_view kNameTooLong = "配置名称太长，无法保存\n";
inline constexpr std::string_view kNotAProfile =
    "所选文件不是配置文件（配置文件的大小为7480或204340字节）\n";
inline constexpr std::string_view kCannotRead = "无法读取文件\n";
inline constexpr std::string_view kCannotWrite = "无法写入配置文件\n";
inline constexpr std::string_view kCannotDelete = "无法删除配置文件\n";

// Default names and copy names.
inline constexpr std::string_view kDefaultNamePrefix = "Profile00";
inline constexpr std::string_view kCopyPrefix = "复制 ";

}  // namespace solvane::profile_text
