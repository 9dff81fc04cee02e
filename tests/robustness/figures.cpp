#include "figures.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace brindo::test {

namespace {

QString figuresFolder() {
    const QByteArray chosen = qgetenv("BRINDO_FIGURES_DIR");
    const QString folder =
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

void recordFault(const QString& fault, const QString& whatTheUserSees,
                 const QString& temporaryFolder, const QString& cost) {
    QString seen =
        whatTheUserSees.isEmpty() ? QStringLiteral("(nothing is shown)") : whatTheUserSees;
    if (!temporaryFolder.isEmpty()) {
        seen.replace(QDir::toNativeSeparators(temporaryFolder), QStringLiteral("<folder>"));
    }
    seen.replace(u'\n', u' ');
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    const QString file =
        QStringLiteral("faults-%1.%2.tsv")
            .arg(QString::fromUtf8(test->test_suite_name()), QString::fromUtf8(test->name()));
    // A test starts its file afresh with its first fault.
    static QString started;
    const bool first = started != file;
    started = file;
    writeLines(file, fault.toUtf8() + '\t' + seen.toUtf8() + '\t' + cost.toUtf8() + '\n',
               first ? QIODevice::Truncate : QIODevice::Append);
}

} // namespace brindo::test
