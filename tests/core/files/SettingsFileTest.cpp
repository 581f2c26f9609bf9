#include "core/files/SettingsFile.h"

#include "core/files/DesktopEntry.h"
#include "core/files/FilePlaces.h"
#include "core/files/Profile.h"
#include "tests/support/MemoryFileStore.h"

#include <gtest/gtest.h>
#include <set>

using namespace core;

TEST(Profile, ReadingIgnoresCaseAndBlanks) {
    const std::string file =
        "; note\r\n[other]\r\nCPUchange=9\r\n[ set ]\r\n"
        "  cpuchange =  1  \r\nBEEPchange=\r\nbad line\r\n[x]\r\nTASKICOchange=1";
    EXPECT_EQ(readProfileString(file, "SET", "CPUchange"), "1");
    EXPECT_EQ(readProfileString(file, "SET", "BEEPchange"), "");
    EXPECT_EQ(readProfileString(file, "SET", "TASKICOchange"), "") << "belongs to [x]";
    EXPECT_EQ(readProfileString(file, "x", "taskicochange"), "1");
    EXPECT_EQ(readProfileString("", "SET", "CPUchange"), "");
    EXPECT_EQ(readProfileString("[SET]\nShutDownTime=a=b\n", "SET", "ShutDownTime"), "a=b");
}

TEST(Profile, WritingCreatesTheFileAndTheSection) {
    std::string file = writeProfileString("", "SET", "CPUPersent", "100");
    EXPECT_EQ(file, "[SET]\r\nCPUPersent=100\r\n");
    file = writeProfileString(file, "SET", "CPUMinitu", "3");
    EXPECT_EQ(file, "[SET]\r\nCPUPersent=100\r\nCPUMinitu=3\r\n");
    EXPECT_EQ(writeProfileString("[A]\r\nk=v", "SET", "x", "1"), "[A]\r\nk=v\r\n[SET]\r\nx=1\r\n");
}

TEST(Profile, WritingReplacesInPlaceOrAppendsToTheSection) {
    const std::string file = "[SET]\r\nCPUchange=0\r\nShutDownTime = 200\r\n\r\n[Other]\n"
                             "ShutDownTime=7\n";
    EXPECT_EQ(writeProfileString(file, "set", "shutdowntime", "120"),
              "[SET]\r\nCPUchange=0\r\nShutDownTime = 120\r\n\r\n[Other]\nShutDownTime=7\n")
        << "the line keeps its key's spelling and blanks";
    EXPECT_EQ(writeProfileString("[SET]\ncpupersent=\n", "SET", "CPUPersent", "100"),
              "[SET]\ncpupersent=100\n");
    EXPECT_EQ(writeProfileString(file, "SET", "BEEPchange", "1"),
              "[SET]\r\nCPUchange=0\r\nShutDownTime = 200\r\nBEEPchange=1\r\n\r\n[Other]\n"
              "ShutDownTime=7\n")
        << "appended after the section's last entry, before its blank line";
    EXPECT_EQ(writeProfileString("[SET]", "SET", "k", "v"), "[SET]\r\nk=v\r\n");
    const std::string marked = "\xEF\xBB\xBF[SET]\r\nk=v\r\n";
    EXPECT_EQ(readProfileString(marked, "SET", "k"), "v") << "a byte-order mark is no part of it";
    EXPECT_EQ(writeProfileString(marked, "SET", "k", "w"), "\xEF\xBB\xBF[SET]\r\nk=w\r\n");
}

TEST(SettingsFile, PathBesideTheProgram) {
    EXPECT_EQ(settingsPathFor("/opt/bwm/Brindlewhistmoore"), "/opt/bwm/Brindlewhistmoore.ini");
    EXPECT_EQ(settingsPathFor("/opt/bwm/Brindlewhistmoore.exe"), "/opt/bwm/Brindlewhistmoore.ini");
    EXPECT_EQ(settingsPathFor("/opt/b.d/Brindlewhistmoore"), "/opt/b.d/Brindlewhistmoore.ini");
    EXPECT_EQ(settingsPathFor("C:\\b.d\\Brindlewhistmoore"), "C:\\b.d\\Brindlewhistmoore.ini");
}

TEST(SettingsFile, DefaultsFillWhatIsMissingAndAreNotWritten) {
    testing_support::MemoryFileStore store;
    Settings settings = loadSettings(store, "a.ini");
    EXPECT_EQ(settings.CPUchange, "0");
    EXPECT_EQ(settings.ShutDownTime, "30");
    EXPECT_EQ(settings.CPUMinitu, "3");
    EXPECT_TRUE(store.files.empty());

    store.files["a.ini"] = "[SET]\r\nShutDownTime=\r\nCPUchange=yes\r\nCPUPersent=250\r\n";
    settings = loadSettings(store, "a.ini");
    EXPECT_EQ(settings.ShutDownTime, "30");
    EXPECT_EQ(settings.CPUchange, "yes");
    EXPECT_EQ(settings.CPUPersent, "250");
    EXPECT_EQ(store.saves, 0);
}

