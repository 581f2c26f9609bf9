#include "platform/linux/AtomicFileStore.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class AtomicFileStore : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("bwm-store-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        path = (folder / "SetTimeData.txt").string();
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path folder;
    std::string path;
    platform::AtomicFileStore store;
};

} // namespace

TEST_F(AtomicFileStore, ReplacesTheWholeFileAndLeavesNoTemporary) {
    EXPECT_EQ(store.read(path, 100), std::nullopt);
    store.replace(path, std::string("a\0b\r\n", 5));
    EXPECT_EQ(store.read(path, 100), std::string("a\0b\r\n", 5));
    ::chmod(path.c_str(), 0640);
    store.replace(path, "second");
    EXPECT_EQ(store.read(path, 100), "second");
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u) << "the file keeps its permissions";
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 1);
}

TEST_F(AtomicFileStore, RefusedWriteKeepsTheOldFileAndSaysWhy) {
    store.replace(path, "old");
    // A file size limit stands in for a full disk, even for root.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{4, limit.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &small);
    try {
        store.replace(path, "longer than four bytes");
        ADD_FAILURE() << "the write succeeded";
    } catch (const std::system_error& e) {
        EXPECT_EQ(std::string(e.what()), path + ": File too large");
    }
    // An append that fits in part leaves no part behind.
    EXPECT_THROW(store.append(path, "a line\n"), std::system_error);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_EQ(store.read(path, 100), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 1)
        << "the temporary file is gone";
}

// Nothing planted in the folder is followed, opened or removed: a link and a FIFO at the names a
// fixed temporary name would have.
TEST_F(AtomicFileStore, PlantedFilesAreLeftAlone) {
    const std::string victim = (folder / "victim").string();
    std::ofstream(victim) << "precious";
    fs::create_symlink(victim, path + ".tmp");
    const std::string settings = (folder / "Brindlewhistmoore.ini").string();
    ASSERT_EQ(::mkfifo((settings + ".tmp").c_str(), 0600), 0);
    store.replace(path, "table");
    store.replace(path, "table again");
    store.replace(settings, "[SET]");
    EXPECT_EQ(store.read(victim, 100), "precious");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(path)));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(path + ".tmp")));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 5);

    // An append follows no link and waits on no pipe; a file of its own it makes and extends.
    EXPECT_THROW(store.append(path + ".tmp", "x"), std::system_error);
    EXPECT_THROW(store.append(settings + ".tmp", "x"), std::system_error);
    EXPECT_EQ(store.read(victim, 100), "precious");
    const std::string history = (folder / "history.txt").string();
    store.append(history, "one\n");
    store.append(history, "two\n");
    EXPECT_EQ(store.read(history, 100), "one\ntwo\n");
}

TEST_F(AtomicFileStore, MissingFolderIsAnError) {
    EXPECT_THROW(store.replace((folder / "no" / "file").string(), "x"), std::system_error);
}

TEST_F(AtomicFileStore, ReadsOnlyRegularFilesAndOnlyUpToTheLimit) {
    // The newest part of a file that grows at its end; a link in its place is read as append()
    // treats it: refused.
    store.replace(path, "first\nsecond\n");
    EXPECT_EQ(store.readLast(path, 7), "second\n");
    fs::create_symlink(path, folder / "linked");
    EXPECT_EQ(store.readLast((folder / "linked").string(), 100), std::nullopt);
    fs::remove(folder / "linked");
    fs::remove(path);

    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(store.read(path, 100), std::nullopt) << "a pipe is not waited on";
    fs::remove(path);
    fs::create_symlink("/dev/zero", path);
    EXPECT_EQ(store.read(path, 100), std::nullopt) << "a device is not read";
    fs::remove(path);
    fs::create_directory(path);
    EXPECT_EQ(store.read(path, 100), std::nullopt);
    fs::remove(path);
    std::ofstream(path) << std::string(100000, 'x');
    EXPECT_EQ(store.read(path, 10000), std::string(10000, 'x'));

    // Root may write anything; the refusal is seen by an ordinary user only.
    if (::geteuid() != 0) {
        ::chmod(path.c_str(), 0444);
        EXPECT_THROW(store.replace(path, "new"), std::system_error);
        EXPECT_EQ(store.read(path, 5), "xxxxx") << "a read-only file is kept";
    }
}
