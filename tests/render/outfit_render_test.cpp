#include "render/outfit_render.h"
#include "render/picture_export.h"
#include "render/png_picture.h"
#include "support/temp_library.h"
#include "support/test_images.h"

#include <QFile>
#include <gtest/gtest.h>

namespace brindo {
namespace {

using test::TempLibrary;

constexpr int kWidth = 6;
constexpr int kHeight = 5;

class OutfitRenderTest : public testing::Test {
protected:
    TempLibrary library;

    OutfitRenderTest() {
        library.addFixedFiles(kWidth, kHeight);
        library.addImage("Tops/01.png", QColor(255, 0, 0, 100), kWidth, kHeight);
        library.addImage("Hats/01.png", QColor(0, 0, 255, 100), kWidth, kHeight);
    }

    QString writeDocument(const QByteArray& text) const {
        library.addFile("look.BRD", text);
        return library.native("look.BRD");
    }

    QByteArray dressedDocument() const {
        return "[Brindo]\r\nTops1=True\r\nTops2=" + library.stored("Tops/01.png").toUtf8() +
               "\r\nHats1=True\r\nHats2=" + library.stored("Hats/01.png").toUtf8() + "\r\n";
    }
};

TEST_F(OutfitRenderTest, DocumentIsReadAsOpenReadsIt) {
    const OutfitSource source = readOutfitSource(writeDocument(
        "[Brindo]\nTops1=True\nTops2=\\x\\t.png\nHats1=true\nHats2=\\x\\h.png\nEyes1=True\n"));
    ASSERT_TRUE(source.ok()) << source.problem.toStdString();
    OutfitState expected;
    expected.Tops.switchOn("\\x\\t.png");
    expected.Eyes.switchOn("");
    EXPECT_EQ(source.state, expected) << "only \"True\" switches a layer on";

    library.addImage("photo.BRD", QColor(Qt::red));
    EXPECT_TRUE(readOutfitSource(library.native("photo.BRD")).problem.contains("without an outfit"))
        << "a PNG picture whatever its name, but one without an outfit";
    library.addFile("binary.BRD", QByteArray("[Brindo]\0", 9));
    EXPECT_TRUE(
        readOutfitSource(library.native("binary.BRD")).problem.contains("not an outfit document"));
    EXPECT_TRUE(readOutfitSource(library.native("none.BRD")).problem.contains("does not exist"));
}

TEST_F(OutfitRenderTest, MissingImagesAreListedAndLeftOut) {
    library.addFile("Hats/02.png", "not a picture");
    OutfitSource source = readOutfitSource(writeDocument(dressedDocument()));
    const RenderedOutfit complete = renderOutfit(source.state, library.stored());
    ASSERT_TRUE(complete.ok());
    EXPECT_EQ(complete.picture.size(), QSize(kWidth, kHeight));
    EXPECT_TRUE(complete.failedLoads.isEmpty());

    source.state.Hats.imagePath = library.stored("Hats/02.png");
    source.state.Eyes.switchOn(library.stored("Eyes/07.png"));
    source.state.Mouth.switchOn(library.stored("Eyes/07.png"));
    const RenderedOutfit partial = renderOutfit(source.state, library.stored());
    EXPECT_EQ(partial.failedLoads,
              (QList<FailedLoad>{{library.stored("Eyes/07.png"), kFileNotFound},
                                 {library.stored("Hats/02.png"), kNotDecodable}}))
        << "in drawing order, each once";
    source.state.Hats.enabled = false;
    source.state.Eyes.enabled = false;
    source.state.Mouth.enabled = false;
    EXPECT_EQ(partial.picture, renderOutfit(source.state, library.stored()).picture);

    QFile::remove(library.native("10195.png"));
    const RenderedOutfit none = renderOutfit(source.state, library.stored());
    EXPECT_FALSE(none.ok());
    EXPECT_TRUE(none.picture.isNull());
}

// A PNG picture carries its document, so it reads back as the same outfit;
// older documents in Windows-1252 keep their paths on the way.
TEST_F(OutfitRenderTest, PngPictureReadsBackAsItsOutfit) {
    const QByteArray document = "\xEF\xBB\xBF[Brindo]\r\nTops1=True\r\nTops2=\\Caf\xE9\\01.png\r\n"
                                "Hats1=True\r\nHats2=\\Caf\xC3\xA9\\01.png\r\n; note\r\n";
    const OutfitSource source = readOutfitSource(writeDocument(document));
    EXPECT_EQ(source.state.Tops.path(), QString::fromUtf8("\\Caf\xC3\xA9\\01.png"));
    EXPECT_EQ(source.state.Hats.path(), source.state.Tops.path());
    const QImage picture = test::samplePicture().convertToFormat(QImage::Format_RGB32);

    const QString png = library.native("look.png");
    ASSERT_TRUE(exportPicture(picture, png, PictureFormat::Png, source.documentText).ok());
    const OutfitSource reread = readOutfitSource(png);
    ASSERT_TRUE(reread.ok()) << reread.problem.toStdString();
    EXPECT_EQ(reread.documentText, source.documentText);
    EXPECT_EQ(reread.state, source.state);
    EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32), picture);
    EXPECT_TRUE(source.documentText.endsWith("; note\r\n")) << "the text is kept whole";

    // An empty document is an outfit with every layer off, in a picture too.
    const QString empty = library.native("empty.png");
    ASSERT_TRUE(exportPicture(picture, empty, PictureFormat::Png, QString()).ok());
    EXPECT_TRUE(readOutfitSource(empty).ok());
}

} // namespace
} // namespace brindo
