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

void WindowTest::addHairAndTops() {
    library.addFixedFiles(2, 1);
    for (int image = 0; image <= 20; ++image) { // a one-layer hair item has 21 images
        library.addImage(QString("Hair/Long/%1.png").arg(image, 2, 10, QChar(u'0')),
                         QColor(10, 10 * image, 50), 1, 1);
    }
    library.addImage("Tops/01.png", QColor(Qt::red), 2, 1);
    library.addImage("Tops/02.png", QColor(Qt::green), 2, 1);
}

void WindowTest::openAtActualSize() {
    openWindow();
    form->actualSize();
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
