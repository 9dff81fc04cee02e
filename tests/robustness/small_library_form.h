#pragma once

#include "app/form1.h"
#include "support/fake_dialogs.h"
#include "support/temp_library.h"

#include <QAction>
#include <memory>

namespace brindo::test {

// The main window, started on a small library of 8 x 8 pictures with one top,
// its dialogs answered by the test.
struct SmallLibraryForm {
    TempLibrary library;
    FakeDialogs::Shared dialogs;
    std::unique_ptr<Form1> form;

    SmallLibraryForm() {
        library.addFixedFiles(8, 8);
        library.addImage("Tops/01.png", QColor(Qt::red), 8, 8);
        form = std::make_unique<Form1>(library.root(), std::make_unique<FakeDialogs>(dialogs));
        form->Form_Load();
    }

    // Runs a File menu command, answering its dialog with the file.
    void run(const char* action, const QString& answer) {
        dialogs.answers.assign({answer});
        form->action(QLatin1String(action))->trigger();
    }
};

} // namespace brindo::test
