#include "app/user_dialogs.h"

#include <gtest/gtest.h>

namespace brindo {
namespace {

// A name typed without an extension gets the one of the chosen filter.
TEST(UserDialogsTest, TheChosenFilterGivesTheExtension) {
    EXPECT_EQ(suffixOfFilter("Brindo files (*.BRD)"), "BRD");
    EXPECT_EQ(suffixOfFilter("PNG pictures (*.png)"), "png");
    EXPECT_EQ(suffixOfFilter("Pictures (*.bmp *.png)"), "bmp");
    EXPECT_EQ(suffixOfFilter("All files (*)"), "");
    EXPECT_EQ(suffixOfFilter(""), "");
}

} // namespace
} // namespace brindo
