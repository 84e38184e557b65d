// Placeholder: downloads, import and the bulletin come with the update work.
#include "app/TrendDlg.h"

namespace veltrix {

void CTrendDlg::UpdateAllDraws() {}
void CTrendDlg::UpdateDraws(LotteryKind) {}
void CTrendDlg::ShowLatestDraws() {}
void CTrendDlg::DownloadDrawFile(const std::string&, const std::string&) {}
void CTrendDlg::ImportDrawFile(LotteryKind) {}

} // namespace veltrix
