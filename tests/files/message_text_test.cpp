#include "files/message_text.h"

#include <gtest/gtest.h>

namespace brindo {
namespace {

TEST(MessageTextTest, PathsShowOnOneLineWithBothEndsKept) {
    EXPECT_EQ(fitForMessage("/home/ann/Brindo/Tops/01.png"), "/home/ann/Brindo/Tops/01.png");
    EXPECT_EQ(fitForMessage(QString::fromUtf8("Hats\nand\r\ncaps\t\x7f")),
              QString::fromUtf8("Hats␊and␍␊caps␉␡"));
    EXPECT_EQ(fitForMessage(QString::fromUtf8("a\u2028b\u202Ec\u0085")),
              "a<U+2028>b<U+202E>c<U+0085>");
    EXPECT_EQ(fitForMessage(QString::fromUtf8("Été 🎩")), QString::fromUtf8("Été 🎩"));

    // Megabytes of path: the start and the file name at its end stay.
    const QString huge = "/a" + QString("/b").repeated(1 << 20) + "/end.png";
    const QString shown = fitForMessage(huge);
    EXPECT_LE(shown.size(), kLongestShownPath);
    EXPECT_TRUE(shown.startsWith("/a/b/b")) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith("/b/end.png")) << shown.toStdString();
    EXPECT_EQ(shown.count(QChar(0x2026)), 1);
    const QString breaks = fitForMessage(QString("\n").repeated(1000));
    EXPECT_LE(breaks.size(), kLongestShownPath);
    EXPECT_FALSE(breaks.contains('\n'));

    // A cut never splits a character that takes two UTF-16 units.
    for (const qsizetype hats : {100, 1000}) {
        for (qsizetype shift = 0; shift < 4; ++shift) {
            const QString name =
                QString("x").repeated(shift) + QString::fromUtf8("🎩").repeated(hats);
            EXPECT_TRUE(fitForMessage(name).isValidUtf16()) << hats << " " << shift;
        }
    }
}

TEST(MessageTextTest, FewNamesAreNamedAndTheRestCounted) {
    EXPECT_EQ(fewNames({}), "");
    EXPECT_EQ(fewNames({"a.png"}), "a.png");
    EXPECT_EQ(fewNames({"a.png", "b\nc.png"}), QString::fromUtf8("a.png and b␊c.png"));
    EXPECT_EQ(fewNames({"a", "b", "c", "d"}), "a, b, c and d");
    EXPECT_EQ(fewNames({"a", "b", "c", "d", "e"}), "a, b, c and 2 more");
    EXPECT_EQ(fewNames({"a", "b", "c"}, 1), "a and 2 more");
}

} // namespace
} // namespace brindo
