// The registry import step: the .reg file the box shows is converted by
// reg2inf into "reg.bak" in the program folder, and the lines of its AddReg
// section are collected into the build's registry lines.
#include "infaddon/registry_import.h"

#include "platform/ansi_text_file.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/process.h"

namespace infaddon {
namespace {

const char kConverter[] = "reg2inf.exe";
const char* const kConverterOutput = kConverterOutputName;

// The converter is one of our own tools: the program folder, beside the
// running executable, its "tools" folder, then the search path.
std::string findConverter(const shell::MessageTexts& texts) {
    const std::string found = platform::findOwnTool(kConverter);
    if (found.empty())
        throw platform::Error(platform::ErrorKind::FileNotFound,
                              texts.text(shell::MessageKey::ConverterNotFound,
                                         {kConverter, platform::programFolder(), platform::executablePath()}));
    return found;
}

}  // namespace

void ImportRegistry(const AddonProject& project, BuildState& state, shell::CommandRunner& runner,
                    const shell::MessageTexts& texts) {
    const std::string& regFile = project.RegFilePath;  // the path the box shows
    if (regFile.empty()) return;
    // The converter would only fail to read it, and the system's account of
    // reading a folder ("Input/output error" and the like) names no cause.
    if (platform::folderExists(regFile))
        throw platform::Error(platform::ErrorKind::BadInput,
                              texts.text(shell::MessageKey::RegistryFileIsFolder, {regFile}));

    const std::string folder = platform::programFolder();
    platform::setCurrentDirectory(folder);
    const std::string output = platform::joinPath(folder, kConverterOutput);
    if (platform::fileExists(output)) platform::deleteFile(output);

    const std::string converter = findConverter(texts);
    const std::string commandLine =
        platform::quoteArgument(converter) + " -w -t \"" + regFile + "\" " + kConverterOutput;
    runner.runAndWait(commandLine, platform::kHidden);
    state.CodeDescriptionLabel = texts.messageText(shell::MessageKey::RegistryImported);

    platform::setCurrentDirectory(folder);
    if (!platform::fileExists(output))
        throw platform::Error(platform::ErrorKind::FileNotFound,
                              texts.text(shell::MessageKey::ConverterNoOutput,
                                         {converter, kConverterOutput, regFile, kConverter}));
    const std::string text = platform::readAnsiFile(output);
    state.RegistryLines += collectRegistryLines(text);
    platform::deleteFile(output);
}

}  // namespace infaddon
