// What the T13 builder window holds, and what Generate reads from it.
#pragma once

#include <string>
#include <vector>

namespace t13addon {

enum class Integrator {
    NLite,          // option "NLITE"
    RvmIntegrator,  // option "RVMI"
};

struct T13AddonSettings {
    std::string PackageName;
    std::string PackageVersion;
    std::string ExtractPath;               // as typed; empty: a temporary folder
    std::vector<std::string> PackItems;    // full file paths, or a folder path followed by "\*"
    std::vector<std::string> RunCommands;  // run after unpacking, in order
    Integrator integrator = Integrator::NLite;
    bool StoreOnly = false;                // "不压缩" (-mx0) rather than "高压缩" (-mx9)
    std::string OutputPath;                // from the save dialog
};

// The window's fields as a plain object. Generate reads them and, after a
// normal run, clears the name, version, extraction path and both lists; the
// run command being typed and the options stay.
struct T13BuilderFields {
    std::string packageNameText;         // Text1 "软件名:"
    std::string versionText;             // Text2 "版本号:"
    std::string extractPathText;         // Text3 "解压路径:", kept exactly as typed
    std::string runCommandText;          // Text5 "运行命令:"
    std::vector<std::string> packItems;  // List1
    std::vector<std::string> runCommands;  // List2
    Integrator integrator = Integrator::NLite;  // "NLITE" chosen at start
    bool storeOnly = false;                     // "高压缩" chosen at start
};

}  // namespace t13addon
