#include "chart/ChartLayout.h"

#include "common/Strings.h"
#include "db/LotteryCatalogue.h"

namespace veltrix {

namespace {

constexpr ChartColor kBand1{255, 230, 230};
constexpr ChartColor kBand2{245, 220, 220};
constexpr ChartColor kBand3{230, 230, 255};
constexpr ChartColor kBand4{220, 220, 245};

constexpr ChartBand kDltBands[] = {{5, 131, kBand1},   {131, 271, kBand2}, {271, 411, kBand1},
                                   {411, 495, kBand2}, {495, 579, kBand3}, {579, 663, kBand4},
                                   {663, 691, kBand3}};
// The fifth band overlaps the fourth on purpose: 30-33 stay on band 2.
constexpr ChartBand kSsqBands[] = {{5, 131, kBand1},   {131, 271, kBand2}, {271, 411, kBand1},
                                   {411, 495, kBand2}, {467, 579, kBand3}, {579, 691, kBand4}};
constexpr ChartBand kThreeDigitBands[] = {
    {5, 145, kBand1}, {145, 285, kBand2}, {285, 425, kBand1}, {425, 691, kBand3}};
// The first band is measured in 14-pixel rows, so it reaches below the
// 13-pixel grid and shows there and right of it.
constexpr ChartBand kFiveDigitBands[] = {{5, 691, kBand3, 14}, {5, 135, kBand1},
                                         {135, 265, kBand2},   {265, 395, kBand1},
                                         {395, 525, kBand1},   {525, 655, kBand1}};

// Front numbers from column 0 (value 1), back numbers right after them.
constexpr ChartZone kDltZones[] = {{0, 5, -1, 1, 35, true, true}, {5, 2, 34, 1, 12, false, true}};
constexpr ChartZone kSsqZones[] = {{0, 6, -1, 1, 33, true, true}, {6, 1, 32, 1, 16, false, true}};
constexpr ChartZone kThreeDigitZones[] = {
    {0, 1, 0, 0, 9, true, false}, {1, 1, 10, 0, 9, true, false}, {2, 1, 20, 0, 9, true, false}};
constexpr ChartZone kFiveDigitZones[] = {{0, 1, 0, 0, 9, true, false},
                                         {1, 1, 10, 0, 9, true, false},
                                         {2, 1, 20, 0, 9, true, false},
                                         {3, 1, 30, 0, 9, true, false},
                                         {4, 1, 40, 0, 9, true, false}};

const ChartLayoutFacts kNoFacts{};
const ChartLayoutFacts kDltFacts{14, false, 7, 1, 35, 6, 47, 664, true, kDltBands, kDltZones};
const ChartLayoutFacts kSsqFacts{14, false, 7, 1, 33, 6, 49, 692, false, kSsqBands, kSsqZones};
const ChartLayoutFacts kThreeDigitFacts{
    14, true, 3, 0, 9, 9, 30, 426, false, kThreeDigitBands, kThreeDigitZones};
const ChartLayoutFacts kFiveDigitFacts{
    13, true, 5, 0, 9, 9, 50, 656, false, kFiveDigitBands, kFiveDigitZones};

bool HasTag(std::string_view upper, LotteryKind kind) {
    return Contains(upper, Lottery(kind).tag);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

const ChartLayoutFacts& FactsOf(ChartLayout layout) {
    switch (layout) {
    case ChartLayout::Dlt:
        return kDltFacts;
    case ChartLayout::Ssq:
        return kSsqFacts;
    case ChartLayout::ThreeDigit:
        return kThreeDigitFacts;
    case ChartLayout::FiveDigit:
        return kFiveDigitFacts;
    case ChartLayout::None:
        break;
    }
    return kNoFacts;
}

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

bool IsChartValuePair(ChartLayout layout, char c, char c2) {
    if (FactsOf(layout).singleDigits)
        return c == '0' && IsDigit(c2);
    return IsDigit(c) && IsDigit(c2);
}

} // namespace veltrix
