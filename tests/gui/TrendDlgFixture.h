#pragma once
// The main window started and shown in a fresh working folder (DLT.mdb with
// the eight empty draw tables, a Veltrix.ini with saved commands), with
// recording services: no real message box, editor or program ever starts.
// PrepareFolder runs before the window is made and may set other services.

#include "app/TrendDlg.h"
#include "common/FileIO.h"
#include "controls/ColorButton.h"
#include "controls/EditBox.h"
#include "db/AdoConnection.h"
#include "db/DrawDatabase.h"
#include "fakes/RecordingMessages.h"
#include "fakes/RecordingOpener.h"
#include "fakes/TempDir.h"

#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace veltrix::test {

using Texts = std::vector<std::string>;

class RecordingLauncher : public ProgramLauncher {
public:
    bool Launch(const std::string& program) override {
        programs.push_back(program);
        return starts;
    }
    std::vector<std::string> programs;
    bool starts = true;
};

class TrendDlgFixture : public ::testing::Test {
protected:
    void SetUp() override {
        PrepareFolder();
        StartWindow();
    }

    void TearDown() override { dlg.reset(); }

    // What the working folder holds before the window starts.
    virtual void PrepareFolder() {
        CreateDatabase();
        WriteSettings(DefaultSettings());
    }

    static std::string DefaultSettings() {
        return "[OPTION]\r\n"
               "Analyse_DLT_LINE=2\r\n"
               "\r\n"
               "[Command]\r\n"
               "cmd1=1 大乐透近30期\r\n"
               "cmd1_SQL1=select top 30 h1,h2,h3,h4,h5,l1,l2\r\n"
               "cmd1_SQL2=from dlt order by qs desc\r\n"
               "cmd2=2 双色球近30期\r\n"
               "cmd2_SQL1=select top 30 h1,h2 from ssq order by qs desc\r\n"
               "cmd3=3 福彩3D近50期\r\n"
               "cmd3_SQL1=select top 50 h1,h2,h3 from 3d order by qs desc\r\n"
               "cmd4=4 大乐透全部\r\n"
               "cmd4_SQL1=select qs,h1,h2\r\n"
               "cmd4_SQL2=from dlt\r\n";
    }

    void CreateDatabase() { ASSERT_EQ(CreateDrawDatabase(dir.File("DLT.mdb")).error(), ""); }

    void WriteSettings(const std::string& text) {
        ASSERT_TRUE(WriteFileBytes(dir.File("Veltrix.ini"), text));
    }

    std::string FileText(const std::string& name) const {
        return ReadFileBytes(dir.File(name)).value_or("<missing>");
    }

    void StartWindow() {
        services.messages = messageSink ? messageSink : &messages;
        services.opener = &opener;
        services.launcher = &launcher;
        dlg = std::make_unique<CTrendDlg>(services);
        initResult = dlg->OnInitDialog();
        if (initResult) {
            dlg->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
        }
    }

    // Starts the window again on what the folder holds now.
    void RestartWindow() {
        dlg.reset();
        StartWindow();
    }

    // The names in the working folder, sorted.
    std::vector<std::string> FolderListing() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // Runs statements on the database through a connection of the test's
    // own (set-up data, not through the window).
    void Exec(const std::string& sql) {
        CAdoConnection db;
        ASSERT_TRUE(db.Open(dir.File("DLT.mdb").c_str())) << db.GetErrorText();
        ASSERT_TRUE(db.Execute(sql)) << sql << ": " << db.GetErrorText();
    }

    template <class Widget> Widget* Find(const char* name) const {
        auto* widget = dlg->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << "no control named " << name;
        return widget;
    }
    CEditBox* ResultEdit() const { return Find<CEditBox>("editResult"); }
    CEditBox* CommandEdit() const { return Find<CEditBox>("editCommand"); }
    QComboBox* CommandList() const { return Find<QComboBox>("comboCommands"); }
    QComboBox* RunLengthList() const { return Find<QComboBox>("comboRunLength"); }
    std::string CountLabel() const { return Find<QLabel>("labelCount")->text().toStdString(); }
    CColorButton* Button(int id) const {
        return Find<CColorButton>(QStringLiteral("button%1").arg(id).toLatin1().constData());
    }

    // Types into a control as the keyboard would: '\n' presses Enter, every
    // other character arrives as typed text (Chinese included).
    void TypeInto(QWidget* widget, const QString& text) {
        widget->setFocus();
        for (QChar c : text) {
            if (c == QLatin1Char('\n'))
                QTest::keyClick(widget, Qt::Key_Return);
            else
                QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
    }

    // Replaces a box's text the way a user would: select all, then type.
    void ReplaceTyped(CEditBox* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        TypeInto(box, text);
    }

    void Click(int id) { QTest::mouseClick(Button(id), Qt::LeftButton); }

    // Picks an entry of a drop-down list as the user does.
    void Choose(QComboBox* list, int index) {
        list->setCurrentIndex(index);
        emit list->activated(index);
    }

    TempDir dir;
    ScopedWorkingDirectory workingDirectory{dir.Path()};
    RecordingMessages messages;
    MessageSink* messageSink = nullptr; // another sink than `messages`, set before StartWindow
    RecordingOpener opener;
    RecordingLauncher launcher;
    TrendDlgServices services;
    std::unique_ptr<CTrendDlg> dlg;
    bool initResult = false;
};

} // namespace veltrix::test
