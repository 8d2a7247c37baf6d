// A real folder for file-selection tests: the open dialog leaves the current
// directory at the selection's folder, and the split of a selection relies
// on it, so the folder must exist. Puts the current directory back and
// removes the folder afterwards.
#pragma once

#include <string>

#include "platform/file_system.h"

namespace testsupport {

class SelectionFolder {
public:
    explicit SelectionFolder(const std::string& prefix)
        : previous_(platform::currentDirectory()), path_(platform::makeTemporaryFolder(prefix)) {}
    ~SelectionFolder() {
        platform::setCurrentDirectory(previous_);
        platform::removeFolderTree(path_);
    }
    SelectionFolder(const SelectionFolder&) = delete;
    SelectionFolder& operator=(const SelectionFolder&) = delete;

    const std::string& path() const { return path_; }
    // The dialog's text for several names: the folder, then each name, NUL before each.
    std::string several(std::initializer_list<const char*> names) const {
        std::string text = path_;
        for (const char* name : names) text += std::string(1, '\0') + name;
        return text;
    }
    // The split's folder: the current directory with one separator after it.
    std::string folderAsSplit() const {
        const std::string here = platform::currentDirectory();
        return here.back() == '\\' || here.back() == '/' ? here : here + "\\";
    }

private:
    std::string previous_;
    std::string path_;
};

}  // namespace testsupport
