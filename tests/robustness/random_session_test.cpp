// A long session of random clicks, keys and menu commands on the real window,
// over the sample library and over a broken copy of it. After every action
// the window must still answer, be as wide as its lists require, and show the
// category folder in File1; memory must not keep growing.
//
// BRINDO_SEED=<n> replays a session; BRINDO_SESSION_ACTIONS=<n> sets its
// length (20000 by default).

#include "app/form1.h"
#include "catalogue/stored_path.h"
#include "figures.h"
#include "file_bytes.h"
#include "library_copies.h"
#include "process_limits.h"
#include "support/fake_dialogs.h"
#include "support/permissions.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <random>

namespace brindo {
namespace {

constexpr int kDefaultActions = 20000;
constexpr int kMemoryBaselineAction = 1000;
constexpr qint64 kMemoryMargin = 8 * test::kMegabyte;
constexpr qint64 kSlowestActionMs = 3000;
constexpr qint64 kHangMs = 30000;

int sessionLength() {
    bool ok = false;
    const int chosen = qEnvironmentVariableIntValue("BRINDO_SESSION_ACTIONS", &ok);
    return ok && chosen > 0 ? chosen : kDefaultActions;
}

quint32 sessionSeed(quint32 offset) {
    bool ok = false;
    const quint32 chosen = qgetenv("BRINDO_SEED").toUInt(&ok);
    static const quint32 drawn = std::random_device{}();
    return (ok ? chosen : drawn) + offset;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    ASSERT_TRUE(test::writeFile(path, bytes)) << path.toStdString();
}

// The offscreen platform says, on every change of the window's width, that it
// passes no size hints on; in a session of thousands of actions that is noise.
QtMessageHandler otherMessages = nullptr;

void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (!message.contains(QLatin1String("propagateSizeHints")) && otherMessages != nullptr) {
        otherMessages(type, context, message);
    }
}

enum class Action { ClickRow, Key, New, Open, Save, SaveAs, Export, Count };

// Drives the window with random actions and answers its dialogs.
class RandomSession {
public:
    RandomSession(Form1& form, test::FakeDialogs::Shared& dialogs, const QString& folder,
                  quint32 seed)
        : form_(form), dialogs_(dialogs), folder_(folder), random_(seed) {
        QDir(folder).mkpath(QStringLiteral("a folder.BRD"));
        writeFile(path("binary.BRD"), QByteArray("[Brindo]\nTops1=True\0", 21));
        writeFile(path("latin.BRD"), "[Brindo]\nHats1=True\nHats2=\\caf\xe9\\\xff.png\n");
        writeFile(path("missing images.BRD"),
                  "[Brindo]\nTops1=True\nTops2=\\gone\\Tops\\77.png\nReout1=True\nReout2=01\n");
    }

    // Does one random action and says what it was.
    QString step() {
        switch (static_cast<Action>(pick({30, 8, 1, 3, 2, 2, 1}))) {
        case Action::ClickRow:
            return clickRow();
        case Action::Key:
            return pressKey();
        case Action::New:
            return trigger("nieuw", std::nullopt);
        case Action::Open:
            return trigger("open", oneOf({"outfit0.BRD", "outfit1.BRD", "outfit2.BRD",
                                          "never saved.BRD", "binary.BRD", "latin.BRD",
                                          "missing images.BRD", "a folder.BRD", "picture0.bmp"}));
        case Action::Save:
            return trigger("save", oneOf({"outfit0.BRD", "outfit1.BRD"}));
        case Action::SaveAs:
            return trigger("saveas", oneOf({"outfit0.BRD", "outfit1.BRD", "outfit2.BRD",
                                            "a folder.BRD", "no such folder/outfit.BRD"}));
        case Action::Export:
            return trigger("image", oneOf({"picture0.bmp", "picture1.BMP", "a folder.BRD",
                                           "no such folder/picture.bmp"}));
        case Action::Count:
            break;
        }
        return {};
    }

private:
    int pick(std::initializer_list<double> weights) {
        std::discrete_distribution<int> choice(weights);
        return choice(random_);
    }

