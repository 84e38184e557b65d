// The update buttons and "最后开奖": thin adapters from the window to the
// update flow of the core (src/update). The flow reads and sets the title
// through the window and runs the two steps of each game through the
// window's DownloadDrawFile and ImportDrawFile. A download runs on a worker
// thread while the window goes on painting and answering; the import runs
// every statement through RunQueryOutcome on the window's connection (so the
// result box and the count follow each statement as usual). "重载" is greyed
// out during "更新全部". Closing the window during an update asks whether to
// stop it. Afterwards one message box says what went wrong, if anything did.

#include "app/TrendDlg.h"
#include "controls/ColorButton.h"
#include "update/Bulletin.h"
#include "update/DrawUpdate.h"
#include "update/feeds/FeedDrawSource.h"

#include <QEventLoop>
#include <QTimer>
#include <ctime>
#include <thread>

namespace veltrix {
namespace {

class WindowTitle : public UpdateAllHost {
public:
    WindowTitle(CTrendDlg& dlg, CColorButton* reload) : m_dlg(dlg), m_reload(reload) {}
    std::string Title() override { return m_dlg.TitleText(); }
    void SetTitle(const std::string& text) override { m_dlg.SetTitleText(text); }
    void SetReloadEnabled(bool enabled) override {
        if (m_reload)
            m_reload->setEnabled(enabled);
    }

private:
    CTrendDlg& m_dlg;
    CColorButton* m_reload;
};

class WindowRunner : public SqlRunner {
public:
    explicit WindowRunner(CTrendDlg& dlg) : m_dlg(dlg) {}
    QueryOutcome Run(const std::string& sql) override { return m_dlg.RunQueryOutcome(sql); }
    Status BeginBatch() override { return BeginBatchOn(m_dlg.m_db); }
    Status CommitBatch() override { return CommitBatchOn(m_dlg.m_db); }
    void Checkpoint() override { CheckpointOn(m_dlg.m_db); }

private:
    CTrendDlg& m_dlg;
};

// The steps of the flow, through the window's own operations.
class WindowSteps : public DrawUpdateSteps {
public:
    WindowSteps(CTrendDlg& dlg, const std::atomic<bool>& stop) : m_dlg(dlg), m_stop(stop) {}
    DownloadResult DownloadDrawFile(LotteryKind kind) override {
        return m_dlg.DownloadDrawFile(kind, DrawFilePath(kDrawFolder, Lottery(kind).savedFileName));
    }
    ImportSummary ImportDrawFile(LotteryKind kind) override { return m_dlg.ImportDrawFile(kind); }
    bool StopRequested() const override { return m_stop.load(); }

private:
    CTrendDlg& m_dlg;
    const std::atomic<bool>& m_stop;
};

// Marks the window busy for one handler; nested handlers keep it busy. The
// outermost one clears a stop request and closes the window if the user
// asked for that while it ran.
class BusyScope {
public:
    BusyScope(CTrendDlg& dlg, bool& busy, std::atomic<bool>& stop, bool& closeAfter)
        : m_dlg(dlg), m_busy(busy), m_was(busy), m_stop(stop), m_closeAfter(closeAfter) {
        m_busy = true;
    }
    ~BusyScope() {
        m_busy = m_was;
        if (m_was)
            return;
        m_stop = false;
        if (m_closeAfter) {
            m_closeAfter = false;
            QTimer::singleShot(0, &m_dlg, [dlg = &m_dlg] { dlg->close(); });
        }
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    CTrendDlg& m_dlg;
    bool& m_busy;
    bool m_was;
    std::atomic<bool>& m_stop;
    bool& m_closeAfter;
};

// The draw source of one update, made when the update starts. All games of
// "更新全部" then share one feed session: the 福彩 cookie is fetched once and a
// feed that cannot be reached is not asked again for every game. An update
// already running lends its source to the steps it calls.
class UpdateSourceScope {
public:
    UpdateSourceScope(DrawSource*& current, DrawDownloader* downloader) : m_current(current) {
        if (m_current)
            return;
        m_own =
            MakeDrawSource(std::string(kSettingsPath), downloader ? *downloader : m_curl).source;
        m_current = m_own.get();
    }
    ~UpdateSourceScope() {
        if (m_own)
            m_current = nullptr;
    }
    UpdateSourceScope(const UpdateSourceScope&) = delete;
    UpdateSourceScope& operator=(const UpdateSourceScope&) = delete;

private:
    DrawSource*& m_current;
    CurlDrawDownloader m_curl;
    std::unique_ptr<DrawSource> m_own;
};

} // namespace

void CTrendDlg::UpdateAllDraws() {
    if (m_bBusy)
        return; // one update at a time; the window answers clicks meanwhile
    BusyScope busy(*this, m_bBusy, m_stopUpdate, m_bCloseAfterUpdate);
    UpdateSourceScope source(m_updateSource, m_services.downloader);
    WindowTitle title(*this, m_btnReload);
    WindowSteps steps(*this, m_stopUpdate);
    ShowUpdateSummary(UpdateAllGameDraws(steps, title));
}

void CTrendDlg::UpdateDraws(LotteryKind kind) {
    if (m_bBusy)
        return;
    BusyScope busy(*this, m_bBusy, m_stopUpdate, m_bCloseAfterUpdate);
    WindowSteps steps(*this, m_stopUpdate);
    ShowUpdateSummary({UpdateGameDraws(kind, steps)});
}

void CTrendDlg::ShowUpdateSummary(const std::vector<GameUpdateReport>& reports) {
    if (m_stopUpdate)
        return;
    // Draws from the public feeds say where they came from; problems are
    // warned about.
    std::string problems = DescribeUpdateProblems(reports);
    std::string text = DescribeDrawSources(reports) + problems;
    if (!text.empty())
        ShowMessage(text, problems.empty() ? MessageIcon::None : MessageIcon::Warning);
}

DownloadResult CTrendDlg::DownloadDrawFile(LotteryKind kind, const std::string& localPath) {
    BusyScope busy(*this, m_bBusy, m_stopUpdate, m_bCloseAfterUpdate);
    UpdateSourceScope scope(m_updateSource, m_services.downloader);
    DrawSource* source = m_updateSource;
    const LotteryInfo& game = Lottery(kind);
    std::string savedTitle = TitleText();
    SetTitleText("正在下载 " + source->Address(game));

    // The transfer runs on a worker; this thread goes on with the window's
    // events until the worker says it is done.
    DownloadResult result;
    QEventLoop waiting;
    std::thread worker([&] {
        result = FetchDrawFile(*source, game, localPath, &m_stopUpdate);
        QMetaObject::invokeMethod(&waiting, &QEventLoop::quit, Qt::QueuedConnection);
    });
    waiting.exec();
    worker.join();

    SetTitleText(savedTitle);
    return result;
}

ImportSummary CTrendDlg::ImportDrawFile(LotteryKind kind) {
    BusyScope busy(*this, m_bBusy, m_stopUpdate, m_bCloseAfterUpdate);
    WindowTitle title(*this, m_btnReload);
    WindowRunner runner(*this);
    return ImportGameDrawFile(kind, kDrawFolder, runner, title, &m_stopUpdate);
}

void CTrendDlg::ImportDrawFile(LotteryKind kind, const std::string& path) {
    BusyScope busy(*this, m_bBusy, m_stopUpdate, m_bCloseAfterUpdate);
    WindowTitle title(*this, m_btnReload);
    WindowRunner runner(*this);
    DownloadResult ownFile; // nothing to download: the file is the user's own
    ownFile.ok = true;
    std::vector<GameUpdateReport> reports;
    reports.push_back({kind, ownFile, ImportDrawFileAt(kind, path, runner, title)});
    std::string problems = DescribeUpdateProblems(reports);
    if (!problems.empty())
        ShowMessage(problems, MessageIcon::Warning);
}

void CTrendDlg::ShowLatestDraws() {
    WindowRunner runner(*this);
    SetResultBoxText(RunBulletin(runner, LocalBulletinDate(std::time(nullptr))));
}

} // namespace veltrix
