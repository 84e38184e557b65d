#include "chart/ChartLayout.h"

#include "common/Strings.h"
#include "db/LotteryCatalogue.h"

namespace veltrix {

namespace {

bool HasTag(std::string_view upper, LotteryKind kind) {
    return Contains(upper, Lottery(kind).tag);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

ChartLayout ChooseChartLayout(std::string_view commandText) {
    std::string upper = ToUpperAscii(commandText);
    if (HasTag(upper, LotteryKind::SevenXc) || HasTag(upper, LotteryKind::SevenLc) ||
        HasTag(upper, LotteryKind::T22x5))
        return ChartLayout::None;
    if (HasTag(upper, LotteryKind::Ssq))
        return ChartLayout::Ssq;
    if (HasTag(upper, LotteryKind::ThreeD) || HasTag(upper, LotteryKind::P3))
        return ChartLayout::ThreeDigit;
    if (HasTag(upper, LotteryKind::P5))
        return ChartLayout::FiveDigit;
    return ChartLayout::Dlt;
}

int ChartCellSize(ChartLayout layout) {
    return layout == ChartLayout::FiveDigit ? 13 : 14;
}

int ChartSlotsPerRow(ChartLayout layout) {
    switch (layout) {
    case ChartLayout::Dlt:
    case ChartLayout::Ssq:
        return 7;
    case ChartLayout::ThreeDigit:
        return 3;
    case ChartLayout::FiveDigit:
        return 5;
    case ChartLayout::None:
        break;
    }
    return 0;
}

int ChartMinLineBytes(ChartLayout layout) {
    return layout == ChartLayout::ThreeDigit || layout == ChartLayout::FiveDigit ? 8 : 1;
}

bool IsChartValuePair(ChartLayout layout, char c, char c2) {
    if (layout == ChartLayout::ThreeDigit || layout == ChartLayout::FiveDigit)
        return c == '0' && IsDigit(c2);
    return IsDigit(c) && IsDigit(c2);
}

} // namespace veltrix