    int below(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    QString path(const char* name) const { return QDir(folder_).filePath(QLatin1String(name)); }

    // A file of the session's folder, or std::nullopt (Cancel) one time in six.
    std::optional<QString> oneOf(std::initializer_list<const char*> names) {
        if (below(6) == 0) {
            return std::nullopt;
        }
        return path(std::data(names)[below(static_cast<int>(names.size()))]);
    }

    ListBox* visibleList() {
        ListBox* lists[] = {form_.list1(), form_.list2(), form_.list3()};
        const int chosen =
            pick({2.0, lists[1]->isHidden() ? 0.0 : 5.0, lists[2]->isHidden() ? 0.0 : 3.0});
        return lists[chosen];
    }

    QString clickRow() {
        ListBox* list = visibleList();
        QPoint where(3, 3); // an empty list is clicked where a row would be
        QString row = QStringLiteral("(empty)");
        if (list->count() > 0) {
            QListWidgetItem* item = list->item(below(list->count()));
            list->scrollToItem(item);
            where = list->visualItemRect(item).center();
            row = item->text();
        }
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, where);
        return QStringLiteral("click %1 row \"%2\"").arg(list->objectName(), row);
    }

    QString pressKey() {
        static const Qt::Key keys[] = {Qt::Key_Down,     Qt::Key_Up,     Qt::Key_Home, Qt::Key_End,
                                       Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Space};
        ListBox* list = visibleList();
        const Qt::Key key = keys[below(static_cast<int>(std::size(keys)))];
        QTest::keyClick(list, key);
        return QStringLiteral("key %1 in %2").arg(key).arg(list->objectName());
    }

    QString trigger(const char* action, const std::optional<QString>& answer) {
        dialogs_.answers.assign({answer});
        form_.action(QLatin1String(action))->trigger();
        const QString answered =
            answer ? QDir(folder_).relativeFilePath(*answer) : QStringLiteral("Cancel");
        dialogs_.answers.clear(); // New asks nothing
        return QStringLiteral("%1 (%2)").arg(QLatin1String(action), answered);
    }

    Form1& form_;
    test::FakeDialogs::Shared& dialogs_;
    QString folder_;
    std::mt19937 random_;
};

// What must hold after every action.
void checkWindow(const Form1& form) {
    const bool categoryOpen = !form.list2()->isHidden();
    const bool wide = !categoryOpen || !form.list3()->isHidden();
    const int twips = wide ? Form1::kWideWidthTwips : Form1::kNarrowWidthTwips;
    EXPECT_EQ(form.width(), Form1::pixels(twips - Form1::kFrameTwips))
        << "List3 " << (form.list3()->isHidden() ? "hidden" : "shown");
    if (!form.state().currentCategory.isEmpty()) {
        EXPECT_EQ(form.file1().path().toStdString(),
                  joinStored(form.installFolder(), form.state().currentCategory).toStdString());
    }
}

// A posted call runs at once when the event loop is free.
bool answersEvents() {
    bool fired = false;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&fired] { fired = true; }, Qt::QueuedConnection);
    QCoreApplication::processEvents();
    return fired;
}

struct SessionFigures {
    int actions = 0;
    qint64 slowestMs = 0;
    QString slowest;
    qint64 residentAtBaseline = 0;
    qint64 residentAtEnd = 0;
    int messages = 0;
};

