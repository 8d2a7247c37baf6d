// makecab's command line as the builders' batch files write it, split by the
// Windows rules as the C runtime hands it to makecab, and its other forms.
#include <gtest/gtest.h>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "tools/makecab/makecab_command_line.h"
#include "tools/makecab/makecab_variables.h"

namespace {

makecab::CommandLine parseLine(const std::string& line) {
    std::vector<std::string> words = platform::splitCommandLine(line);
    words.erase(words.begin());  // the program name
    return makecab::parseCommandLine(words);
}

makecab::Settings settingsOf(const makecab::CommandLine& c) {
    makecab::Variables v;
    for (const auto& d : c.definitions) v.set(d.first, d.second);
    return makecab::settingsFrom(v);
}

std::string errorOf(const std::vector<std::string>& args) {
    try {
        makecab::parseCommandLine(args);
    } catch (const platform::Error& e) {
        return e.what();
    }
    return "(no error)";
}

}  // namespace

TEST(MakecabCommandLine, TheInnerCabinetLine) {
    const makecab::CommandLine c = parseLine(
        "makecab.exe /f CAB压缩文件列表.txt /v3 /d compressiontype=LZX /d compressionmemory=21 "
        "/d maxdisksize=1024000000 /d diskdirectorytemplate= /d cabinetnametemplate=\"App.cab\"");
    ASSERT_EQ(c.directiveFiles, std::vector<std::string>{"CAB压缩文件列表.txt"});
    EXPECT_EQ(c.verbosity, 3);
    ASSERT_EQ(c.definitions.size(), 5u);
    EXPECT_EQ(c.definitions[3], (std::pair<std::string, std::string>("diskdirectorytemplate", "")));
    const makecab::Settings s = settingsOf(c);
    EXPECT_EQ(s.method, cabinet::Method::Lzx);
    EXPECT_EQ(s.compressionMemory, 21);
    EXPECT_EQ(s.maxDiskSize, 1024000000u);
    EXPECT_EQ(s.diskDirectory, "");
    EXPECT_EQ(s.cabinetName, "App.cab");
}

TEST(MakecabCommandLine, ThePackageLineWithATargetPathHoldingBlanks) {
    const makecab::CommandLine c = parseLine(
        "makecab.exe /f 整合包压缩列表.txt /d compressiontype=mszip /d compressionmemory=21 "
        "/d maxdisksize=1024000000 /d diskdirectorytemplate= /d cabinetnametemplate=\"C:\\My Packages\\App_1.0_Addon.cab\"");
    ASSERT_EQ(c.directiveFiles, std::vector<std::string>{"整合包压缩列表.txt"});
    EXPECT_EQ(c.verbosity, 1);
    const makecab::Settings s = settingsOf(c);
    EXPECT_EQ(s.method, cabinet::Method::Mszip);
    EXPECT_EQ(s.compressionMemory, 21);
    EXPECT_EQ(s.cabinetName, "C:\\My Packages\\App_1.0_Addon.cab");
}

TEST(MakecabCommandLine, DefaultsAreMakecabs) {
    const makecab::Settings s = settingsOf(parseLine("makecab /f x.ddf"));
    EXPECT_EQ(s.method, cabinet::Method::Mszip);
    EXPECT_EQ(s.compressionMemory, 18);
    EXPECT_EQ(s.maxDiskSize, 1457664u);
    EXPECT_EQ(s.diskDirectory, "DISK1");
    EXPECT_EQ(s.cabinetName, "1.CAB");
    EXPECT_TRUE(s.cabinet);
    EXPECT_TRUE(s.compress);
    EXPECT_TRUE(s.uniqueFiles);
    EXPECT_EQ(s.infFileName, "setup.inf");
    EXPECT_EQ(s.rptFileName, "setup.rpt");
}

