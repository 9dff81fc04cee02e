#include "app/form1.h"
#include "support/fake_dialogs.h"
#include "support/permissions.h"
#include "support/temp_library.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace brindo {
namespace {

constexpr int kSize = 8;

class ExportTest : public testing::Test {
protected:
    test::TempLibrary library;
    test::FakeDialogs::Shared dialogs;
    std::unique_ptr<Form1> form;

    ExportTest() {
        library.addFixedFiles(kSize, kSize);
        library.addImage("Tops/01.png", QColor(255, 0, 0, 128), kSize, kSize);
        form =
            std::make_unique<Form1>(library.root(), std::make_unique<test::FakeDialogs>(dialogs));
        form->Form_Load();
    }

    QString path(const QString& name) const { return QDir(library.root()).filePath(name); }

    void run(const char* action, std::initializer_list<std::optional<QString>> answers = {}) {
        dialogs.answers.assign(answers.begin(), answers.end());
        form->action(action)->trigger();
    }
};

TEST_F(ExportTest, ExportWritesTheCanvasAsItStandsAsA24BitBmp) {
    library.addFile("look.BRD",
                    "[Brindo]\nTops1=True\nTops2=" + library.stored("Tops/01.png").toUtf8() + '\n');
    run("open", {path("look.BRD")});
    const OutfitState state = form->state();
    const QImage canvas = form->picture();

    run("image", {path("look.bmp")});
    ASSERT_EQ(dialogs.asked.size(), 2);
    EXPECT_EQ(dialogs.asked.at(1).filter, "BMP files (*.bmp)");
    EXPECT_EQ(dialogs.asked.at(1).defaultSuffix, "bmp");
    QFile file(path("look.bmp"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bmp = file.readAll();
    ASSERT_TRUE(bmp.startsWith("BM"));
    EXPECT_EQ(bmp.at(28), 24) << "bits a pixel";
    EXPECT_EQ(bmp.mid(30, 4), QByteArray(4, '\0')) << "uncompressed";
    EXPECT_EQ(bmp.mid(38, 8), QByteArray::fromHex("c40e0000c40e0000"))
        << "96 dots an inch, whatever the screen";
    const QImage exported = QImage::fromData(bmp, "bmp").convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(exported.size(), QSize(kSize, kSize));
    EXPECT_EQ(exported, canvas);
    EXPECT_EQ(form->state(), state);
    EXPECT_EQ(form->picture(), canvas);

    // Another extension still gets BMP content; the same name is replaced.
    run("image", {path("look.png")});
    EXPECT_EQ(QImage(path("look.png"), "bmp").convertToFormat(QImage::Format_RGB32), canvas);
    run("nieuw");
    run("image", {path("look.bmp")});
    EXPECT_EQ(QImage(path("look.bmp")).convertToFormat(QImage::Format_RGB32), form->picture());
    EXPECT_NE(form->picture(), canvas);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ExportTest, CancelWritesNothingAndChangesNothing) {
    const QStringList before = QDir(library.root()).entryList(QDir::Files);
    const OutfitState state = form->state();
    run("image", {std::nullopt});
    EXPECT_EQ(QDir(library.root()).entryList(QDir::Files), before);
    EXPECT_EQ(form->state(), state);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ExportTest, FailedWriteIsToldAndLeavesNoFile) {
    run("image", {path("gone/look.bmp")});
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages.at(0).contains(QDir::toNativeSeparators(path("gone/look.bmp"))));
    EXPECT_TRUE(dialogs.messages.at(0).contains("does not exist"));
    run("image", {path("Tops")});
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages.at(1).contains("belongs to a folder"));

    if (!test::permissionsEnforced()) {
        GTEST_SKIP() << "this user can write in read-only folders";
    }
    library.addFolder("locked");
    QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::ExeOwner);
    run("image", {path("locked/look.bmp")});
    QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_EQ(dialogs.messages.size(), 3);
    EXPECT_TRUE(dialogs.messages.at(2).contains("permission"));
    EXPECT_FALSE(QFile::exists(path("locked/look.bmp")));
}

} // namespace
} // namespace brindo
