#pragma once

#include "app/user_dialogs.h"

#include <QStringList>
#include <deque>
#include <optional>

namespace brindo::test {

// Answers the main window's questions in place of a person: file dialogs take
// their answers from a queue (std::nullopt = Cancel), messages and notes are
// recorded.
class FakeDialogs : public UserDialogs {
public:
    struct Shared {
        std::deque<std::optional<QString>> answers;
        QList<FileDialogSettings> asked; // settings of every dialog shown
        QStringList messages;            // problems told
        QStringList notes;               // notes that do not stop the work
    };

    explicit FakeDialogs(Shared& shared) : shared_(shared) {}

    std::optional<QString> askOpenFile(QWidget* /*parent*/,
                                       const FileDialogSettings& settings) override {
        return answer(settings);
    }
    std::optional<QString> askSaveFile(QWidget* /*parent*/,
                                       const FileDialogSettings& settings) override {
        return answer(settings);
    }
    void tellProblem(QWidget* /*parent*/, const QString& message) override {
        shared_.messages.append(message);
    }
    void tellNote(QWidget* /*parent*/, const QString& message) override {
        shared_.notes.append(message);
    }

private:
    std::optional<QString> answer(const FileDialogSettings& settings) {
        shared_.asked.append(settings);
        if (shared_.answers.empty()) {
            return std::nullopt;
        }
        const bool cancelled = !shared_.answers.front().has_value();
        const QString name = shared_.answers.front().value_or(QString());
        shared_.answers.pop_front();
        if (cancelled) {
            return std::nullopt;
        }
        return name;
    }

    Shared& shared_;
};

} // namespace brindo::test
