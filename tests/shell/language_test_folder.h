// A temporary program folder with a "lng" folder, for tests of the language
// files. Restores the default program folder afterwards.
#pragma once

#include <string>

#include "platform/code_page.h"
#include "platform/file_system.h"

namespace shelltest {

class LanguageFolder {
public:
    LanguageFolder() : root_(platform::makeTemporaryFolder("tolvane-lng")) {
        platform::createFolder(platform::joinPath(root_, "lng"));
        platform::setProgramFolder(root_);
    }
    ~LanguageFolder() {
        platform::setProgramFolder("");
        platform::removeFolderTree(root_);
    }
    LanguageFolder(const LanguageFolder&) = delete;
    LanguageFolder& operator=(const LanguageFolder&) = delete;

    // Writes a file in lng\ from UTF-8 text, encoded in code page 936.
    void write(const std::string& name, const std::string& utf8) const {
        platform::writeFileAtomic(platform::joinPath(platform::joinPath(root_, "lng"), name),
                                  platform::encodeCodePage(936, utf8));
    }
    const std::string& root() const { return root_; }

private:
    std::string root_;
};

}  // namespace shelltest
