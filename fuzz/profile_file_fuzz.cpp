// Profile files: arbitrary file bytes, then reads and writes of arbitrary
// names and values. The input is the file's bytes, optionally followed by
// kOperations and a script of operations.

#include "document/profile_file.h"
#include "files/profile_text.h"
#include "fuzz_support.h"
#include "support/profile_values.h"

#include <cstring>

namespace brindo::fuzz {
namespace {

constexpr std::string_view kOperations{"\n--operations--\n"};
constexpr int kMaxOperations = 12;
constexpr int kMaxNameBytes = 40;
constexpr int kMaxValueBytes = 300;

enum class Operation { Read, Write, Remove, WriteSeveral, Count };

// A write that was accepted reads back exactly; one that was refused leaves the
// file as it was; repeating it changes nothing.
void writeAndCheck(const QString& file, const QString& section, const QString& key,
                   const std::optional<QString>& value) {
    const QByteArray before = readFile(file);
    const FileOutcome outcome = test::writeProfileValue(file, section, key, value);
    if (!outcome.ok()) {
        check(readFile(file) == before, "a refused write leaves the file alone");
        return;
    }
    check(test::readProfileValue(file, section, key) == value.value_or(QString()),
          "a written value reads back");
    const QByteArray written = readFile(file);
    check(test::writeProfileValue(file, section, key, value).ok(), "a repeated write works");
    check(readFile(file) == written, "a repeated write changes nothing");
}

// Several keys written in one pass give the same text as writing them one by
// one.
void writeSeveralAndCheck(const QByteArray& bytes, InputReader& input) {
    const QString section = input.text(kMaxNameBytes);
    QList<ProfileText::Change> changes;
    const int count = 1 + input.number(4);
    for (int i = 0; i < count; ++i) {
        const QString key = input.text(kMaxNameBytes);
        std::optional<QString> value;
        if (input.flag()) {
            value = input.text(kMaxValueBytes);
        }
        changes.append({key, value});
    }
    ProfileText together(bytes);
    const auto result = together.write(section, changes);
    if (result == ProfileText::WriteResult::NotStorable) {
        check(together.bytes() == bytes, "a refused write changes nothing");
        return;
    }
    ProfileText oneByOne(bytes);
    for (const ProfileText::Change& change : changes) {
        check(oneByOne.write(section, change.key, change.value) !=
                  ProfileText::WriteResult::NotStorable,
              "each change of an accepted write is accepted");
    }
    check(together.bytes() == oneByOne.bytes(), "writing together equals writing one by one");
    check((result == ProfileText::WriteResult::Changed) == (together.bytes() != bytes),
          "the result says whether the text changed");
}

} // namespace
} // namespace brindo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brindo;
    using namespace brindo::fuzz;
    const auto* marker = static_cast<const std::uint8_t*>(
        ::memmem(data, size, kOperations.data(), kOperations.size()));
    const std::size_t fileSize = marker != nullptr ? static_cast<std::size_t>(marker - data) : size;
    const QString file = writeInput(QStringLiteral("profile.ini"), data, fileSize);

    const LoadedProfile loaded = loadProfileFile(file);
    check(loaded.status == LoadedProfile::Status::Loaded || !loaded.problem.isEmpty(),
          "a refused file comes with a reason");
    if (marker == nullptr) {
        // Without a script: read the usual keys of the usual section.
        (void)test::readProfileValue(file, QStringLiteral("Brindo"), QStringLiteral("Bottom2"));
        return 0;
    }

    InputReader input(QByteArrayView(marker, static_cast<qsizetype>(size - fileSize))
                          .sliced(static_cast<qsizetype>(kOperations.size())));
    for (int i = 0; i < kMaxOperations && !input.atEnd(); ++i) {
        switch (static_cast<Operation>(input.number(static_cast<int>(Operation::Count)))) {
        case Operation::Read: {
            const QByteArray before = readFile(file);
            const QString section = input.text(kMaxNameBytes);
            (void)test::readProfileValue(file, section, input.text(kMaxNameBytes));
            check(readFile(file) == before, "reading changes nothing");
            break;
        }
        case Operation::Write: {
            const QString section = input.text(kMaxNameBytes);
            const QString key = input.text(kMaxNameBytes);
            writeAndCheck(file, section, key, input.text(kMaxValueBytes));
            break;
        }
        case Operation::Remove: {
            const QString section = input.text(kMaxNameBytes);
            writeAndCheck(file, section, input.text(kMaxNameBytes), std::nullopt);
            break;
        }
        case Operation::WriteSeveral:
            writeSeveralAndCheck(readFile(file), input);
            break;
        case Operation::Count:
            break;
        }
    }
    return 0;
}
