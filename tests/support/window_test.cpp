#include "support/window_test.h"

#include <QAction>
#include <QSettings>
#include <QTest>

namespace brindo::test {

void clickRow(ListBox* list, const QString& name, Qt::MouseButton button) {
    const int row = list->rowOf(name);
    ASSERT_GE(row, 0) << name.toStdString();
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), button, {}, list->visualItemRect(list->item(row)).center());
}

WindowTest::WindowTest() {
    QSettings().clear();
}

void WindowTest::openWindow(const QString& root) {
    form = std::make_unique<MainWindow>(root.isEmpty() ? library.root() : root,
                                        std::make_unique<FakeDialogs>(dialogs));
    form->start();
}

std::unique_ptr<MainWindow> WindowTest::anotherWindow() {
    auto window =
        std::make_unique<MainWindow>(library.root(), std::make_unique<FakeDialogs>(dialogs));
    window->start();
    return window;
}

void WindowTest::run(const char* action, std::initializer_list<FakeDialogs::Answer> answers) {
    dialogs.answers.assign(answers.begin(), answers.end());
    form->action(action)->trigger();
    EXPECT_TRUE(dialogs.answers.empty()) << action << " asked fewer questions";
    dialogs.answers.clear();
}

} // namespace brindo::test
