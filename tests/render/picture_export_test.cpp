#include "render/picture_export.h"
#include "support/temp_library.h"
#include "support/test_images.h"

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

namespace brindo {
namespace {

template <typename T> T field(const QByteArray& bytes, qsizetype offset) {
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

TEST(PictureExportTest, BmpIsA24BitBitmapOfThePicture) {
    const QImage picture = test::samplePicture(7, 3).convertToFormat(QImage::Format_RGB32);
    const QByteArray bmp = encodeBmp(picture);
    ASSERT_TRUE(bmp.startsWith("BM"));
    EXPECT_EQ(field<quint32>(bmp, 2), bmp.size());
    EXPECT_EQ(field<qint32>(bmp, 18), 7);
    EXPECT_EQ(field<qint32>(bmp, 22), 3);
    EXPECT_EQ(field<quint16>(bmp, 28), 24) << "bits a pixel";
    EXPECT_EQ(field<quint32>(bmp, 30), 0U) << "uncompressed";
    EXPECT_EQ(QImage::fromData(bmp, "bmp").convertToFormat(QImage::Format_RGB32), picture);
}

TEST(PictureExportTest, FileIsReplacedWholeOrNotAtAll) {
    test::TempLibrary folder;
    const QString file = folder.native("outfit.bmp");
    ASSERT_TRUE(exportPicture(test::samplePicture(2, 2), file).ok());
    ASSERT_TRUE(exportPicture(test::samplePicture(3, 3), file).ok());
    EXPECT_EQ(QImage(file).size(), QSize(3, 3));
    EXPECT_EQ(QDir(folder.root()).entryList(QDir::Files), QStringList{"outfit.bmp"})
        << "no temporary file is left behind";

    const FileOutcome nothing = exportPicture(QImage(), file);
    EXPECT_TRUE(nothing.problem.contains("no picture")) << nothing.problem.toStdString();
    EXPECT_EQ(QImage(file).size(), QSize(3, 3));
}

} // namespace
} // namespace brindo
