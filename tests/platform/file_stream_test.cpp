// Files read and written in pieces: a writer's file appears at its target
// only on commit(), whole, with any overwritten header bytes in place; a
// writer dropped early or failing leaves the old target and nothing beside it.
#include <gtest/gtest.h>

#include "platform/error.h"
#include "platform/file_faults.h"
#include "platform/file_stream.h"
#include "platform/file_system.h"

using namespace platform;

namespace {
class FileStream : public ::testing::Test {
protected:
    void SetUp() override { root = makeTemporaryFolder("tolvane-stream"); }
    void TearDown() override { removeFolderTree(root); }
    std::vector<std::string> files() { return listFolder(root).files; }
    std::string root;
};
}  // namespace

TEST_F(FileStream, TheTargetChangesOnlyOnCommitAndHoldsTheOverwrittenBytes) {
    const std::string target = joinPath(root, "out.bin");
    writeFileAtomic(target, "old");
    {
        AtomicFileWriter w(target);
        w.write("head", 4);
        w.write("-body-", 6);
        w.overwrite(0, "HE", 2);
        EXPECT_THROW(w.overwrite(8, "xyz", 3), Error) << "past what was written";
        EXPECT_EQ(w.size(), 10u);
        EXPECT_EQ(readFile(target), "old");
        w.close();
        EXPECT_EQ(readFile(target), "old") << "closed, not yet committed";
        EXPECT_EQ(files().size(), 2u);
        w.commit();
    }
    EXPECT_EQ(readFile(target), "HEad-body-");
    EXPECT_EQ(files(), std::vector<std::string>{"out.bin"});
}

TEST_F(FileStream, AWriterDroppedOrFailingLeavesTheOldTargetAndNothingBesideIt) {
    const std::string target = joinPath(root, "out.bin");
    writeFileAtomic(target, "old");
    { AtomicFileWriter(target).write("new", 3); }
    EXPECT_EQ(readFile(target), "old");
    EXPECT_EQ(files(), std::vector<std::string>{"out.bin"});
    {
        FileFaults faults;
        faults.fillDiskAfter(5);
        AtomicFileWriter w(target);
        w.write("1234", 4);
        EXPECT_THROW(w.write("5678", 4), Error);
        EXPECT_EQ(faults.refusals(), 1);
        EXPECT_THROW(w.commit(), Error);
    }
    EXPECT_EQ(readFile(target), "old");
    EXPECT_EQ(files(), std::vector<std::string>{"out.bin"});
}

TEST_F(FileStream, AReaderGivesTheFileInPiecesAndNamesWhatItCannotRead) {
    const std::string path = joinPath(root, "in.bin");
    writeFileAtomic(path, std::string("abc\0defgh", 9));
    FileReader r(path);
    char buffer[4];
    EXPECT_EQ(r.read(buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), std::string("abc\0", 4));
    EXPECT_EQ(r.read(buffer, 4), 4u);
    EXPECT_EQ(r.read(buffer, 4), 1u);
    EXPECT_EQ(buffer[0], 'h');
    EXPECT_EQ(r.read(buffer, 4), 0u);

    try {
        FileReader missing(joinPath(root, "missing.bin"));
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), ErrorKind::FileNotFound);
        EXPECT_NE(std::string(e.what()).find("missing.bin"), std::string::npos) << e.what();
    }
    EXPECT_THROW(FileReader folder(root), Error);
    FileFaults faults;
    faults.refuse(FileOperation::Read, "in.bin");
    EXPECT_THROW(FileReader refused(path), Error);
    EXPECT_EQ(faults.refusals(), 1);
}
