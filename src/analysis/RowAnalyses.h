#pragma once
// "分   析": which reports the rows get, in which order, and the writing and
// opening of each report file. The window runs these steps on its boxes; the
// command-line tool on a text it was given.

#include <string_view>

namespace veltrix {

class FileOpener;
class MessageSink;

struct ReportServices {
    MessageSink& messages; // "can't create file ..."
    FileOpener& opener;    // each report that was written, in order
};

// The steps of the analysis, each reading the boxes as they then stand.
class RowAnalysisSteps {
public:
    virtual ~RowAnalysisSteps() = default;
    virtual void AnalyseGaps(int fieldsPerRow) = 0;
    virtual void Analyse3D() = 0;
    virtual void AnalysePeriod() = 0;
    virtual void AnalyseRecurrence() = 0;
};

// The choice by game tag in the upper-cased command text: "3D" rows get the
// gap and 1-2-3 reports over three fields and the 3D follow-up; all others
// the gap and 1-2-3 reports over seven fields and the period follow-up, and
// then, unless the command names "SSQ", the recurrence report.
void RunRowAnalyses(std::string_view commandText, RowAnalysisSteps& steps);

// Each step's reports from the texts it reads: the result box's text, the
// command text, the run length from the settings. A report file that cannot
// be created is reported and not opened; the other reports still run.
void WriteGapReports(std::string_view boxText, int fieldsPerRow, std::string_view commandText,
                     const ReportServices& services);
void WriteThreeDigitReport(std::string_view boxText, const ReportServices& services);
void WritePeriodReport(std::string_view boxText, std::string_view commandText, int runLength,
                       const ReportServices& services);
// From the stored result text: the scratch copy "./dlt.txt" is written, read
// back and analysed; nothing at all for the empty text.
void WriteRecurrenceReport(std::string_view resultText, const ReportServices& services);

// Every step over one text, which is both the result box's text and the
// stored result text: what the window does when the boxes hold that text.
void AnalyseRowsOfText(std::string_view resultText, std::string_view commandText, int runLength,
                       const ReportServices& services);

} // namespace veltrix
