// The side products of a directive-file run, written as makecab writes them
// into the current folder: an INF listing the disk, the cabinet and its files
// ("setup.inf") and a short report ("setup.rpt"): files, bytes before and
// after, ratio, time. Both are text in the ANSI code page with CR LF.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace makecab {

struct RunSummary {
    std::string startedAt;                  // "Mon Dec 07 23:56:41 2026"
    std::vector<std::string> directiveFiles;
    std::string cabinetName;                // as the cabinet was written; empty when none was
    std::vector<std::pair<std::string, std::uint64_t>> files;  // stored name (UTF-8), size
    std::uint64_t bytesBefore = 0;
    std::uint64_t bytesAfter = 0;
    double seconds = 0;
    std::vector<std::string> errors;        // empty on success
    // Where the two go (InfFileName, RptFileName, GenerateInf).
    std::string infFileName = "setup.inf";
    std::string rptFileName = "setup.rpt";
    bool generateInf = true;
};

std::string setupInfText(const RunSummary& run);  // UTF-8, CR LF
std::string setupRptText(const RunSummary& run);

// "12,345": byte counts in the report.
std::string groupDigits(std::uint64_t n);

}  // namespace makecab
