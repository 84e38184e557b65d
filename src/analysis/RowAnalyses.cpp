#include "analysis/RowAnalyses.h"

#include "analysis/GapReports.h"
#include "analysis/PeriodFollowUp.h"
#include "analysis/RecurrenceReport.h"
#include "analysis/ReportFiles.h"
#include "analysis/ThreeDigitFollowUp.h"
#include "common/FileIO.h"
#include "common/FileOpener.h"
#include "common/Strings.h"
#include "db/LotteryCatalogue.h"

#include <optional>
#include <string>

namespace veltrix {
namespace {

void Publish(const std::string& path, std::string_view text, const ReportServices& services) {
    if (WriteReportFile(path, text, services.messages))
        services.opener.OpenTextFile(path);
}

class TextSteps : public RowAnalysisSteps {
public:
    TextSteps(std::string_view text, std::string_view command, int runLength,
              const ReportServices& services)
        : m_text(text), m_command(command), m_runLength(runLength), m_services(services) {}

    void AnalyseGaps(int fieldsPerRow) override {
        WriteGapReports(m_text, fieldsPerRow, m_command, m_services);
    }
    void Analyse3D() override { WriteThreeDigitReport(m_text, m_services); }
    void AnalysePeriod() override { WritePeriodReport(m_text, m_command, m_runLength, m_services); }
    void AnalyseRecurrence() override { WriteRecurrenceReport(m_text, m_services); }

private:
    std::string_view m_text;
    std::string_view m_command;
    int m_runLength;
    const ReportServices& m_services;
};

} // namespace

void RunRowAnalyses(std::string_view commandText, RowAnalysisSteps& steps) {
    if (CommandNamesGame(commandText, LotteryKind::ThreeD)) {
        steps.AnalyseGaps(3);
        steps.Analyse3D();
        return;
    }
    steps.AnalyseGaps(7);
    steps.AnalysePeriod();
    if (!CommandNamesGame(commandText, LotteryKind::Ssq))
        steps.AnalyseRecurrence();
}

void WriteGapReports(std::string_view boxText, int fieldsPerRow, std::string_view commandText,
                     const ReportServices& services) {
    std::optional<GapReportTexts> reports = GapReports(boxText, fieldsPerRow, commandText);
    if (!reports)
        return;
    Publish(kGapReportPath, reports->gap, services);
    Publish(kOneTwoThreeReportPath, reports->oneTwoThree, services);
}

void WriteThreeDigitReport(std::string_view boxText, const ReportServices& services) {
    if (std::optional<std::string> report = ThreeDigitFollowUpReport(boxText))
        Publish(kThreeDigitReportPath, *report, services);
}

void WritePeriodReport(std::string_view boxText, std::string_view commandText, int runLength,
                       const ReportServices& services) {
    if (std::optional<PeriodReport> report = PeriodFollowUpReport(boxText, commandText, runLength))
        Publish(report->path, report->text, services);
}

void WriteRecurrenceReport(std::string_view resultText, const ReportServices& services) {
    if (resultText.empty())
        return;
    if (!WriteReportFile(kRecurrenceScratchPath, resultText, services.messages))
        return;
    // The rows are read back from the file as it stands on disk.
    Result<std::string> scratch = ReadFileBytes(kRecurrenceScratchPath);
    if (!scratch)
        return;
    Publish(kRecurrenceReportPath, RecurrenceReportText(*scratch), services);
}

void AnalyseRowsOfText(std::string_view resultText, std::string_view commandText, int runLength,
                       const ReportServices& services) {
    TextSteps steps(resultText, commandText, runLength, services);
    RunRowAnalyses(commandText, steps);
}

} // namespace veltrix
