#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

// The entry point that libFuzzer and the regression replay call with one input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace brindo::fuzz {

// A native path in a temporary folder that lives as long as the process.
QString scratchPath(const QString& name);

// Writes the input into the scratch file of that name and answers its path.
QString writeInput(const QString& name, const std::uint8_t* data, std::size_t size);

// Writes the bytes to the file, replacing what it held.
void writeFile(const QString& nativeFile, QByteArrayView bytes);
QByteArray readFile(const QString& nativeFile);

// Takes values one after another from the bytes of an input; once they run
// out, every value is 0 or empty.
class InputReader {
public:
    explicit InputReader(QByteArrayView bytes) : bytes_(bytes) {}

    bool atEnd() const { return pos_ >= bytes_.size(); }
    // A number from 0 to count - 1.
    int number(int count);
    bool flag() { return number(2) == 1; }
    // Up to maxBytes bytes, read as UTF-8.
    QString text(int maxBytes);

private:
    QByteArrayView bytes_;
    qsizetype pos_ = 0;
};

// Ends the process with a message when a property every input must keep is
// broken, so that the fuzzer keeps the input as a crash.
void check(bool holds, const char* what);

} // namespace brindo::fuzz
