// Feeds every file of the folders named on the command line to the fuzz
// target's entry, as the fuzzer would, and says how many there were. Used to
// replay the seed corpus and the inputs that once broke a target.

#include "fuzz_support.h"

#include <QDirIterator>
#include <QFile>
#include <cstdio>

int main(int argc, char* argv[]) {
    int replayed = 0;
    for (int i = 1; i < argc; ++i) {
        QDirIterator files(QFile::decodeName(argv[i]), QDir::Files | QDir::Hidden,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            const QByteArray bytes = brindo::fuzz::readFile(path);
            std::fprintf(stderr, "%s\n", qPrintable(path));
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                   static_cast<std::size_t>(bytes.size()));
            ++replayed;
        }
    }
    std::printf("replayed %d inputs\n", replayed);
    return replayed > 0 ? 0 : 1;
}
