// What Generate reads from the T13 builder window.
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

}  // namespace t13addon
