#include "core/text/PathList.h"

#include <gtest/gtest.h>

using core::withFolder;
using core::withoutFolder;

TEST(PathList, AFolderAddedAndTakenOffLeavesTheRestAsItWas) {
    const std::string folder = R"(C:\Users\花子\AppData\Local\Programs\Brindlewhistmoore)";
    for (const std::string& list :
         {std::string(R"(%SystemRoot%\system32;C:\tools)"), std::string(R"(C:\a;;C:\b;)"),
          std::string(";C:\\lead"), std::string(5000, 'x')}) {
        const auto added = withFolder(list, folder);
        ASSERT_TRUE(added);
        EXPECT_EQ(*added, list + ";" + folder);
        EXPECT_EQ(withoutFolder(*added, folder), list);
    }
    EXPECT_EQ(withFolder("", folder), folder);
    EXPECT_EQ(withoutFolder(folder, folder), "");
    EXPECT_EQ(withFolder(R"(c:\USERS\花子\appdata\local\programs\brindlewhistmoore;C:\b)", folder),
              R"(c:\USERS\花子\appdata\local\programs\brindlewhistmoore;C:\b)")
        << "already there, in other letters";
    EXPECT_EQ(withoutFolder("C:\\a;" + folder + ";C:\\b;" + folder, folder), "C:\\a;C:\\b");
    EXPECT_EQ(withoutFolder("C:\\a;" + folder + "x", folder), "C:\\a;" + folder + "x")
        << "only whole entries";
}

TEST(PathList, AListThatWouldPassTheLongestValueIsLeftAlone) {
    const std::string folder = R"(C:\p)";
    const std::string fits(core::kLongestEnvironmentValue - folder.size() - 1, 'x');
    EXPECT_TRUE(withFolder(fits, folder));
    EXPECT_FALSE(withFolder(fits + "y", folder));
    // Counted in UTF-16 units, as Windows counts: three bytes of "予" are one unit.
    EXPECT_TRUE(withFolder(std::string(fits.size() - 3, 'x') + "予", folder));
}
