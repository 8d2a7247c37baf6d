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
std::string findConverter() {
    const std::string found = platform::findOwnTool(kConverter);
    if (found.empty())
        throw platform::Error(platform::ErrorKind::FileNotFound,
                              std::string("The registry converter ") + kConverter + " was not found in the program folder " +
                                  platform::programFolder() + ", beside " + platform::executablePath() +
                                  ", in its tools folder or on the search path. Put " + kConverter +
                                  " into the program folder, or remove the registry file from the box, and generate again.");
    return found;
}

}  // namespace

void ImportRegistry(const AddonProject& project, BuildState& state, shell::CommandRunner& runner) {
    const std::string& regFile = project.RegFilePath;  // the path the box shows
    if (regFile.empty()) return;
    // The converter would only fail to read it, and the system's account of
    // reading a folder ("Input/output error" and the like) names no cause.
    if (platform::folderExists(regFile))
        throw platform::Error(platform::ErrorKind::BadInput,
                              "The registry file " + regFile + " is a folder, not a file. Choose the .reg file "
                              "exported by regedit, or empty the registry box, and generate again.");

    const std::string folder = platform::programFolder();
    platform::setCurrentDirectory(folder);
    const std::string output = platform::joinPath(folder, kConverterOutput);
    if (platform::fileExists(output)) platform::deleteFile(output);

    const std::string converter = findConverter();
    const std::string commandLine =
        platform::quoteArgument(converter) + " -w -t \"" + regFile + "\" " + kConverterOutput;
    runner.runAndWait(commandLine, platform::kHidden);
    state.CodeDescriptionLabel = "结束运行";

    platform::setCurrentDirectory(folder);
    if (!platform::fileExists(output))
        throw platform::Error(platform::ErrorKind::FileNotFound,
                              std::string("The registry converter ") + converter + " ended without writing " +
                                  kConverterOutput + ", so the registry file \"" + regFile +
                                  "\" was not converted. Check that the file exists and is a registry file "
                                  "exported by regedit; running " + kConverter + " -w -t \"" + regFile +
                                  "\" test.inf by hand shows the reason.");
    const std::string text = platform::readAnsiFile(output);
    state.RegistryLines += CollectRegistryLines(text);
    platform::deleteFile(output);
}

}  // namespace infaddon
