// Windows only: our profile reader against the system's GetPrivateProfileStringA
// on the same files. The system's reader copies into a 255-byte buffer; it is
// cleared with NULs here, so that bytes the reader leaves unwritten (after a
// cut before a double-byte character) are not taken for text.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <utility>
#include <vector>

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "shell/profile_reader.h"

namespace {

std::string systemValue(const std::string& path, const std::string& section, const std::string& key) {
    char buffer[255];
    std::memset(buffer, 0, sizeof buffer);
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, sizeof buffer,
                             platform::encodeAnsi(path).c_str());
    return buffer;
}

std::string repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

struct Probe {
    const char* name;   // file name, new for every file: the system caches profiles
    std::string bytes;
    std::vector<std::pair<std::string, std::string>> lookups;
};

}  // namespace

TEST(ProfileReaderAgainstSystem, ReadsTrickyFilesTheSameWay) {
    const std::string folder = platform::makeTemporaryFolder("tolvane-ini");
    const std::vector<Probe> probes = {
        {"case.ini", "[BUTTONS]\r\nNEXT=Go\r\n[main]\r\nZTitle=T\r\n",
         {{"Buttons", "next"}, {"buttons", "NEXT"}, {"Main", "ztitle"}, {" Main ", "ztitle"}, {"Main", " ztitle "}}},
        {"blanks.ini",
         "[S]\r\n\t plain \t=\t  two  words \t \r\nquoted=  \"  in  \"  \r\nsingle='one'\r\nmismatched=\"abc'\r\n"
         "lone=\"\r\nempty=\"\"\r\ntwice=\"\"x\"\"\r\ninner=a \"b\"\r\nblank=   \r\nfull=\xA1\xA1x\xA1\xA1\r\n",
         {{"S", "plain"}, {"S", "quoted"}, {"S", "single"}, {"S", "mismatched"}, {"S", "lone"}, {"S", "empty"},
          {"S", "twice"}, {"S", "inner"}, {"S", "blank"}, {"S", "full"}}},
        {"long.ini",
         "[S]\r\nascii=" + std::string(300, 'x') + "\r\neven=" + repeat("\xD6\xD0", 150) + "\r\nodd=a" +
             repeat("\xD6\xD0", 150) + "\r\nquoted=\"" + std::string(300, 'y') + "\"\r\nexact=" +
             std::string(254, 'z') + "\r\nhuge=" + std::string(5000, 'h') + "\r\n",
         {{"S", "ascii"}, {"S", "even"}, {"S", "odd"}, {"S", "quoted"}, {"S", "exact"}, {"S", "huge"}}},
        {"dups.ini", "[S]\r\nk=first\r\nK=second\r\n[s]\r\nk=third\r\nlate=later\r\n[T]\r\nt=1\r\n",
         {{"S", "k"}, {"S", "late"}, {"T", "t"}, {"U", "k"}}},
        {"shapes.ini",
         "top=before any section\r\n; note=no comment\r\n# hash=no comment either\r\n[S]trailing\r\n"
         "eq=a=b\r\nsemi=v ; c\r\nflag\r\n[B]]\r\nb=in B]\r\n[C] [D]\r\nc=cd\r\n[Open\r\nopen=still\r\n"
         "[Open=1\r\n\x1a\r\nafter=z\r\n",
         {{"S", "top"}, {"S", "eq"}, {"S", "semi"}, {"S", "flag"}, {"S", "; note"}, {"S", "# hash"},
          {"B]", "b"}, {"B", "b"}, {"C] [D", "c"}, {"C", "c"}, {"C] [D", "open"}, {"C] [D", "[Open"},
          {"C] [D", "after"}}},
        {"trail.ini", "[S]\r\n[X\x81\x5D\r\nk=v\r\n", {{"S", "k"}}},
        {"lf.ini", "[S]\nk=lf\nj=2", {{"S", "k"}, {"S", "j"}}},
        {"cr.ini", "[S]\rk=cr\rj=2\r", {{"S", "k"}, {"S", "j"}}},
        {"bom.ini", "\xEF\xBB\xBF[S]\r\nk=\xE4\xB8\xAD\r\n", {{"S", "k"}}},
        {"utf16.ini", std::string("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\x2D\x4E", 18), {{"S", "k"}}},
        {"gbk.ini", "[Main]\r\nrun title=\xB3\xCC\xD0\xF2\xD4\xCB\xD0\xD0\r\n", {{"main", "RUN TITLE"}}},
    };
    for (const Probe& probe : probes) {
        const std::string path = platform::joinPath(folder, probe.name);
        platform::writeFileAtomic(path, probe.bytes);
        for (const auto& [section, key] : probe.lookups) {
            const std::string ours = platform::encodeAnsi(shell::readProfileString(path, section, key));
            EXPECT_EQ(ours, systemValue(path, section, key)) << probe.name << " [" << section << "] " << key;
        }
    }
    EXPECT_EQ(systemValue(platform::joinPath(folder, "none.ini"), "S", "k"), "");
    EXPECT_EQ(shell::readProfileString(platform::joinPath(folder, "none.ini"), "S", "k"), "");
    platform::removeFolderTree(folder);
}
