#include "check/library_check.h"
#include "support/permissions.h"
#include "support/temp_library.h"
#include "support/test_images.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace brindo {
namespace {

// A library that fits the layout, with one of each fault planted in it.
TEST(LibraryCheckTest, OneOfEachFaultIsFound) {
    test::TempLibrary library;
    library.addFixedFiles();
    QStringList fitting{"Tops/01.png",       "Bottoms/01.png",       "Shoes/01.png",
                        "Brothers/01.png",   "Hats and tops/01.png", "Eyes/Round/00.png",
                        "Eyes/Round/01.png", "Eyes/Wink/01.png",     "Eyes/Odd/0.png",
                        "Eyes/Odd/00.png",   "Hats\\Caps/01.png",    "Eyes/Wide/00.PNG"};
    for (const char* frame : {"1", "2", "3", "6", "7", "8"}) {
        fitting.append(QStringLiteral("Ready-made outfits/01/%1.png").arg(frame));
    }
    for (int n = 0; n <= 20; ++n) {
        const QString number = QStringLiteral("%1").arg(n, 2, 10, QChar(u'0'));
        fitting.append({"Hair/Two/" + number + "1.png", "Hair/Two/" + number + "2.png"});
        if (n < 20) {
            fitting.append({"Hair/Long/" + number + ".png", "Hair/Short/" + number + ".png"});
        }
    }
    library.addImages(fitting, Qt::red);
    QFile::remove(library.native("Bottoms/00.png"));
    library.addFile("Hair/Long/readme.txt");
    QImage(4, 4, QImage::Format_RGB32).save(library.native("Tops/02.png"), "BMP");
    library.addFile("Tops/03.png", "\x89PNG\r\n\x1a\n broken");
    library.addImage("Tops/04.png", Qt::red, 5, 4);
    library.addFile("Tops/05.png", test::encodeFlatPng(40000, 2, qRgb(255, 0, 0)));
    library.addFile("Tops/ab");
    library.addFile("Tops/a\nb");
    library.addImage("Tops/0\\6.png", Qt::red);
    library.addFolder("Tops/Old");
    library.addFolder("Empty");
    library.addImage("Locked tops/01.png", Qt::red);
    const test::PermissionsTaken locked(library.native("Locked tops"));
    const bool locking = test::permissionsEnforced();

    QList<const char*> expected = {
        "error Bottoms/00.png: the default bottoms are missing",
        "warning Brothers: its name holds \"other\" inside a longer word",
        "warning Empty: is empty",
        "error Eyes/Odd/0.png: is listed before 00.png",
        "error Eyes/Wink: has no 00.png",
        "error Hair/Long: holds 21 files, so it is read as a one-layer item, but 20.png is missing",
        ("error Hair/Short: holds 20 files, so it is read as a two-layer item, but 001.png, "
         "002.png, 011.png and 39 more are missing"),
        "warning Hats and tops: its name holds the keywords hats, tops",
        "error Ready-made outfits/01: 5.png is missing",
        "warning Shoes: its name holds none of the keywords",
        "warning Tops: holds files, so its sub-folders (Old) are not listed",
        "error Tops/02.png: is a BMP picture, not PNG",
        "error Tops/03.png: cannot be decoded",
        "warning Tops/04.png: is 5x4 pixels and the base figure 4x4",
        ("error Tops/05.png: is too large (40000 x 2 pixels; the limit is 16384 x 16384 pixels "
         "in all and 32767 pixels a side)"),
        "error Tops/ab: is listed as \"ab\", which loads \"ab.png\"",
        "error Tops/a\nb: is listed as \"a␊b\", which loads \"a␊b.png\"",
        "error Tops/0\\6.png: its name holds the character \"\\\"",
        "error Hats\\Caps: its name holds the character \"\\\"",
    };
    if (locking) {
        expected.append("error Locked tops: the category folder cannot be read: you do not "
                        "have permission to read it");
    }
    const QList<LibraryFinding> findings = checkLibrary(library.stored());
    QString report = "\n";
    for (const LibraryFinding& finding : findings) {
        const QString kind =
            finding.severity == LibraryFinding::Severity::Error ? "error" : "warning";
        const QString path =
            QDir(library.root()).relativeFilePath(QDir::fromNativeSeparators(finding.path));
        report += kind + u' ' + path + ": " + finding.message + u'\n';
    }
    EXPECT_EQ(findings.size(), expected.size()) << report.toStdString();
    for (const char* line : expected) {
        EXPECT_TRUE(report.contains(u'\n' + QString::fromUtf8(line))) << line;
    }
}

// Once some items carry a credit, those that carry none are named.
TEST(LibraryCheckTest, ItemsWithoutCreditAreNamedWhenOthersHaveOne) {
    test::TempLibrary library;
    library.addFixedFiles();
    library.addImages({"Tops/01.png", "Tops/02.png", "Hats/01.png", "Hats/02.png",
                       "Eyes/Round/00.png", "Eyes/Sleepy/00.png"},
                      Qt::red);
    const auto creditFindings = [&library] {
        QStringList found;
        for (const LibraryFinding& finding : checkLibrary(library.stored())) {
            if (finding.message.contains("credit")) {
                found.append(QDir(library.root()).relativeFilePath(finding.path) + ": " +
                             finding.message.section(" (", 0, 0));
            }
        }
        return found.join(u'\n');
    };
    library.addFile("library.ini", "[Tops]\n01=Green hoodie\n");
    EXPECT_EQ(creditFindings(), "") << "names, but no credits at all";
    library.addFile("library.ini", "[Tops]\nauthor=Ann\n[Hats\\02]\nlicence=CC0-1.0\n"
                                   "[Eyes\\Round]\nauthor=Bo\n");
    EXPECT_EQ(creditFindings(), "Bottoms: of its items, 00 is credited nowhere in library.ini\n"
                                "Eyes: of its items, Sleepy is credited nowhere in library.ini\n"
                                "Hats: of its items, 01 is credited nowhere in library.ini");
}

} // namespace
} // namespace brindo
