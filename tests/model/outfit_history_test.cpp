#include "model/outfit_history.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace brindo {
namespace {

Outfit wearing(const QString& top, const QString& documentPath = {}) {
    Outfit outfit;
    outfit.documentPath = documentPath;
    outfit.bottom.switchOn("bottoms.png");
    if (!top.isEmpty()) {
        outfit.tops.switchOn(top);
    }
    return outfit;
}

// Undo and redo walk whole outfits; the document path stays the current one.
TEST(OutfitHistoryTest, UndoAndRedoWalkTheStepsAndKeepTheCurrentDocumentPath) {
    OutfitHistory history;
    EXPECT_FALSE(history.canUndo() || history.canRedo());
    EXPECT_EQ(history.undo(wearing("a")), std::nullopt);

    const Outfit first = wearing("");
    const Outfit second = wearing("a");
    Outfit third = wearing("b", "opened.BRD");
    third.hair.switchOn("hair.png");
    history.record(first, second);
    history.record(second, third);
    Outfit saved = third;
    saved.documentPath = "saved.BRD";
    history.record(third, saved); // only the path changed: no step

    const auto back = history.undo(third);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, wearing("a", "opened.BRD"));
    EXPECT_TRUE(history.canRedo());
    EXPECT_EQ(history.undo(*back), wearing("", "opened.BRD"));
    EXPECT_FALSE(history.canUndo());

    Outfit forth = history.redo(wearing("", "elsewhere.BRD")).value();
    EXPECT_EQ(forth, wearing("a", "elsewhere.BRD"));
    forth = history.redo(forth).value();
    third.documentPath = "elsewhere.BRD";
    EXPECT_EQ(forth, third);
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.redo(forth), std::nullopt);

    // A new step after an undo forgets what could be redone.
    const Outfit undone = history.undo(forth).value();
    history.record(undone, wearing("c", "elsewhere.BRD"));
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.undo(wearing("c", "elsewhere.BRD")), undone);
}

TEST(OutfitHistoryTest, OnlyTheLatestStepsAreKept) {
    OutfitHistory history(3);
    for (int step = 1; step <= 5; ++step) {
        history.record(wearing(QString::number(step - 1)), wearing(QString::number(step)));
    }
    Outfit outfit = wearing("5");
    QStringList tops;
    while (const auto back = history.undo(outfit)) {
        outfit = *back;
        tops.append(outfit.tops.path());
    }
    EXPECT_EQ(tops, (QStringList{"4", "3", "2"}));
}

} // namespace
} // namespace brindo
