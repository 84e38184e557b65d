// Placeholder: the analysis buttons come with the analysis work.
#include "app/TrendDlg.h"

namespace veltrix {

void CTrendDlg::CountNumbers() {}
void CTrendDlg::AnalyseRows() {}
void CTrendDlg::ShowBackZoneIndex() {}
void CTrendDlg::AnalyseGaps(int) {}
void CTrendDlg::Analyse3D() {}
void CTrendDlg::AnalysePeriod() {}

} // namespace veltrix
