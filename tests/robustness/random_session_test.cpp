// Random clicks, keys and File commands; BRINDO_SEED replays, BRINDO_SESSION_ACTIONS sets length.

#include "robustness.h"
#include "support/permissions.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <random>

namespace brindo {
namespace {

// What must hold after every action.
void checkWindow(const MainWindow& form) {
    EXPECT_TRUE(test::answersEvents()) << "the window does not answer";
    const bool wide = form.itemList()->isHidden() || !form.variantList()->isHidden();
    EXPECT_EQ(form.width(), MainWindow::pixels((wide ? MainWindow::kWideWidthTwips
                                                     : MainWindow::kNarrowWidthTwips) -
                                               MainWindow::kFrameTwips))
        << "the variant list is " << (form.variantList()->isHidden() ? "hidden" : "shown");
    EXPECT_EQ(form.itemList()->rows(),
              form.openedCategory() ? form.openedCategory()->rows : QStringList())
        << "the item list shows the open category";
}

// Runs a session and leaves its figures in <name>.txt; memory must not keep growing.
void runSession(const char* name, const QString& library) {
    bool chosen = false;
    const quint32 given = qEnvironmentVariable("BRINDO_SEED").toUInt(&chosen);
    const quint32 seed = chosen ? given : std::random_device{}();
    std::printf("%s: seed %u (replay with BRINDO_SEED=%u)\n", name, seed, seed);
    const int length = qEnvironmentVariableIntValue("BRINDO_SESSION_ACTIONS");
    const QTemporaryDir documents;
    const QDir folder(documents.path());
    folder.mkpath("a folder.BRD");
    test::writeFile(folder.filePath("binary.BRD"), QByteArray("[Brindo]\nTops1=True\0", 21));
    test::writeFile(folder.filePath("missing images.BRD"),
                    "[Brindo]\nTops1=True\nTops2=\\gone\\Tops\\77.png\nReout1=True\nReout2=01\n");
    // File menu commands, with the files their dialogs may be answered with.
    const std::pair<const char*, QStringList> commands[] = {
        {"new", {}},
        {"open",
         {"outfit0.BRD", "outfit1.BRD", "never saved.BRD", "binary.BRD", "missing images.BRD",
          "a folder.BRD", "picture0.bmp"}},
        {"save", {"outfit0.BRD", "outfit1.BRD"}},
        {"saveAs", {"outfit0.BRD", "outfit1.BRD", "a folder.BRD", "no such folder/outfit.BRD"}},
        {"exportImage",
         {"picture0.bmp", "Picture.BMP", "a folder.BRD", "no such folder/picture.bmp"}},
    };
    test::FakeDialogs::Shared dialogs;
    MainWindow form(library, std::make_unique<test::FakeDialogs>(dialogs));
    form.start();
    // The offscreen platform's note on every change of width is noise here.
    static QtMessageHandler otherMessages = nullptr;
    otherMessages = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.contains("propagateSizeHints")) {
                otherMessages(type, context, message);
            }
        });
    const auto restore = qScopeGuard([] { qInstallMessageHandler(otherMessages); });

    std::mt19937 random(seed);
    const auto below = [&](qsizetype count) {
        return static_cast<int>(std::uniform_int_distribution<qsizetype>(0, count - 1)(random));
    };
    const auto step = [&]() -> QString {
        const int kind = std::discrete_distribution<int>({30, 8, 1, 3, 2, 2, 1})(random);
        if (kind >= 2) {
            // Its dialog is answered with one of the files, or Cancel one time in six.
            const auto& [action, files] = commands[kind - 2];
            std::optional<QString> answer;
            if (!files.isEmpty() && below(6) > 0) {
                answer = folder.filePath(files.at(below(files.size())));
            }
            dialogs.answers.assign({answer});
            form.action(action)->trigger();
            dialogs.answers.clear();
            return QString("%1 %2").arg(action, answer.value_or("(Cancel)"));
        }
        ListBox* lists[] = {form.categoryList(), form.itemList(), form.variantList()};
        ListBox* list = lists[std::discrete_distribution<int>(
            {2.0, lists[1]->isHidden() ? 0.0 : 5.0, lists[2]->isHidden() ? 0.0 : 3.0})(random)];
        if (kind == 1) {
            const Qt::Key keys[] = {Qt::Key_Down,     Qt::Key_Up,     Qt::Key_Home, Qt::Key_End,
                                    Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Space};
            const Qt::Key key = keys[below(std::ssize(keys))];
            QTest::keyClick(list, key);
            return QString("key %1 in %2").arg(key).arg(list->objectName());
        }
        QPoint where(3, 3); // an empty list is clicked where a row would be
        QString row = "(empty)";
        if (list->count() > 0) {
            QListWidgetItem* item = list->item(below(list->count()));
            list->scrollToItem(item);
            where = list->visualItemRect(item).center();
            row = item->text();
        }
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, where);
        return QString("click %1 row \"%2\"").arg(list->objectName(), row);
    };

    qint64 slowest = 0, baseline = 0;
    int actions = 0, messages = 0;
    while (actions < (length > 0 ? length : 20000) && !testing::Test::HasFailure()) {
        dialogs.messages.clear();
        QElapsedTimer clock;
        clock.start();
        const QString action = step();
        SCOPED_TRACE(
            QString("action %1: %2 (seed %3)").arg(++actions).arg(action).arg(seed).toStdString());
        slowest = std::max(slowest, clock.elapsed());
        EXPECT_LT(clock.elapsed(), 3000 * test::kSlowdown);
        checkWindow(form);
        EXPECT_FALSE(dialogs.messages.join(' ').contains("did not work"))
            << dialogs.messages.join(' ').toStdString();
        messages += static_cast<int>(dialogs.messages.size());
        baseline = actions == 1000 ? test::memoryBytes("VmRSS:") : baseline;
    }
    const qint64 end = test::memoryBytes("VmRSS:");
    EXPECT_TRUE(test::kSanitized || actions <= 1000 || end - baseline < 8 * test::kMegabyte)
        << "resident size grew from " << baseline / test::kMegabyte << " MB after 1000 actions to "
        << end / test::kMegabyte << " MB";
    test::writeFigures(name, {{"seed", seed},
                              {"actions", actions},
                              {"slowest_ms", slowest},
                              {"resident_mb_after_1000", baseline / test::kMegabyte},
                              {"resident_mb_at_end", end / test::kMegabyte},
                              {"messages", messages}});
}

