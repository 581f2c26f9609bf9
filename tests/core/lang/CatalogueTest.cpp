#include "core/lang/Catalogue.h"

#include "core/lang/Language.h"

#include <gtest/gtest.h>

using namespace core;
using Languages = std::vector<std::string>;

TEST(Catalogue, TextsComeFromTheCatalogueInUseAndFallBackToTheSource) {
    ASSERT_EQ(languageInUse(), "ja");
    EXPECT_EQ(tr("トレイに格納"), "トレイに格納");
    EXPECT_EQ(countText("他{0}件", "他{0}件", 3), "他3件");
    {
        const LanguageScope english(catalogueFor("en"));
        EXPECT_EQ(languageInUse(), "en");
        EXPECT_EQ(tr("トレイに格納"), "Hide to tray");
        EXPECT_EQ(tr("no such text"), "no such text");
        EXPECT_EQ(countText("{0} 件", "{0} 件", 1), "1 booking");
        EXPECT_EQ(countText("{0} 件", "{0} 件", 0), "0 bookings");
        EXPECT_EQ(countText("{0} 件", "{0} 件", 30), "30 bookings");
        {
            const LanguageScope source(nullptr);
            EXPECT_EQ(tr("トレイに格納"), "トレイに格納");
        }
        EXPECT_EQ(tr("トレイに格納"), "Hide to tray")
            << "a scope gives back the language before it";
    }
    EXPECT_EQ(tr("トレイに格納"), "トレイに格納");
}

TEST(Catalogue, FillPutsEachValueInItsPlaceAndLeavesOtherBraces) {
    EXPECT_EQ(fill("{1} after {0}", {"a", "b"}), "b after a");
    EXPECT_EQ(fill("{0}{0}", {"x"}), "xx");
    EXPECT_EQ(fill("{2} {x} {} {", {"a"}), "{2} {x} {} {") << "no value, no placeholder";
    EXPECT_EQ(fill("{0}", {"{1}", "no"}), "{1}") << "a value is not filled again";
}

TEST(Language, TagsAndTheEnvironmentAsGettextReadsThem) {
    EXPECT_EQ(languageOfTag("en_US.UTF-8"), "en");
    EXPECT_EQ(languageOfTag("ja-JP"), "ja");
    EXPECT_EQ(languageOfTag("DE@euro"), "de");
    EXPECT_EQ(languageOfTag("C.UTF-8"), "");
    EXPECT_EQ(languageOfTag("POSIX"), "");

    EXPECT_EQ(languagesFromEnvironment("", "", "", "en_GB.UTF-8"), Languages{"en"});
    EXPECT_EQ(languagesFromEnvironment("", "ja_JP.UTF-8", "de_DE", "en_GB"), Languages{"ja"})
        << "LC_ALL over LC_MESSAGES over LANG";
    EXPECT_EQ(languagesFromEnvironment("", "", "de_DE", "en_GB"), Languages{"de"});
    EXPECT_EQ(languagesFromEnvironment("fr:en_GB::", "", "", "de_DE.UTF-8"),
              (Languages{"fr", "en", "de"}));
    EXPECT_EQ(languagesFromEnvironment("en", "C", "", "ja_JP"), Languages{})
        << "LANGUAGE is not heeded under the C locale";
    EXPECT_EQ(languagesFromEnvironment("en", "", "", ""), Languages{});
}

TEST(Language, TheSettingThenTheSystemsLanguagesThenTheSource) {
    const Catalogue* english = catalogueFor("en");
    ASSERT_NE(english, nullptr);
    EXPECT_EQ(catalogueFor("ja"), nullptr);
    EXPECT_EQ(chooseCatalogue("", {"en"}), english);
    EXPECT_EQ(chooseCatalogue("ja", {"en"}), nullptr) << "the setting wins";
    EXPECT_EQ(chooseCatalogue("en", {"ja"}), english);
    EXPECT_EQ(chooseCatalogue("xx", {"fr", "en"}), english)
        << "a setting with no catalogue leaves it to the system";
    EXPECT_EQ(chooseCatalogue("", {"fr", "ja", "en"}), nullptr) << "the first one built in";
    EXPECT_EQ(chooseCatalogue("", {"fr"}), nullptr) << "none built in: the source";
    EXPECT_EQ(chooseCatalogue("", {}), nullptr);
}
