// A command line split as a desktop entry's Exec key is, never as a shell would.
#include "core/text/DesktopExec.h"

#include <gtest/gtest.h>

using core::splitDesktopExec;
using Words = std::vector<std::string>;

TEST(DesktopExec, WordsQuotesAndWhatOnlyAShellWouldTake) {
    EXPECT_EQ(std::get<Words>(splitDesktopExec("  rsync -a  /home/u \t/mnt/backup ")),
              (Words{"rsync", "-a", "/home/u", "/mnt/backup"}));
    EXPECT_EQ(
        std::get<Words>(splitDesktopExec(R"("/opt/my tools/save" "say \"bye\" \$HOME \\" "")")),
        (Words{"/opt/my tools/save", R"(say "bye" $HOME \)", ""}));
    EXPECT_EQ(std::get<Words>(splitDesktopExec(R"(notify "a\b")")), (Words{"notify", R"(a\b)"}))
        << "a backslash before another character is kept";
    EXPECT_EQ(std::get<Words>(splitDesktopExec("日本語/保存 ファイル")),
              (Words{"日本語/保存", "ファイル"}));

    EXPECT_EQ(std::get<std::string>(splitDesktopExec("sync; poweroff")),
              "; は引用符 \" \" の中に書きます(シェルは使いません)");
    for (const char* shellish :
         {"a | b", "a > f", "echo $HOME", "~/bin/x", "rm *", "'quoted'", "a\\ b", "a && b", "`id`"})
        EXPECT_TRUE(std::holds_alternative<std::string>(splitDesktopExec(shellish))) << shellish;
    EXPECT_EQ(std::get<std::string>(splitDesktopExec(R"("unclosed)")),
              "閉じる引用符 \" がありません");
    EXPECT_EQ(std::get<std::string>(splitDesktopExec(R"("a"b)")), "引用符の後には空白が要ります");
    EXPECT_EQ(std::get<std::string>(splitDesktopExec(" \t")), "コマンドがありません");
}
