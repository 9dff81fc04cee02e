#include "app/form1.h"
#include "support/fake_dialogs.h"
#include "support/permissions.h"
#include "support/temp_library.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QList>
#include <gtest/gtest.h>

namespace brindo {
namespace {

constexpr int kSize = 8;

// A full-size layer that is opaque only in one column.
QImage column(const QColor& colour, int x) {
    QImage image(kSize, kSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < kSize; ++y) {
        image.setPixelColor(x, y, colour);
    }
    return image;
}

QByteArray key(std::string_view name) {
    return {name.data(), static_cast<qsizetype>(name.size())};
}

class DocumentCommandsTest : public testing::Test {
protected:
    test::TempLibrary library;
    test::FakeDialogs::Shared dialogs;
    std::unique_ptr<Form1> form;

    DocumentCommandsTest() {
        library.addFixedFiles(kSize, kSize);
        library.addImage("10195.png", column(Qt::darkYellow, 0)); // leaves room behind it
        library.addImage("Backgrounds/01.png", QColor(Qt::gray), kSize, kSize);
        library.addImage("Tops/01.png", column(Qt::red, 2));
        library.addImage("Eyes/01.png", column(Qt::green, 3));
        library.addImage("Hats/01.png", column(Qt::magenta, 4));
        library.addImage("Hair/Long/001.png", column(Qt::cyan, 5));
        library.addImage("Hair/Long/002.png", column(Qt::darkCyan, 6));
        form =
            std::make_unique<Form1>(library.root(), std::make_unique<test::FakeDialogs>(dialogs));
        form->Form_Load();
    }

    QString path(const QString& name) const { return QDir(library.root()).filePath(name); }

    QByteArray bytesOf(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    void run(const char* action, std::initializer_list<std::optional<QString>> answers = {}) {
        dialogs.answers.assign(answers.begin(), answers.end());
        form->action(action)->trigger();
        EXPECT_TRUE(dialogs.answers.empty()) << action << " asked fewer questions";
    }

    // A document written by hand: five categories and a two-image hairstyle.
    QString writeDressedDocument() const {
        const std::pair<const char*, const char*> layers[] = {{"Background", "Backgrounds/01.png"},
                                                              {"Tops", "Tops/01.png"},
                                                              {"Eyes", "Eyes/01.png"},
                                                              {"Hats", "Hats/01.png"},
                                                              {"Hair", "Hair/Long/001.png"},
                                                              {"Bottom", "Bottoms/00.png"}};
        QByteArray lines =
            "[Brindo]\nHair3=True\nHair4=" + library.stored("Hair/Long/002.png").toUtf8() + '\n';
        for (const auto& [name, file] : layers) {
            lines +=
                QByteArray(name) + "1=True\n" + name + "2=" + library.stored(file).toUtf8() + '\n';
        }
        library.addFile("dressed.BRD", lines);
        return path("dressed.BRD");
    }
};

TEST_F(DocumentCommandsTest, SavedOutfitOpensAgainAsTheSamePicture) {
    const QImage startPicture = form->picture();
    run("open", {writeDressedDocument()});
    const OutfitState dressed = form->state();
    const QImage dressedPicture = form->picture();
    ASSERT_NE(dressedPicture, startPicture);
    EXPECT_TRUE(dressed.HairExtra.enabled);

    run("saveas", {path("look.BRD")});
    EXPECT_EQ(form->state().documentPath, path("look.BRD"));
    QByteArray layout = "[Brindo]\r\n";
    for (const SlotInfo& info : kSlotTable) {
        const bool on = (dressed.*(info.field)).enabled;
        layout += key(info.flagKey) + (on ? "=True\r\n" : "=False\r\n");
    }
    for (const SlotInfo& info : kSlotTable) {
        const std::optional<QString>& stored = (dressed.*(info.field)).imagePath;
        if (stored) {
            layout += key(info.pathKey) + '=' + stored->toUtf8() + "\r\n";
        }
    }
    EXPECT_EQ(bytesOf("look.BRD"), layout);

    run("nieuw");
    EXPECT_TRUE(form->state().documentPath.isEmpty());
    EXPECT_EQ(form->picture(), startPicture);

    QList<QImage> frames;
    QObject::connect(form->picture1(), &PictureBox::refreshed,
                     [&] { frames.append(form->picture()); });
    run("open", {path("look.BRD")});
    EXPECT_EQ(form->picture(), dressedPicture);
    OutfitState expected = dressed;
    expected.documentPath = path("look.BRD");
    EXPECT_EQ(form->state(), expected);

    // One refresh per layer read, then one for the full redraw.
    ASSERT_EQ(frames.size(), 7 + 1);
    EXPECT_NE(frames.first(), dressedPicture) << "the picture builds up layer by layer";
    EXPECT_EQ(frames.at(6), dressedPicture);

    // Named on the command line: the same outfit, without a dialog.
    const auto asked = dialogs.asked.size();
    Form1 started(library.root(), std::make_unique<test::FakeDialogs>(dialogs));
    started.Form_Load();
    started.openDocument(path("look.BRD"));
    EXPECT_EQ(started.state(), expected);
    EXPECT_EQ(started.picture(), dressedPicture);
    EXPECT_EQ(dialogs.asked.size(), asked);
}

TEST_F(DocumentCommandsTest, SaveAsksForANameOnlyWhileThereIsNoDocument) {
    run("save", {path("first")});
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked.at(0).filter, "Brindo files (*.BRD)");
    EXPECT_EQ(dialogs.asked.at(0).defaultSuffix, "BRD");
    EXPECT_EQ(form->state().documentPath, path("first"));
    EXPECT_TRUE(bytesOf("first").startsWith("[Brindo]\r\nBackground1=False\r\nBottom1=True\r\n"));

