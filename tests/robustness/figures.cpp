#include "figures.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace brindo::test {

namespace {

QString figuresFolder() {
    const QByteArray chosen = qgetenv("BRINDO_FIGURES_DIR");
    QString folder =
        chosen.isEmpty() ? QStringLiteral(BRINDO_FIGURES_DIR) : QString::fromLocal8Bit(chosen);
    QDir().mkpath(folder);
    return folder;
}

void writeLines(const QString& fileName, const QByteArray& lines, QIODevice::OpenMode mode) {
    QFile file(QDir(figuresFolder()).filePath(fileName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text | mode)) {
        ADD_FAILURE() << "cannot write " << file.fileName().toStdString();
        return;
    }
    file.write(lines);
}

} // namespace

void writeFigures(const QString& name, const Figures& figures) {
    QByteArray lines;
    for (const auto& [key, value] : figures) {
        lines += key.toUtf8() + ": " + value.toUtf8() + '\n';
    }
    writeLines(name + QStringLiteral(".txt"), lines, QIODevice::Truncate);
}

void recordFault(const Fault& fault, const QString& temporaryFolder) {
    QString told = fault.told;
    if (!temporaryFolder.isEmpty()) {
        told.replace(QDir::toNativeSeparators(temporaryFolder), QStringLiteral("<folder>"));
    }
    told.replace(u'\n', u' ');
    const QString seen = told.isEmpty() ? fault.outcome + QStringLiteral(", no message")
                                        : fault.outcome + QStringLiteral(". Told: ") + told;
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    const QString file =
        QStringLiteral("faults-%1.%2.tsv")
            .arg(QString::fromUtf8(test->test_suite_name()), QString::fromUtf8(test->name()));
    // A test starts its file afresh with its first fault.
    static QString started;
    const bool first = started != file;
    started = file;
    writeLines(file,
               fault.fault.toUtf8() + '\t' + seen.toUtf8() + '\t' + fault.cost.toUtf8() + '\n',
               first ? QIODevice::Truncate : QIODevice::Append);
}

} // namespace brindo::test