SessionFigures runSession(const QString& library, quint32 seed) {
    otherMessages = qInstallMessageHandler(quietMessages);
    QTemporaryDir documents;
    test::FakeDialogs::Shared dialogs;
    Form1 form(library, std::make_unique<test::FakeDialogs>(dialogs));
    form.Form_Load();
    RandomSession session(form, dialogs, documents.path(), seed);

    SessionFigures figures;
    const int length = sessionLength();
    for (int index = 1; index <= length && !testing::Test::HasFailure(); ++index) {
        dialogs.messages.clear();
        QElapsedTimer clock;
        clock.start();
        QString action;
        {
            const test::Watchdog watchdog(kHangMs * test::kSlowdown);
            action = session.step();
        }
        const qint64 elapsed = clock.elapsed();
        SCOPED_TRACE(QStringLiteral("action %1: %2 (seed %3)")
                         .arg(index)
                         .arg(action)
                         .arg(seed)
                         .toStdString());
        if (elapsed >= figures.slowestMs) {
            figures.slowestMs = elapsed;
            figures.slowest = action;
        }
        EXPECT_LT(elapsed, kSlowestActionMs * test::kSlowdown);
        EXPECT_TRUE(answersEvents());
        checkWindow(form);
        for (const QString& message : dialogs.messages) {
            EXPECT_FALSE(message.contains(QLatin1String("did not work"))) << message.toStdString();
        }
        figures.messages += static_cast<int>(dialogs.messages.size());
        figures.actions = index;
        if (index == kMemoryBaselineAction) {
            figures.residentAtBaseline = test::residentBytes();
        }
    }
    figures.residentAtEnd = test::residentBytes();
    qInstallMessageHandler(otherMessages);
    if (!test::kSanitized && figures.actions > kMemoryBaselineAction) {
        EXPECT_LT(figures.residentAtEnd - figures.residentAtBaseline, kMemoryMargin)
            << "resident size grew from " << figures.residentAtBaseline / test::kMegabyte
            << " MB to " << figures.residentAtEnd / test::kMegabyte << " MB";
    }
    return figures;
}

void report(const QString& name, quint32 seed, const SessionFigures& figures) {
    std::printf("%s: seed %u (replay with BRINDO_SEED=%u), %d actions, slowest %lld ms (%s), "
                "resident %lld MB after %d actions and %lld MB at the end\n",
                qPrintable(name), seed, seed, figures.actions,
                static_cast<long long>(figures.slowestMs), qPrintable(figures.slowest),
                static_cast<long long>(figures.residentAtBaseline / test::kMegabyte),
                kMemoryBaselineAction,
                static_cast<long long>(figures.residentAtEnd / test::kMegabyte));
    test::writeFigures(name, {{QStringLiteral("seed"), QString::number(seed)},
                              {QStringLiteral("actions"), QString::number(figures.actions)},
                              {QStringLiteral("slowest_ms"), QString::number(figures.slowestMs)},
                              {QStringLiteral("resident_mb_after_1000"),
                               QString::number(figures.residentAtBaseline / test::kMegabyte)},
                              {QStringLiteral("resident_mb_at_end"),
                               QString::number(figures.residentAtEnd / test::kMegabyte)},
                              {QStringLiteral("messages"), QString::number(figures.messages)}});
}

// Leaves the broken copy removable, however the test ends.
struct PermissionsRepair {
    explicit PermissionsRepair(QString folder) : root(std::move(folder)) {}
    PermissionsRepair(const PermissionsRepair&) = delete;
    PermissionsRepair& operator=(const PermissionsRepair&) = delete;
    ~PermissionsRepair() { test::repairPermissions(root); }
    QString root;
};

TEST(RandomSessionTest, SampleLibrary) {
    const QTemporaryDir install;
    test::copyLibrary(test::sampleLibraryFolder(), install.path());
    const quint32 seed = sessionSeed(0);
    std::printf("random session over the sample library: seed %u\n", seed);
    report(QStringLiteral("random_session_sample"), seed, runSession(install.path(), seed));
}

TEST(RandomSessionTest, BrokenLibrary) {
    const QTemporaryDir install;
    const PermissionsRepair repair{install.path()};
    test::copyLibrary(test::sampleLibraryFolder(), install.path());
    const bool locked = test::permissionsEnforced();
    for (const QString& damage : test::breakLibrary(install.path())) {
        std::printf("broken library: %s\n", qPrintable(damage));
    }
    if (!locked) {
        std::printf("broken library: folders without permissions stay readable here\n");
    }
    const quint32 seed = sessionSeed(1);
    std::printf("random session over the broken library: seed %u\n", seed);
    report(QStringLiteral("random_session_broken"), seed, runSession(install.path(), seed));
}

} // namespace
} // namespace brindo
