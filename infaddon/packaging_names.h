// The fixed names and texts of the packaging run: its four work files in the
// program folder, makecab's side products, and the messages it shows.
#pragma once

namespace infaddon {

// The inner cabinet's makecab directive file and batch file.
inline constexpr const char* kCabListFileName = "CAB压缩文件列表.txt";
inline constexpr const char* kCabBatchFileName = "生成cab文件.bat";
// The package's makecab directive file and batch file.
inline constexpr const char* kPackageListFileName = "整合包压缩列表.txt";
inline constexpr const char* kPackageBatchFileName = "生成整合包.bat";
// What every makecab run leaves in the current folder.
inline constexpr const char* kMakecabInfName = "setup.inf";
inline constexpr const char* kMakecabReportName = "setup.rpt";

}  // namespace infaddon
