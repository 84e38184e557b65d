// The analysis buttons: "统计个数", "后区索引" and "分   析". Each reads the boxes,
// hands the texts to the analysis core and shows, writes and opens what
// comes back.

#include "analysis/BackZoneIndex.h"
#include "analysis/NumberCount.h"
#include "analysis/RowAnalyses.h"
#include "app/TrendDlg.h"
#include "common/FileOpener.h"
#include "common/IniFile.h"

namespace veltrix {
namespace {

// The core reaches the window's message box and report opener through these.
class WindowMessages : public MessageSink {
public:
    explicit WindowMessages(CTrendDlg& dlg) : m_dlg(dlg) {}
    void ShowMessage(const std::string& text, MessageIcon icon) override {
        m_dlg.ShowMessage(text, icon);
    }

private:
    CTrendDlg& m_dlg;
};

class WindowReportOpener : public FileOpener {
public:
    explicit WindowReportOpener(CTrendDlg& dlg) : m_dlg(dlg) {}
    void OpenTextFile(const std::string& path) override { m_dlg.OpenReport(path); }
    bool TryOpenTextFile(const std::string& path) override { return m_dlg.OpenReport(path); }

private:
    CTrendDlg& m_dlg;
};

// Runs the report writers with the window's message box and opener.
template <typename Write> void WithReportServices(CTrendDlg& dlg, Write write) {
    WindowMessages messages(dlg);
    WindowReportOpener opener(dlg);
    write(ReportServices{messages, opener});
}

// The steps of "分   析" are the window's own report operations, each reading
// the boxes afresh.
class WindowAnalysisSteps : public RowAnalysisSteps {
public:
    explicit WindowAnalysisSteps(CTrendDlg& dlg) : m_dlg(dlg) {}
    void AnalyseGaps(int fieldsPerRow) override { m_dlg.AnalyseGaps(fieldsPerRow); }
    void Analyse3D() override { m_dlg.Analyse3D(); }
    void AnalysePeriod() override { m_dlg.AnalysePeriod(); }
    void AnalyseRecurrence() override {
        // The recurrence report reads the stored result text, brought up to
        // date with the box first.
        m_dlg.ExchangeData(true);
        WithReportServices(m_dlg, [this](const ReportServices& services) {
            WriteRecurrenceReport(m_dlg.m_strResult, services);
        });
    }

private:
    CTrendDlg& m_dlg;
};

} // namespace

void CTrendDlg::CountNumbers() {
    ExchangeData(true);
    if (m_strResult.empty())
        return;
    m_strResult = NumberCountText(m_strResult);
    ExchangeData(false);
}

void CTrendDlg::ShowBackZoneIndex() {
    std::string indexed = BackZoneIndexText(ResultBoxText());
    // Read the controls first so the command box keeps what the user typed.
    ExchangeData(true);
    m_strResult = std::move(indexed);
    ExchangeData(false);
}

void CTrendDlg::AnalyseRows() {
    m_unopenedReports.clear();
    WindowAnalysisSteps steps(*this);
    RunRowAnalyses(CommandBoxText(), steps);
    if (m_unopenedReports.empty())
        return;
    // Without a program for text files the reports would appear nowhere:
    // say where they are.
    std::string names;
    for (const std::string& path : m_unopenedReports)
        names += (names.empty() ? "" : ", ") + path;
    m_unopenedReports.clear();
    ShowMessage("The reports were written (" + names +
                    "), but no program could open them: no program for text files is set up.",
                MessageIcon::Warning);
}

void CTrendDlg::AnalyseGaps(int fieldsPerRow) {
    WithReportServices(*this, [&](const ReportServices& services) {
        WriteGapReports(ResultBoxText(), fieldsPerRow, CommandBoxText(), services);
    });
}

void CTrendDlg::Analyse3D() {
    WithReportServices(*this, [&](const ReportServices& services) {
        WriteThreeDigitReport(ResultBoxText(), services);
    });
}

void CTrendDlg::AnalysePeriod() {
    // Read on every call: the run-length list may have changed it since.
    int runLength = GetProfileInt("OPTION", "Analyse_DLT_LINE", 2, "./Veltrix.ini");
    WithReportServices(*this, [&](const ReportServices& services) {
        WritePeriodReport(ResultBoxText(), CommandBoxText(), runLength, services);
    });
}

} // namespace veltrix
