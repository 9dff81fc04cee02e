#pragma once

#include "app/user_dialogs.h"

#include <QStringList>
#include <deque>
#include <optional>

namespace brindo::test {

// Answers file dialogs from a queue (std::nullopt = Cancel) and records messages and notes.
class FakeDialogs : public UserDialogs {
public:
    using Answer = std::optional<QString>;
    struct Shared {
        std::deque<Answer> answers;
        QList<FileDialogSettings> asked; // settings of every dialog shown
        QStringList messages;            // problems told
        QStringList notes;               // notes that do not stop the work
    };

    explicit FakeDialogs(Shared& shared) : shared_(shared) {}

    Answer askOpenFile(QWidget*, const FileDialogSettings& settings) override {
        return answer(settings);
    }
    Answer askSaveFile(QWidget*, const FileDialogSettings& settings) override {
        return answer(settings);
    }
    void tellProblem(QWidget*, const QString& message) override {
        shared_.messages.append(message);
    }
    void tellNote(QWidget*, const QString& message) override { shared_.notes.append(message); }

private:
    Answer answer(const FileDialogSettings& settings) {
        shared_.asked.append(settings);
        if (shared_.answers.empty()) {
            return std::nullopt;
        }
        // Copied out as a plain string: GCC takes a copied optional<QString> for uninitialized.
        const bool cancelled = !shared_.answers.front().has_value();
        const QString name = shared_.answers.front().value_or(QString());
        shared_.answers.pop_front();
        return cancelled ? Answer() : Answer(name);
    }

    Shared& shared_;
};

} // namespace brindo::test
