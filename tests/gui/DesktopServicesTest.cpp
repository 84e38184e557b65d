#include "app/DesktopServices.h"

#include "common/FileIO.h"
#include "fakes/TempDir.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>

namespace veltrix::test {
namespace {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool seen = false;
};

// Answers the next modal message box, remembering what it showed.
void AnswerNextBox(SeenBox* seen) {
    QTimer::singleShot(0, [seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen->seen = true;
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        box->accept();
    });
}

TEST(DesktopServicesTest, MessageBoxesCarryTheProgramsName) {
    MessageBoxSink sink;
    SeenBox warning;
    AnswerNextBox(&warning);
    sink.ShowMessage("can't open dictionary file.", MessageIcon::Warning);
    ASSERT_TRUE(warning.seen);
    EXPECT_EQ(warning.title, QStringLiteral("Veltrix"));
    EXPECT_EQ(warning.text, QStringLiteral("can't open dictionary file."));
    EXPECT_EQ(warning.icon, QMessageBox::Warning);

    SeenBox plain;
    AnswerNextBox(&plain);
    sink.ShowMessage("1:no such table: dlx[HY000]");
    ASSERT_TRUE(plain.seen);
    EXPECT_EQ(plain.title, QStringLiteral("Veltrix"));
    EXPECT_EQ(plain.icon, QMessageBox::NoIcon);
}

TEST(DesktopServicesTest, LauncherStartsAProgramThatIsThereAndIgnoresOneThatIsNot) {
    TempDir dir;
    ScopedWorkingDirectory cwd(dir.Path());
    DetachedProgramLauncher launcher;
    launcher.Launch("./Prizeq.dll"); // absent: nothing happens

    ASSERT_TRUE(WriteFileBytes("Prizeq.dll", "#!/bin/sh\necho started > started.txt\n"));
    std::filesystem::permissions("Prizeq.dll", std::filesystem::perms::owner_all);
    launcher.Launch("./Prizeq.dll");
    EXPECT_TRUE(QTest::qWaitFor([&] { return FileExists(dir.File("started.txt")); }, 10000));
}

} // namespace
} // namespace veltrix::test
