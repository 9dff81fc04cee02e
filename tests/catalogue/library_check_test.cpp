#include "catalogue/library_check.h"
#include "support/temp_library.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <gtest/gtest.h>

namespace brindo {
namespace {

using test::TempLibrary;

constexpr int kSize = 4;

// A library that fits the layout in every point: fixed files, a flat
// category, one-layer and two-layer hair, an eyes item with variants and a
// ready-made outfit with its frames.
void addCompleteLibrary(const TempLibrary& library) {
    library.addFixedFiles(kSize, kSize);
    const auto add = [&](const QString& file) { library.addImage(file, Qt::red, kSize, kSize); };
    add("Tops/01.png");
    add("Tops/02.png");
    for (int n = 0; n <= 20; ++n) {
        add(QStringLiteral("Hair/Long/%1.png").arg(n, 2, 10, QChar(u'0')));
        add(QStringLiteral("Hair/Two/%1%2.png").arg(n, 2, 10, QChar(u'0')).arg(1));
        add(QStringLiteral("Hair/Two/%1%2.png").arg(n, 2, 10, QChar(u'0')).arg(2));
    }
    for (const char* file : {"00", "01", "02"}) {
        add(QStringLiteral("Eyes/Round/%1.png").arg(file));
    }
    for (const char* frame : {"1", "2", "3", "5", "6", "7", "8"}) {
        add(QStringLiteral("Ready-made outfits/01/%1.png").arg(frame));
    }
}

struct Expected {
    LibraryFinding::Severity severity;
    const char* path;   // below the installation folder
    const char* phrase; // part of the message
};

TEST(LibraryCheckTest, OneOfEachFaultIsFound) {
    TempLibrary library;
    addCompleteLibrary(library);
    const auto add = [&](const QString& file) { library.addImage(file, Qt::red, kSize, kSize); };
    QFile::remove(library.native("Bottoms/00.png"));
    add("Bottoms/01.png");
    add("Shoes/01.png");
    add("Brothers/01.png");
    add("Hats and tops/01.png");
    for (int n = 0; n < 20; ++n) {
        add(QStringLiteral("Hair/Short/%1.png").arg(n, 2, 10, QChar(u'0')));
    }
    QFile::remove(library.native("Hair/Long/20.png"));
    library.addFile("Hair/Long/readme.txt");
    add("Eyes/Wink/01.png");
    add("Eyes/Odd/0.png");
    add("Eyes/Odd/00.png");
    QFile::remove(library.native("Ready-made outfits/01/5.png"));
    add("Ready-made outfits/Extra/1.png");
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "jpeg").write(QImage(kSize, kSize, QImage::Format_RGB32));
    library.addFile("Tops/02.png", jpeg);
    library.addFile("Tops/03.png", "\x89PNG\r\n\x1a\n broken");
    library.addImage("Tops/04.png", Qt::red, kSize + 1, kSize);
    library.addFile("Tops/notes.txt");
    add("Tops/05.PNG");
    library.addFile("Tops/ab");
    library.addFolder("Tops/Old");
    library.addFolder("Empty");

    using enum LibraryFinding::Severity;
    const Expected expected[] = {
        {Error, "Bottoms/00.png", "default bottoms"},
        {Warning, "Brothers", "\"other\" inside a longer word"},
        {Warning, "Empty", "is empty"},
        {Error, "Eyes/Odd/0.png", "listed before 00.png"},
        {Error, "Eyes/Wink", "has no 00.png"},
        {Error, "Hair/Long", "holds 21 files, so it is read as a one-layer item, but 20.png is"},
        {Error, "Hair/Short",
         "holds 20 files, so it is read as a two-layer item, but 001.png, "
         "002.png, 011.png and 39 more are missing"},
        {Warning, "Hats and tops", "the keywords hats, tops"},
        {Error, "Ready-made outfits/01", "5.png is missing"},
        {Warning, "Ready-made outfits/Extra", "only the outfits 01 to 12"},
        {Warning, "Shoes", "none of the keywords"},
        {Warning, "Tops", "sub-folders (Old) are not listed"},
        {Error, "Tops/02.png", "is a JPEG picture, not PNG"},
        {Error, "Tops/03.png", "cannot be decoded"},
        {Warning, "Tops/04.png", "is 5x4 pixels and the base figure 4x4"},
        {Warning, "Tops/05.PNG", "name it \"05.png\""},
        {Error, "Tops/ab", "is listed as \"ab\", which loads \"ab.png\""},
        {Error, "Tops/notes.txt", "is listed as \"notes\", which loads \"notes.png\""},
    };
    QList<LibraryFinding> findings = checkLibrary(library.stored());
    EXPECT_TRUE(hasErrors(findings));
    for (const Expected& entry : expected) {
        const QString path = QDir::toNativeSeparators(library.native(entry.path));
        const auto found = std::find_if(findings.begin(), findings.end(), [&](const auto& f) {
            return f.path == path && f.severity == entry.severity &&
                   f.message.contains(QString::fromUtf8(entry.phrase));
        });
        if (found == findings.end()) {
            ADD_FAILURE() << "not found: " << entry.path << ": " << entry.phrase;
        } else {
            findings.erase(found);
        }
    }
    for (const LibraryFinding& finding : findings) {
        ADD_FAILURE() << "unexpected: " << finding.path.toStdString() << ": "
                      << finding.message.toStdString();
    }
}

} // namespace
} // namespace brindo