TEST(MakecabCommandLine, SwitchesInAnyOrderAndCaseAndTheOneFileForm) {
    makecab::CommandLine c = parseLine("makecab -D COMPRESSIONTYPE=none /V0 /F a.ddf /f b.ddf /DCompress=OFF");
    EXPECT_EQ(c.directiveFiles, (std::vector<std::string>{"a.ddf", "b.ddf"}));
    EXPECT_EQ(c.verbosity, 0);
    EXPECT_FALSE(settingsOf(c).compress);
    EXPECT_EQ(settingsOf(c).method, cabinet::Method::None);

    c = parseLine("makecab /v /L out \"my file.txt\" \"my file.cab\"");
    EXPECT_EQ(c.source, "my file.txt");
    EXPECT_EQ(c.destination, "my file.cab");
    EXPECT_EQ(c.locationFolder, "out");
    EXPECT_TRUE(parseLine("makecab").help);
    EXPECT_TRUE(parseLine("makecab /?").help);
}

TEST(MakecabCommandLine, ErrorsSayWhatIsWrong) {
    EXPECT_EQ(errorOf({"/f"}), "/F needs a directive file. Type makecab /? for the usage.");
    EXPECT_EQ(errorOf({"/d", "novalue"}), "/D needs var=value, not \"novalue\". Type makecab /? for the usage.");
    EXPECT_EQ(errorOf({"/x"}), "Unknown switch \"/x\". Type makecab /? for the usage.");
    EXPECT_EQ(errorOf({"/v7", "a"}), "/V takes a level from 0 to 3, not \"/v7\". Type makecab /? for the usage.");
    EXPECT_EQ(errorOf({"/f", "a.ddf", "extra"}),
              "\"extra\": with /F, name the files in the directive file. Type makecab /? for the usage.");
    EXPECT_EQ(errorOf({"a", "b", "c"}),
              "Too many names: \"c\". Put a name with blanks in quotes. Type makecab /? for the usage.");
}

TEST(MakecabVariables, UnknownNamesAndBadValuesNameTheVariable) {
    makecab::Variables v;
    const auto errorOfSet = [&](const std::string& name, const std::string& value) -> std::string {
        try {
            v.set(name, value);
        } catch (const platform::Error& e) {
            return e.what();
        }
        return "(no error)";
    };
    EXPECT_EQ(errorOfSet("CompresionType", "LZX"),
              "Unknown variable: CompresionType. Check its spelling, or make it first with .Define.");
    EXPECT_EQ(errorOfSet("CompressionType", "ZIP"),
              "The value \"ZIP\" of the variable CompressionType is not valid: MSZIP, LZX or NONE is needed.");
    EXPECT_EQ(errorOfSet("compressionmemory", "14"),
              "The value \"14\" of the variable compressionmemory is not valid: a window size from 15 to 21 is needed.");
    EXPECT_EQ(errorOfSet("MaxDiskSize", "big"),
              "The value \"big\" of the variable MaxDiskSize is not valid: a whole number is needed.");
    EXPECT_EQ(errorOfSet("Cabinet", "maybe"),
              "The value \"maybe\" of the variable Cabinet is not valid: ON or OFF is needed.");
    EXPECT_EQ(errorOfSet("ReservePerCabinetSize", "6"),
              "The value \"6\" of the variable ReservePerCabinetSize is not valid: reserved space in cabinets is not "
              "supported.");
    EXPECT_EQ(errorOfSet("MaxDiskSize", "CDROM"), "(no error)");
    EXPECT_EQ(errorOfSet("CabinetName1", "first.cab"), "(no error)");
    EXPECT_EQ(errorOfSet("InfFileLineFormat", "*file*"), "(no error)");
    EXPECT_EQ(makecab::settingsFrom(v).cabinetName, "first.cab");
}

TEST(MakecabCommandLine, AnAbsolutePosixPathIsANameNotASwitch) {
    const std::string here = platform::absolutePath(".");
    if (here.empty() || here[0] != '/') GTEST_SKIP() << "paths here do not begin with /";
    const makecab::CommandLine c = makecab::parseCommandLine({here, "/tmp/out/x.cab"});
    EXPECT_EQ(c.source, here);
    EXPECT_EQ(c.destination, "/tmp/out/x.cab");
    EXPECT_EQ(makecab::parseCommandLine({"/Dname=a/b", "a.txt"}).definitions.at(0).second, "a/b");
    const std::string program = platform::executablePath();  // /d... when built under /data, say
    EXPECT_EQ(makecab::parseCommandLine({"/V2", program}).source, program);
    EXPECT_EQ(makecab::parseCommandLine({"/home/nobody/a.txt"}).source, "/home/nobody/a.txt") << "no switch /H";
}