TEST(SettingsFile, RefusedWriteNamesTheFile) {
    testing_support::MemoryFileStore store;
    writeSetting(store, "/p/Brindlewhistmoore.ini", "CPUchange", "1");
    EXPECT_EQ(store.files["/p/Brindlewhistmoore.ini"], "[SET]\r\nCPUchange=1\r\n");
    store.refuseWrites = true;
    EXPECT_NO_THROW(writeSetting(store, "/p/Brindlewhistmoore.ini", "CPUchange", "1"))
        << "an unchanged value is not written, so a full disk does not matter";
    try {
        writeSetting(store, "/p/Brindlewhistmoore.ini", "BEEPchange", "1");
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "/p/Brindlewhistmoore.ini に書き込めません");
    }
    EXPECT_EQ(store.files["/p/Brindlewhistmoore.ini"], "[SET]\r\nCPUchange=1\r\n");

    const std::string huge = "[SET]\r\nCPUchange=1\r\n" + std::string(kSettingsSizeLimit, ';');
    store.files["big.ini"] = huge;
    store.refuseWrites = false;
    EXPECT_EQ(loadSettings(store, "big.ini").CPUchange, "0") << "too large to be ours";
    EXPECT_THROW(writeSetting(store, "big.ini", "CPUchange", "0"), std::runtime_error);
    EXPECT_EQ(store.files["big.ini"], huge) << "and never rewritten";
}

namespace {

class FakeProbe : public core::PlaceProbe {
public:
    bool exists(const std::string& path) const override { return existing.contains(path); }
    bool folderWritable(const std::string& folder) const override {
        return writable.contains(folder);
    }
    std::set<std::string> existing;
    std::set<std::string> writable;
};

} // namespace

TEST(FilePlaces, BesideTheProgramWhereItCanBeElseTheUsersFolder) {
    FakeProbe probe;
    const std::string user = "/home/u/.config/Brindlewhistmoore";
    EXPECT_EQ(core::settingsFilePlace("/usr/bin/Brindlewhistmoore", user, probe),
              user + "/Brindlewhistmoore.ini");
    probe.existing.insert("/usr/bin/Brindlewhistmoore.ini");
    EXPECT_EQ(core::settingsFilePlace("/usr/bin/Brindlewhistmoore", user, probe),
              "/usr/bin/Brindlewhistmoore.ini")
        << "a settings file beside the program wins";
    probe.writable.insert("C:\\Tools");
    EXPECT_EQ(core::settingsFilePlace("C:\\Tools\\Brindlewhistmoore.exe", "C:\\AppData\\B", probe),
              "C:\\Tools\\Brindlewhistmoore.ini");
    EXPECT_EQ(core::settingsFilePlace("C:\\Program Files\\B\\Brindlewhistmoore.exe",
                                      "C:\\AppData\\B", probe),
              "C:\\AppData\\B\\Brindlewhistmoore.ini");

    const std::string ini = "C:\\AppData\\B\\Brindlewhistmoore.ini";
    EXPECT_EQ(core::reservationFilePlace(ini, probe), "C:\\AppData\\B\\SetTimeData.txt")
        << "a system folder with no reservations of its own";
    probe.existing.insert("SetTimeData.txt");
    EXPECT_EQ(core::reservationFilePlace(ini, probe), "SetTimeData.txt");
    probe.existing.clear();
    probe.writable.insert(".");
    EXPECT_EQ(core::reservationFilePlace(ini, probe), "SetTimeData.txt");
}

TEST(DesktopEntry, StartsThisProgramQuotedInItsFolder) {
    const std::string program = "/home/u/my tools/$bin/Brindle\"whist\\moore%";
    const std::string entry = core::autostartDesktopEntry(program, "/home/u/予約 folder");
    EXPECT_NE(entry.find("Exec=\"/home/u/my tools/\\\\$bin/Brindle\\\\\"whist\\\\\\\\moore%%\"\n"),
              std::string::npos)
        << entry;
    EXPECT_NE(entry.find("Path=/home/u/予約 folder\n"), std::string::npos);
    EXPECT_EQ(core::entryFolder(entry, program), "/home/u/予約 folder");
    EXPECT_EQ(core::entryFolder(core::autostartDesktopEntry(program, " a\\b"), program), " a\\b");
    EXPECT_FALSE(core::entryFolder(entry, "/home/u/my tools/$bin/Brindle"));
    EXPECT_EQ(core::entryFolder("Exec=/opt/b/Brindlewhistmoore\r\nPath=/x\r\n",
                                "/opt/b/Brindlewhistmoore"),
              "/x")
        << "an unquoted entry made by hand";
    EXPECT_FALSE(core::entryFolder("Exec=/opt/b/Brindlewhistmoore\n", "/opt/b/Brindlewhistmoore"))
        << "without Path it would start in another folder";
}
