#include "shell/tool_route.h"

#include "platform/ansi_text_file.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "shell/package_text_file.h"

namespace shell {

namespace {

bool allEncode(unsigned codePage, const std::vector<std::string>& texts) {
    for (const std::string& text : texts)
        if (!platform::canEncode(codePage, text)) return false;
    return true;
}

// Stored in the ANSI code page, the name must come out as code page 936 has it.
bool storedAsInPackage(unsigned ansiCodePage, const std::string& name) {
    if (!platform::canEncode(ansiCodePage, name) || !platform::canEncode(kPackageCodePage, name)) return false;
    return platform::encodeCodePage(ansiCodePage, name) == platform::encodeCodePage(kPackageCodePage, name);
}

}  // namespace

SystemCodePages systemCodePages() { return {platform::ansiCodePage(), platform::oemCodePage()}; }

ToolRoute chooseToolRoute(const SystemCodePages& pages, const WorkTexts& texts) {
    if (!allEncode(pages.ansi, texts.directiveLists)) return ToolRoute::Own;
    if (!allEncode(pages.oem, texts.batchFiles) || !allEncode(pages.ansi, texts.batchFiles)) return ToolRoute::Own;
    for (const std::string& name : texts.storedNames)
        if (!storedAsInPackage(pages.ansi, name)) return ToolRoute::Own;
    return ToolRoute::System;
}

std::string workFileBytes(ToolRoute route, unsigned systemCodePage, const std::string& utf8) {
    if (route == ToolRoute::Own) return std::string(platform::kUtf8Bom) + utf8;
    return platform::encodeCodePage(systemCodePage, utf8);
}

std::optional<std::string> missingOwnTools(ToolRoute route, const std::vector<std::string>& tools,
                                           const MessageTexts& texts) {
    if (route == ToolRoute::System) return std::nullopt;
    // The interpreter finds the others beside itself, before the search path
    // (where the system's makecab would be).
    const std::string interpreter = platform::findOwnTool("tolvane-cmd");
    std::string missing;
    for (const std::string& tool : tools) {
        const bool found = tool == "tolvane-cmd"
                               ? !interpreter.empty()
                               : !interpreter.empty() &&
                                     !platform::findProgram(platform::joinPath(platform::parentPath(interpreter), tool),
                                                            {})
                                          .empty();
        if (!found) missing += (missing.empty() ? "" : ", ") + tool;
    }
    if (missing.empty()) return std::nullopt;
    const SystemCodePages pages = systemCodePages();
    return texts.text(MessageKey::OwnToolsMissing, {std::to_string(pages.ansi), std::to_string(pages.oem), missing});
}

}  // namespace shell
