// Window benchmarks, offscreen: starting the window in a prepared folder,
// showing a 10 MB result text, reading it back and reading single lines.
#include "app/TrendDlg.h"
#include "common/FileIO.h"
#include "common/Strings.h"
#include "controls/EditBox.h"
#include "controls/EditText.h"
#include "db/DrawDatabase.h"
#include "fakes/RecordingMessages.h"
#include "fakes/TempDir.h"

#include <QApplication>
#include <QScrollBar>
#include <QTextDocument>
#include <benchmark/benchmark.h>

#include <filesystem>

namespace veltrix {
namespace {

// Result rows as a dlt query gives them, about 10 MB in all.
const std::string& TenMegabyteResult() {
    static const std::string text = [] {
        std::string rows;
        rows.reserve(10 << 20);
        for (int i = 0; rows.size() < (10u << 20); ++i)
            rows += StrFormat("%07d %02d %02d %02d %02d %02d %02d %02d\r\n", 2000000 + i,
                              i % 35 + 1, (i * 7) % 35 + 1, (i * 11) % 35 + 1, (i * 13) % 35 + 1,
                              (i * 17) % 35 + 1, i % 12 + 1, (i * 5) % 12 + 1);
        return rows;
    }();
    return text;
}

class BenchFolder {
public:
    BenchFolder() {
        // A bench folder that cannot be made shows as failures of the
        // benchmarks themselves.
        (void)CreateDrawDatabase(m_dir.File("DLT.mdb"));
        (void)WriteFileBytes(m_dir.File("Veltrix.ini"),
                             "[OPTION]\r\nAnalyse_DLT_LINE=3\r\n[Command]\r\n"
                             "cmd1=1 a\r\ncmd1_SQL1=select 1\r\n");
    }
    const std::filesystem::path& Path() const { return m_dir.Path(); }

private:
    test::TempDir m_dir;
};

// Construction, initialisation (settings, database, saved commands) and the
// first complete paint of the window.
void BM_WindowStartup(benchmark::State& state) {
    BenchFolder folder;
    test::ScopedWorkingDirectory cwd(folder.Path());
    test::RecordingMessages messages;
    for (auto _ : state) {
        TrendDlgServices services;
        services.messages = &messages;
        CTrendDlg dialog(services);
        dialog.OnInitDialog();
        dialog.show();
        dialog.repaint();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_WindowStartup)->Unit(benchmark::kMillisecond);

// Putting the 10 MB text into the result box and painting it.
void BM_ShowTenMegabyteResult(benchmark::State& state) {
    const std::string& text = TenMegabyteResult();
    CEditBox box;
    box.resize(309, 351);
    box.show();
    for (auto _ : state) {
        box.SetStoredText(text);
        box.repaint();
        state.PauseTiming();
        box.SetStoredText("");
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ShowTenMegabyteResult)->Unit(benchmark::kMillisecond);

// The conversion alone, without the document: the part of showing that is ours.
void BM_EncodeTenMegabyteResult(benchmark::State& state) {
    const std::string& text = TenMegabyteResult();
    for (auto _ : state)
        benchmark::DoNotOptimize(EditTextFromStored(text));
}
BENCHMARK(BM_EncodeTenMegabyteResult)->Unit(benchmark::kMillisecond);

// Reading the whole text back after an edit (ExchangeData(true)).
void BM_ReadBackTenMegabyteResult(benchmark::State& state) {
    const std::string& text = TenMegabyteResult();
    CEditBox box;
    box.SetStoredText(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(StoredTextFromEdit(box.document()->toRawText()));
}
BENCHMARK(BM_ReadBackTenMegabyteResult)->Unit(benchmark::kMillisecond);

// What the chart does on every scroll: the top line and 50 lines from it.
void BM_ChartLinesOfTenMegabyteResult(benchmark::State& state) {
    const std::string& text = TenMegabyteResult();
    CEditBox box;
    box.resize(309, 351);
    box.show();
    box.SetStoredText(text);
    box.verticalScrollBar()->setValue(box.LineCount() / 2);
    for (auto _ : state) {
        int first = box.FirstVisibleLine();
        int count = box.LineCount();
        for (int i = 0; i < 50; ++i)
            benchmark::DoNotOptimize(box.Line(first + i, 255));
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(BM_ChartLinesOfTenMegabyteResult)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace veltrix
