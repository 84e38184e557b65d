// veltrix-chart: the trend chart of a result text (on standard input) saved
// as a PNG of the chart area, for sharing a chart without the window.
//   veltrix-chart --command TEXT --height H --first-line F --record-count N
//                 --png FILE [--scene] [--omission] [--statistics]
// --scene also prints the scene as `veltrix-cli chart --scene` does.

#include "chart/ChartPainter.h"
#include "chart/ChartRequest.h"
#include "chart/ChartSceneText.h"
#include "chart/TrendChart.h"
#include "common/ProgramInfo.h"

#include <QGuiApplication>
#include <QPalette>
#include <QSaveFile>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string ReadAll(FILE* in) {
    std::string bytes;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        bytes.append(buffer, n);
    return bytes;
}

constexpr const char* kUsage = "usage: veltrix-chart --command TEXT --height H --first-line F "
                               "--record-count N --png FILE [--scene] [--omission] "
                               "[--statistics] < RESULT-TEXT\n";

int Fail(const std::string& message) {
    std::fprintf(stderr, "veltrix-chart: %s\n", message.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::string first = argc > 1 ? argv[1] : "";
    if (first == "--help" || first == "-h") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (first == "--version") {
        std::fputs(veltrix::VersionLine("veltrix-chart").c_str(), stdout);
        return 0;
    }
    std::string error;
    veltrix::ChartRequest request;
    const bool parsed = veltrix::ParseChartRequest(std::vector<std::string>(argv + 1, argv + argc),
                                                   /*allowPng=*/true, &request, &error);
    if (parsed && request.pngPath.empty())
        error = "missing --png";
    if (!error.empty()) {
        std::fprintf(stderr, "veltrix-chart: %s\n", error.c_str());
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (request.height < 1)
        return Fail("--height must be at least 1 for a picture");

    // A picture needs no screen: run without one unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    veltrix::ChartHistory history;
    const veltrix::ChartInput input = veltrix::ChartInputOf(request, ReadAll(stdin), &history);
    const veltrix::ChartScene scene = veltrix::ComputeTrendChart(request.command, input);

    const QImage image = veltrix::RenderChartImage(
        scene, QSize(veltrix::kChartAreaWidth, request.height), veltrix::CreateChartFont(),
        QGuiApplication::palette().color(QPalette::Window));
    if (image.isNull())
        return Fail("cannot make a picture of that size");

    // Written beside the target and renamed, so a failed write leaves any
    // earlier picture of that name intact.
    QSaveFile file(QString::fromLocal8Bit(request.pngPath.c_str()));
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit())
        return Fail("cannot write " + request.pngPath + ": " + file.errorString().toStdString());

    if (request.scene) {
        const std::string text = veltrix::FormatChartScene(scene);
        std::fwrite(text.data(), 1, text.size(), stdout);
    }
    return 0;
}
