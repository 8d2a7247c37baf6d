// Before any window: the program folder (the folder of the executable) is
// where both builders write their work files and run their tools, so it is
// also the current directory, and it must be writable. Unpacked under
// "Program Files" on a system with user account control it is not; that is
// told once at start-up instead of as a failed build later.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace shell {

// Writes a small file into `folder` and removes it again; throws
// platform::Error when the folder refuses either.
void probeFolderWritable(const std::string& folder);

// Makes `folder` the current directory and tries writing there. Returns the
// message for the user when it cannot be written; nullopt when all is well.
// `probe` stands in for probeFolderWritable in tests.
std::optional<std::string> prepareProgramFolder(
    const std::string& folder, const std::function<void(const std::string&)>& probe = probeFolderWritable);

// The message naming the folder and what to do.
std::string programFolderNotWritableMessage(const std::string& folder, const std::string& reason);

}  // namespace shell
