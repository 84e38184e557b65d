// veltrix-chart end to end: the PNG of the chart area, made without a display.

#include "SceneQueries.h"
#include "chart/ChartPainter.h"
#include "fakes/TempDir.h"

#include <QFile>
#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

namespace veltrix {
namespace {

class ChartExportTest : public testing::Test {
protected:
    void SetUp() override {
        m_program = qEnvironmentVariable("VELTRIX_CHART");
        if (m_program.isEmpty())
            GTEST_SKIP() << "VELTRIX_CHART is not set (run through ctest)";
    }

    // Runs veltrix-chart with no display and no platform chosen.
    int Export(const QStringList& args, const QByteArray& input, QByteArray* out = nullptr,
               QByteArray* err = nullptr) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        process.setProcessEnvironment(env);
        process.start(m_program, args);
        process.write(input);
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(60000));
        if (out)
            *out = process.readAllStandardOutput();
        if (err)
            *err = process.readAllStandardError();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    QString m_program;
    test::TempDir m_dir;
};

const QByteArray kRows = "01 02 03 04 05 06 07\r\n02 03 04 05 06 07 08\r\n";

TEST_F(ChartExportTest, WritesThePictureOfTheChartAreaAndPrintsTheSceneWhenAsked) {
    const QString png = QString::fromStdString(m_dir.File("chart.png"));
    const QByteArray input = "01 01 01 01 01 01 01\r\n" + kRows;
    QByteArray out;
    QByteArray err;
    ASSERT_EQ(Export({"--scene", "--command", "select * from dlt", "--height", "300",
                      "--first-line", "1", "--record-count", "2", "--png", png},
                     input, &out, &err),
              0)
        << err.toStdString();
    QImage image(png);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(kChartAreaWidth, 300));
    // The same scene painted here gives the same picture, background aside.
    const ChartScene scene =
        ComputeTrendChart("dlt", test::Input(300, ChartLinesFromText(input.toStdString(), 1), 2));
    EXPECT_EQ(out.toStdString(), FormatChartScene(scene));
    const QImage expected = RenderChartImage(scene, QSize(kChartAreaWidth, 300), CreateChartFont(),
                                             image.pixelColor(0, 0));
    EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32), expected);
}

TEST_F(ChartExportTest, RefusesWhatItCannotDraw) {
    const QString png = QString::fromStdString(m_dir.File("bad.png"));
    const QStringList base = {"--command", "dlt", "--first-line", "0", "--record-count", "0"};
    EXPECT_EQ(Export(base + QStringList{"--height", "541"}, kRows), 2) << "no --png";
    EXPECT_EQ(Export(base + QStringList{"--height", "0", "--png", png}, kRows), 1);
    const QString missingFolder = QString::fromStdString(m_dir.File("no/such/dir.png"));
    QByteArray err;
    EXPECT_EQ(
        Export(base + QStringList{"--height", "541", "--png", missingFolder}, kRows, nullptr, &err),
        1);
    EXPECT_NE(err.indexOf("cannot write"), -1) << err.toStdString();
    EXPECT_FALSE(QFile::exists(png));
}

} // namespace
} // namespace veltrix