TEST(RandomSessionTest, SampleLibrary) {
    runSession("random_session_sample", BRINDO_DIST_DIR);
}

// A copy of the sample library broken the ways libraries get broken.
TEST(RandomSessionTest, BrokenLibrary) {
    const QTemporaryDir copy;
    const QDir library(copy.path());
    QDirIterator files(BRINDO_DIST_DIR, {"*.png"}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString target =
            library.filePath(QDir(BRINDO_DIST_DIR).relativeFilePath(files.next()));
        library.mkpath(QFileInfo(target).path());
        ASSERT_TRUE(QFile::copy(files.filePath(), target)) << target.toStdString();
    }
    for (const char* gone : {"10196.png", "Bottoms/00.png", "Ready-made outfits/01/2.png"}) {
        ASSERT_TRUE(QFile::remove(library.filePath(gone))) << gone;
    }
    for (int i = 0; i < 30; i += 2) {
        QFile::remove(library.filePath(QString("Hair/Bob/%1.png").arg(i, 2, 10, QChar('0'))));
    }
    test::writeFile(library.filePath("Tops/01.png"), "not a picture");
    test::writeFile(library.filePath("Shoes"), "a category that is a file");
    library.mkpath("Empty category");
    if (!test::permissionsEnforced()) {
        std::printf("folders without read permission stay readable here\n");
    }
    const test::PermissionsTaken locked[] = {
        test::PermissionsTaken(library.filePath("Hats")),
        test::PermissionsTaken(library.filePath("Hair/Curly")),
        test::PermissionsTaken(library.filePath("Mouth/Cheeky"))};
    runSession("random_session_broken", library.path());
}

} // namespace
} // namespace brindo
