#include "platform/linux/SettingsLocation.h"

#include "core/files/SettingsFile.h"
#include "platform/linux/AtomicFileStore.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(SettingsLocation, HomeFromTheUserDatabaseWhenHomeIsUnset) {
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::unsetenv("HOME");
    ::unsetenv("XDG_CONFIG_HOME");
    const QString folder = platform::userConfigFolder();
    ::setenv("HOME", home.c_str(), 1);
    EXPECT_EQ(folder.toStdString(), std::string(::getpwuid(::geteuid())->pw_dir) + "/.config");
}

TEST(SettingsLocation, AFolderRemovedWhileRunningIsMadeAgainByTheNextWrite) {
    const fs::path folder =
        fs::temp_directory_path() / ("bwm-settings-" + std::to_string(::getpid()));
    const std::string path = (folder / "Brindlewhistmoore" / "Brindlewhistmoore.ini").string();
    platform::AtomicFileStore store;
    core::writeSetting(store, path, "CPUchange", "1");
    fs::remove_all(folder);
    core::writeSetting(store, path, "BEEPchange", "1");
    EXPECT_EQ(store.read(path, 100), "[SET]\r\nBEEPchange=1\r\n");
    fs::remove_all(folder);
}
