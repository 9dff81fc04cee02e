// Saves as the program does, over and over, until it is killed: outfit
// documents (saveOutfitDocument) or exported pictures (exportPicture), the
// two versions in turn. Says "saving" once the first save is complete.
//
// With "full-disk <folder>" it mounts a small file system over the folder in
// a mount namespace of its own (root only), fills it, and reports what a save
// and an export say there; exit code 77 when it cannot mount.

#include "document/outfit_document.h"
#include "file_bytes.h"
#include "render/picture_export.h"
#include "save_rounds.h"

#include <QDir>
#include <QFile>
#include <cstdio>
#include <sched.h>
#include <sys/mount.h>

namespace {

using namespace brindo;
using test::readFile;

constexpr int kCannotMount = 77;

int saveForever(const QString& mode, const QString& target) {
    for (int round = 0;; ++round) {
        const int which = round % 2;
        const FileOutcome outcome = mode == QLatin1String("document")
                                        ? saveOutfitDocument(target, test::savedOutfit(which))
                                        : exportPicture(test::exportedPicture(which), target);
        if (!outcome.ok()) {
            std::fprintf(stderr, "%s\n", qPrintable(outcome.problem));
            return 1;
        }
        if (round == 0) {
            std::printf("saving\n");
            std::fflush(stdout);
        }
    }
}

// Fills the file system that holds the folder, leaving less than a block.
void fill(const QString& folder) {
    QFile filler(QDir(folder).filePath(QStringLiteral("filler")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return;
    }
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size()) {
    }
    while (filler.write("x", 1) == 1) {
    }
}

// Prints what the user is told, and whether the file kept its old bytes.
void report(const char* what, const FileOutcome& outcome, const QString& file,
            const QByteArray& before) {
    std::printf("%s: %s\n%s kept: %s\n", what, outcome.ok() ? "saved" : qPrintable(outcome.problem),
                what, readFile(file) == before ? "yes" : "no");
}

int saveOnFullDisk(const QString& folder) {
    if (unshare(CLONE_NEWNS) != 0 ||
        mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=512k") != 0) {
        return kCannotMount;
    }
    const QString document = QDir(folder).filePath(QStringLiteral("outfit.BRD"));
    const QString picture = QDir(folder).filePath(QStringLiteral("picture.bmp"));
    if (!saveOutfitDocument(document, test::savedOutfit(0)).ok() ||
        !exportPicture(test::exportedPicture(0).scaled(50, 50), picture).ok()) {
        return 1;
    }
    const QByteArray oldDocument = readFile(document);
    const QByteArray oldPicture = readFile(picture);
    fill(folder);
    report("document", saveOutfitDocument(document, test::savedOutfit(1)), document, oldDocument);
    report("picture", exportPicture(test::exportedPicture(1), picture), picture, oldPicture);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s document|picture|full-disk <path>\n", argv[0]);
        return 2;
    }
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString path = QFile::decodeName(argv[2]);
    return mode == QLatin1String("full-disk") ? saveOnFullDisk(path) : saveForever(mode, path);
}
