#pragma once
// CTrendDlg: the one window of Veltrix.
//
// How it works: the user types Jet SQL into the command box (or picks a saved
// command from the list, read from ./Veltrix.ini) and presses "查询".
// RunCommand copies the controls into the stored texts (ExchangeData(true))
// and RunQuery hands the text to the core statement runner over m_db, which
// returns the result text and the record count; ExchangeData(false) shows them.
// The trend chart follows the result box: on every change or vertical scroll
// the core computes a chart scene from the visible lines, and the paint event
// walks that scene. The analysis buttons pass the box's text to core
// functions and write the reports they return; the update buttons download
// draw files, import them through RunQuery and show progress in the title.
//
// The window's member functions are grouped by subsystem into files:
// TrendDlg.cpp (construction, start-up, data exchange, events),
// TrendDlgControls.cpp (layout and wiring of the controls), TrendDlgQuery.cpp
// (queries and saved commands), TrendDlgChart.cpp, TrendDlgMenus.cpp (the
// chart's context menu), TrendDlgReports.cpp and TrendDlgUpdates.cpp;
// TrendDlgExports.cpp gets rows and the chart out (CSV, picture, print) and
// takes dropped draw files in.
//
// Every control has an object name, for tests and style sheets: "editResult",
// "editCommand", "comboCommands", "comboRunLength", "labelCount",
// "groupButtons", and "button<id>" for the buttons by control id
// ("button1002" is "查询", "button1021" is "最后开奖").
//
// The two edit boxes are CEditBox (controls/EditBox.h): the stored texts are
// UTF-8 with CR LF line ends, and the boxes give them back byte for byte.

#include "chart/ChartLayout.h"
#include "chart/ChartScene.h"
#include "common/MessageSink.h"
#include "db/AdoConnection.h"
#include "db/LotteryCatalogue.h"
#include "query/StatementRunner.h"
#include "update/DrawDownloader.h"
#include "update/DrawImport.h"

#include <QDialog>
#include <QFont>
#include <QIcon>
#include <QImage>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QContextMenuEvent;
class QMenu;
class QLabel;
class QPaintEvent;
class QPainter;
class QPlainTextEdit;

namespace veltrix {

class CColorButton;
class CEditBox;
class ChartHistory;
class ChartPainter;
class DrawDownloader;
class DrawSource;
class FileOpener;
struct GameUpdateReport;
class RunningStatement;
class UserChoices;

// Starts another program without waiting for it (the prize checker). False
// when it could not be started.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    virtual bool Launch(const std::string& program) = 0;
};

// What the window reaches outside the process. Null members get the real
// implementations; tests pass doubles so nothing blocks or leaves the box.
struct TrendDlgServices {
    MessageSink* messages = nullptr;
    FileOpener* opener = nullptr;
    ProgramLauncher* launcher = nullptr;
    DrawDownloader* downloader = nullptr;
    UserChoices* choices = nullptr; // save paths, the game of a dropped file, printing
};

class CTrendDlg : public QDialog, private QueryHost {
    Q_OBJECT
public:
    explicit CTrendDlg(TrendDlgServices services = {}, QWidget* parent = nullptr);
    ~CTrendDlg() override;

    // Dialog initialisation: option, chart font, database, saved commands,
    // buttons. False when the database could not be opened; the window then
    // closes as soon as it is shown.
    bool OnInitDialog();

    // Copies the controls into the stored texts (save) or the stored texts
    // into the controls (!save); a control already showing its text is left
    // untouched.
    void ExchangeData(bool save);

    // The statement runner: runs sql, shows its result text, sets the count.
    std::string RunQuery(const std::string& sql);
    // The same run, telling also whether it failed and how many rows it read
    // (the import counts only rows that were really inserted).
    QueryOutcome RunQueryOutcome(const std::string& sql);

    // Handlers, by the control they serve.
    void RunCommand();                  // 1002 "查询"
    void ReplaceTabs();                 // 1004 "删除Tab"
    void LoadCommands();                // 1005 "重载", and start-up
    void SelectCommand();               // 1003 selection
    void SaveRunLength();               // 1011 selection
    void LaunchPrizeCheck();            // 1009 "中奖查询"
    void CountNumbers();                // 1007 "统计个数"
    void AnalyseRows();                 // 1008 "分   析"
    void ShowBackZoneIndex();           // 1010 "后区索引"
    void UpdateAllDraws();              // 1012 "更新全部"
    void UpdateDraws(LotteryKind kind); // 1013 .. 1020
    void ShowLatestDraws();             // 1021 "最后开奖"

    // The trend chart: computes the scene for the visible lines, sets the
    // record-count label and schedules a repaint of the chart area.
    void DrawTrendChart();
    void DrawSsqChart();
    void DrawThreeDigitChart();
    void DrawFiveDigitChart();
    // The scene the chart area shows now.
    const ChartScene& ChartSceneShown() const { return m_chartScene; }

    // The chart area's context menu (TrendDlgMenus.cpp): "显示遗漏" and "统计行"
    // switch the chart's options, remembered in [OPTION] of ./Veltrix.ini;
    // "走势统计…" writes and opens the trend statistics report. The caller
    // owns the menu and may add its own items after these.
    QMenu* CreateChartMenu(QWidget* parent);
    void LoadChartOptions();
    void SetChartOptions(bool omission, bool statistics);
    void WriteTrendStats(); // "走势统计…"
    // Every row of the result box as the chart reads them, for the options;
    // computed again only when the text or the layout changes.
    const ChartHistory* ChartHistoryFor(ChartLayout layout);

