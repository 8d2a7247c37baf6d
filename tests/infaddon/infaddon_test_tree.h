// A temporary folder of its own for each INF builder test, with helpers to
// lay out an application tree, read files back as bytes and find the
// expected files; the program folder is put back afterwards.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "tests/support/source_tree.h"

namespace infaddontest {

using testsupport::sourcePath;

// The bytes of an expected file in tests/infaddon/data.
inline std::string expectedFile(const std::string& name) {
    return platform::readFile(sourcePath("tests/infaddon/data/" + name));
}

// Text with CR LF line ends as the system writes it: in code page 936.
inline std::string cp936(const std::string& text) { return platform::encodeCodePage(936, text); }

class TempTree : public ::testing::Test {
protected:
    void SetUp() override {
        root = platform::makeTemporaryFolder("tolvane-infaddon");
    }
    void TearDown() override {
        platform::setProgramFolder({});
        platform::removeFolderTree(root);
    }

    std::string at(const std::string& relative) const { return platform::joinPath(root, relative); }
    // Makes the file (and its folders) with the given bytes; "\" separates.
    void file(const std::string& relative, const std::string& bytes = "x") const {
        const std::string path = at(relative);
        const std::string parent = platform::parentPath(path);
        if (!parent.empty()) platform::createFolders(parent);
        platform::writeFileAtomic(path, bytes);
    }
    void folder(const std::string& relative) const { platform::createFolders(at(relative)); }

    // The names in a folder, files and folders together, in name order.
    std::vector<std::string> entriesOf(const std::string& relative) const {
        platform::FolderListing listing = platform::listFolder(at(relative));
        std::vector<std::string> names = listing.folders;
        names.insert(names.end(), listing.files.begin(), listing.files.end());
        return names;
    }

    std::string root;
};

}  // namespace infaddontest
