// The update buttons and "最后开奖": thin adapters from the window to the
// update flow of the core (src/update). The flow reads and sets the title
// through the window, runs every statement through RunQueryOutcome (so the
// result box and the count follow each statement as usual) and greys out
// "重载" during "更新全部". While an update runs the window refuses to close.

#include "app/TrendDlg.h"
#include "controls/ColorButton.h"
#include "update/Bulletin.h"
#include "update/DrawUpdate.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <ctime>

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

private:
    CTrendDlg& m_dlg;
};

// Marks the window busy for one handler; nested handlers keep it busy.
class BusyScope {
public:
    explicit BusyScope(bool& busy) : m_busy(busy), m_was(busy) { m_busy = true; }
    ~BusyScope() { m_busy = m_was; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& m_busy;
    bool m_was;
};

// The real downloader lets the window repaint (never take input) while a
// transfer runs, so the title shows what is being fetched.
class WindowDownloader {
public:
    explicit WindowDownloader(DrawDownloader* configured) : m_configured(configured) {
        m_curl.SetIdleCallback(
            [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    }
    DrawDownloader& Get() { return m_configured ? *m_configured : m_curl; }

private:
    DrawDownloader* m_configured;
    CurlDrawDownloader m_curl;
};

std::string ServerBase() {
    // An unusable [OPTION] DrawServer falls back to the built-in server; the
    // window shows no message for it.
    return DrawServerFromSettings(std::string(kSettingsPath)).base;
}

} // namespace

void CTrendDlg::UpdateAllDraws() {
    BusyScope busy(m_bBusy);
    WindowTitle title(*this, m_btnReload);
    WindowRunner runner(*this);
    WindowDownloader downloader(m_services.downloader);
    DrawUpdateContext context{downloader.Get(), runner, ServerBase()};
    UpdateAllGameDraws(context, title);
}

void CTrendDlg::UpdateDraws(LotteryKind kind) {
    BusyScope busy(m_bBusy);
    WindowTitle title(*this, m_btnReload);
    WindowRunner runner(*this);
    WindowDownloader downloader(m_services.downloader);
    DrawUpdateContext context{downloader.Get(), runner, ServerBase()};
    UpdateGameDraws(kind, context, title);
}

void CTrendDlg::DownloadDrawFile(const std::string& url, const std::string& localPath) {
    BusyScope busy(m_bBusy);
    WindowTitle title(*this, m_btnReload);
    WindowDownloader downloader(m_services.downloader);
    // A failed download is not reported: the import that follows works on
    // whatever file is there.
    DownloadDrawFileWithTitle(url, localPath, downloader.Get(), title);
}

void CTrendDlg::ImportDrawFile(LotteryKind kind) {
    BusyScope busy(m_bBusy);
    WindowTitle title(*this, m_btnReload);
    WindowRunner runner(*this);
    ImportGameDrawFile(kind, kDrawFolder, runner, title);
}

void CTrendDlg::ImportDrawFile(LotteryKind kind, const std::string& path) {
    BusyScope busy(m_bBusy);
    WindowTitle title(*this, m_btnReload);
    WindowRunner runner(*this);
    ImportDrawFileAt(kind, path, runner, title);
}

void CTrendDlg::ShowLatestDraws() {
    WindowRunner runner(*this);
    SetResultBoxText(RunBulletin(runner, LocalBulletinDate(std::time(nullptr))));
}

} // namespace veltrix