    // Rows and chart out, draw files in (TrendDlgExports.cpp).
    void SetUpExports();                      // the result box's menu and the drop targets
    QMenu* CreateResultMenu(QWidget* parent); // "复制", "导出CSV…"
    void AddChartExportItems(QMenu* menu);    // "保存图片…", "打印…"
    void CopyResult();                        // the selection, else every row
    // The result text as CSV with a UTF-8 byte-order mark; on failure a
    // message, and the file is left as it was.
    bool ExportResultCsv(const std::string& path);
    QImage ChartPicture() const; // the chart area as veltrix-chart --png makes it
    bool SaveChartPicture(const std::string& path);
    void PaintChartPage(QPainter& painter, const QRect& page); // scaled to the page
    // Each file goes into the game its name names, or the one the user picks.
    void ImportDroppedFiles(const std::vector<std::string>& paths);

    // Reports of "分   析".
    void AnalyseGaps(int fieldsPerRow);
    void Analyse3D();
    void AnalysePeriod();

    // Updates. The download runs on a worker thread while the window goes on
    // painting and answering; the import runs on the window's connection.
    DownloadResult DownloadDrawFile(LotteryKind kind, const std::string& localPath);
    ImportSummary ImportDrawFile(LotteryKind kind);
    // After an update: where the feeds' draws came from, and what went wrong.
    void ShowUpdateSummary(const std::vector<GameUpdateReport>& reports);

    // The boxes as the core reads them. Lines are the result text's lines
    // (ended by CR LF); a line is cut to maxBytes bytes.
    int ResultLineCount() const;
    std::string ResultLine(int index, size_t maxBytes) const;
    int ResultFirstVisibleLine() const;
    std::string ResultBoxText() const;
    std::string CommandBoxText() const;
    void SetResultBoxText(const std::string& text);
    void SetCountLabelText(const std::string& text);
    std::string TitleText() const;
    // Sets the title and lets it repaint while a long operation runs.
    void SetTitleText(const std::string& text);

    // A draw file imported from where it lies (a dropped file), as the update
    // buttons import theirs.
    void ImportDrawFile(LotteryKind kind, const std::string& path);

    void ShowMessage(const std::string& text, MessageIcon icon = MessageIcon::None) override;
    // False when no program took the report (no program for text files).
    bool OpenReport(const std::string& path);

    // Stored texts and state (public for the operations and the tests).
    CAdoConnection m_db;
    QFont m_font;
    int m_nCount = 0;
    std::string m_strResult;
    std::string m_strSQL;
    std::string m_strCount;
    bool m_bShowOmission = false;   // "显示遗漏"
    bool m_bShowStatistics = false; // "统计行"

    // Controls.
    CColorButton* m_btnUpdateSsq = nullptr;
    CColorButton* m_btnUpdateP5 = nullptr;
    CColorButton* m_btnUpdateP3 = nullptr;
    CColorButton* m_btnUpdateDlt = nullptr;
    CColorButton* m_btnUpdate7xc = nullptr;
    CColorButton* m_btnUpdate7lc = nullptr;
    CColorButton* m_btnUpdate3d = nullptr;
    CColorButton* m_btnUpdateT22x5 = nullptr;
    CColorButton* m_btnLatest = nullptr;
    CColorButton* m_btnQuery = nullptr;
    CColorButton* m_btnReload = nullptr;
    CColorButton* m_btnBackZone = nullptr;
    CColorButton* m_btnUpdateAll = nullptr;
    CColorButton* m_btnDeleteTab = nullptr;
    CColorButton* m_btnPrizeCheck = nullptr;
    CColorButton* m_btnAnalyse = nullptr;
    CColorButton* m_btnCount = nullptr;
    QComboBox* m_comboRunLength = nullptr;
    QPlainTextEdit* m_editResult = nullptr;
    QComboBox* m_comboCommands = nullptr;
    QPlainTextEdit* m_editCommand = nullptr;
    QLabel* m_labelCount = nullptr;
    QIcon m_hIcon;

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void accept() override; // Enter: ignored
    void reject() override; // Escape: ignored

private:
    std::string CommandTextForOrder() override;
    void CreateControls();
    void ConnectControls();
    void SetUpButtons();
    CEditBox* ResultBox() const;
    CEditBox* CommandBox() const;
    void PaintChart(QPainter& painter); // walks m_chartScene
    void ShowChartScene(ChartScene scene);

    TrendDlgServices m_services;
    // The real services for those the caller left null.
    std::unique_ptr<MessageSink> m_ownMessages;
    std::unique_ptr<FileOpener> m_ownOpener;
    std::unique_ptr<ProgramLauncher> m_ownLauncher;
    ChartScene m_chartScene;
    std::shared_ptr<ChartPainter> m_chartPainter; // keeps the chart's texts between frames
    struct ChartHistoryCache;
    std::shared_ptr<ChartHistoryCache> m_chartHistory;
    bool m_bBusy = false;                       // an update runs: close requests ask to stop it
    std::atomic<bool> m_stopUpdate{false};      // the user asked the update to stop
    bool m_bCloseAfterUpdate = false;           // ... and the window to close then
    DrawSource* m_updateSource = nullptr;       // where the running update gets its draws
    RunningStatement* m_running = nullptr;      // while "查询" runs a statement
    std::vector<std::string> m_unopenedReports; // written, opened by no program
};

} // namespace veltrix