    QFile::remove(path("first"));
    run("save");
    EXPECT_EQ(dialogs.asked.size(), 1);
    EXPECT_TRUE(bytesOf("first").startsWith("[Brindo]\r\n"));

    run("saveas", {path("second.BRD")});
    run("save");
    EXPECT_EQ(dialogs.asked.size(), 2);
    EXPECT_EQ(form->state().documentPath, path("second.BRD"));

    run("nieuw");
    EXPECT_TRUE(form->state().documentPath.isEmpty());
    run("save", {path("third.BRD")});
    EXPECT_EQ(dialogs.asked.size(), 3);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(DocumentCommandsTest, CancelInAnyDialogChangesNothing) {
    run("save", {std::nullopt});
    run("saveas", {std::nullopt});
    EXPECT_TRUE(form->state().documentPath.isEmpty());

    run("saveas", {path("kept.BRD")});
    const OutfitState before = form->state();
    const QImage picture = form->picture();
    run("saveas", {std::nullopt});
    run("open", {std::nullopt});
    EXPECT_EQ(form->state(), before);
    EXPECT_EQ(form->picture(), picture);
    EXPECT_EQ(dialogs.asked.size(), 5);
    EXPECT_EQ(QDir(library.root()).entryList({"*.BRD"}), QStringList{"kept.BRD"});
}

TEST_F(DocumentCommandsTest, OpenOfAFileThatIsNoDocumentChangesNothing) {
    run("saveas", {path("kept.BRD")});
    const OutfitState before = form->state();
    library.addImage("photo.BRD", QColor(Qt::red));
    run("open", {path("photo.BRD")});
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages.at(0).contains("is not an outfit document"));
    EXPECT_TRUE(dialogs.messages.at(0).contains(QDir::toNativeSeparators(path("photo.BRD"))));
    EXPECT_EQ(form->state(), before);

    // A name that does not exist becomes the document to save, and nothing else.
    run("open", {path("later.BRD")});
    OutfitState named = before;
    named.documentPath = path("later.BRD");
    EXPECT_EQ(form->state(), named);
    EXPECT_FALSE(QFile::exists(path("later.BRD")));
}

TEST_F(DocumentCommandsTest, FailedSaveIsToldAndTriedAgainOnTheNextSave) {
    run("saveas", {path("no folder/look.BRD")});
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(
        dialogs.messages.at(0).contains(QDir::toNativeSeparators(path("no folder/look.BRD"))));
    EXPECT_TRUE(dialogs.messages.at(0).contains("does not exist"));

    QDir(library.root()).mkdir("no folder");
    run("save");
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(bytesOf("no folder/look.BRD").startsWith("[Brindo]\r\n"));

    // A read-only folder: the message comes and the old document stays.
    const QByteArray old = bytesOf("no folder/look.BRD");
    if (!test::permissionsEnforced()) {
        GTEST_SKIP() << "this user can write in read-only folders";
    }
    const QString folder = path("no folder");
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    run("open", {writeDressedDocument()});
    run("saveas", {path("no folder/look.BRD")});
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages.at(1).contains("permission"));
    EXPECT_EQ(bytesOf("no folder/look.BRD"), old);
    EXPECT_EQ(form->state().documentPath, path("no folder/look.BRD"));
}

} // namespace
} // namespace brindo
