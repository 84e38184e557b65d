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

// Shows a message through the sink, answers the modal box it opens and tells
// what that box showed.
SeenBox ShowAndAnswer(MessageBoxSink& sink, const std::string& text, MessageIcon icon) {
    SeenBox seen;
    QTimer::singleShot(0, [&seen] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen = {box->windowTitle(), box->text(), box->icon(), true};
            box->accept();
        }
    });
    sink.ShowMessage(text, icon);
    return seen;
}

TEST(DesktopServicesTest, MessageBoxesCarryTheProgramsName) {
    MessageBoxSink sink;
    SeenBox warning = ShowAndAnswer(sink, "can't open dictionary file.", MessageIcon::Warning);
    ASSERT_TRUE(warning.seen);
    EXPECT_EQ(warning.title, QStringLiteral("Veltrix"));
    EXPECT_EQ(warning.text, QStringLiteral("can't open dictionary file."));
    EXPECT_EQ(warning.icon, QMessageBox::Warning);

    SeenBox plain = ShowAndAnswer(sink, "1:no such table: dlx[HY000]", MessageIcon::None);
    ASSERT_TRUE(plain.seen);
    EXPECT_EQ(plain.icon, QMessageBox::NoIcon);
}

TEST(DesktopServicesTest, LauncherStartsAProgramThatIsThereAndSaysWhenItCannot) {
    TempDir dir;
    ScopedWorkingDirectory cwd(dir.Path());
    DetachedProgramLauncher launcher;
    EXPECT_FALSE(launcher.Launch("./veltrix-prize")); // absent

    ASSERT_TRUE(WriteFileBytes("veltrix-prize", "#!/bin/sh\necho started > started.txt\n"));
    std::filesystem::permissions("veltrix-prize", std::filesystem::perms::owner_all);
    EXPECT_TRUE(launcher.Launch(dir.File("veltrix-prize")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return FileExists(dir.File("started.txt")); }, 10000));
}

} // namespace
} // namespace veltrix::test
