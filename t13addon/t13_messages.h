// The T13 builder's fixed messages and dialog texts.
#pragma once

namespace t13addon {

inline constexpr const char* kNoNameMessage = "请输入软件名称信息。";
inline constexpr const char* kNoVersionMessage = "请输入软件版本号。";
inline constexpr const char* kNoItemsMessage = "请加入您要生成的程序";
inline constexpr const char* kSuccessMessage = "*********************T13整合包生成成功****************";
inline constexpr const char* kSuccessTitle = "生成成功";
inline constexpr const char* kFailureMessage = "******Sorry。T13整合包生成失败，请您检查程序好再重新制作******";
inline constexpr const char* kFailureTitle = "整合包生成换败了";
inline constexpr const char* kPackageFilter = "整合包 (*.7z)|*.7z|";

}  // namespace t13addon
