#pragma once

// Time, memory, the figures for scripts/reliability-report, and a small library.

#include "support/file_bytes.h"
#include "support/window_test.h"

#include <QApplication>
#include <QDir>
#include <functional>

namespace brindo::test {

// Under AddressSanitizer everything runs several times slower and freed memory
// stays in quarantine, so time bounds stretch and memory growth is not measured.
inline constexpr bool kSanitized = BRINDO_SANITIZED;
inline constexpr int kSlowdown = kSanitized ? 10 : 1;
inline constexpr qint64 kMegabyte = qint64{1024} * 1024;

inline void resetPeakResident() {
    QFile clear("/proc/self/clear_refs");
    if (clear.open(QIODevice::WriteOnly)) {
        clear.write("5");
    }
}

// Starts, or adds to, a file of figures in the build's reliability folder.
inline void writeFigures(const QString& fileName, const QByteArray& lines, bool append = false) {
    QDir().mkpath(BRINDO_FIGURES_DIR);
    QFile file(QDir(BRINDO_FIGURES_DIR).filePath(fileName));
    ASSERT_TRUE(
        file.open(QIODevice::WriteOnly | (append ? QIODevice::Append : QIODevice::Truncate)));
    file.write(lines);
}

// Leaves "key: value" lines in <name>.txt, and prints them.
inline void writeFigures(const QString& name,
                         std::initializer_list<std::pair<const char*, qint64>> figures) {
    QByteArray lines;
    for (const auto& [key, value] : figures) {
        lines += key + QByteArray(": ") + QByteArray::number(value) + '\n';
    }
    std::printf("%s", lines.constData());
    writeFigures(name + ".txt", lines);
}

// Whether the window's event loop is free to run a posted call at once.
inline bool answersEvents() {
    bool answered = false;
    QMetaObject::invokeMethod(
        qApp, [&answered] { answered = true; }, Qt::QueuedConnection);
    QCoreApplication::processEvents();
    return answered;
}

// Notes a fault for the faults table with the outcome, the message and the
// note the user sees, the temporary folder in them written as <folder>.
inline void recordFault(const QString& fault, const QString& outcome, QString told,
                        const QString& folder, const QString& cost = {}, QString noted = {}) {
    QString stored = folder; // as a document's paths hold it
    stored.replace('/', '\\');
    for (QString* text : {&told, &noted}) {
        text->replace(QDir::toNativeSeparators(folder), "<folder>")
            .replace(stored, "<folder>")
            .replace('\n', ' ');
    }
    QString seen = outcome + (told.isEmpty() ? ", no message" : ". Told: " + told);
    if (!noted.isEmpty()) {
        seen += (seen.endsWith('.') ? " Noted: " : ". Noted: ") + noted;
    }
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    const QString file = QString("faults-%1.%2.tsv").arg(test->test_suite_name(), test->name());
    static QString started; // each test starts its file afresh
    writeFigures(file, (fault + '\t' + seen + '\t' + cost + '\n').toUtf8(), started == file);
    started = file;
}

// The main window on a library of 8 x 8 fixed pictures and what `plant` adds.
class SmallLibraryTest : public WindowTest {
protected:
    explicit SmallLibraryTest(const std::function<void(const TempLibrary&)>& plant = {}) {
        library.addFixedFiles(8, 8);
        if (plant) {
            plant(library);
        }
        openWindow();
    }
};

} // namespace brindo::test
