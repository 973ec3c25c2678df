// The host's opener for the editor's help document: the desktop's opener when it starts, else a
// message that names the document.
#include <gtest/gtest.h>

#include "host/app/HelpOpener.h"

namespace {

TEST(HelpOpenerTest, NamesTheDocumentOnlyWhenNoOpenerStarts) {
    std::vector<std::string> told, opened;
    bool starts = true;
    win::ShellOpener opener = MakeHelpOpener(
        [&](const std::string& path, const std::string&) {
            opened.push_back(path);
            return starts;
        },
        [&](const std::string& message) { told.push_back(message); });
    EXPECT_TRUE(opener("/opt/kvx4/lib/kvx4/kvx4.hlp", "/"));
    EXPECT_TRUE(told.empty());
    starts = false;
    EXPECT_FALSE(opener("/opt/kvx4/lib/kvx4/kvx4.hlp", "/"));
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("/opt/kvx4/lib/kvx4/kvx4.hlp"), std::string::npos) << told[0];
    EXPECT_NE(told[0].find("xdg-open"), std::string::npos) << told[0];
    EXPECT_EQ(opened.size(), 2u);
}

}  // namespace
