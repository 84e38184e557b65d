// The window's controls: where they stand, in which tab order, and which
// operation each one starts.
#include "app/TrendDlg.h"

#include "controls/ColorButton.h"
#include "controls/DropDownList.h"
#include "controls/EditBox.h"

#include <QGroupBox>
#include <QLabel>

#include <cmath>

namespace veltrix {
namespace {

// The layout is given in dialog units; this font's dialog unit is 1.5 pixels
// both ways, so the 674 x 361 unit client area is 1011 x 541 pixels.
constexpr double kPixelsPerUnit = 1.5;
constexpr int kClientWidthUnits = 674;
constexpr int kClientHeightUnits = 361;
// A closed drop-down list is as tall as a button of the top row.
constexpr int kComboHeightUnits = 14;
// Characters the user may type into the command box (the platform default).
constexpr int kCommandTypingLimit = 32767;

// Half pixels are dropped, so the client area is 1011 x 541 (not 542).
int Pixels(int units) {
    return static_cast<int>(std::floor(units * kPixelsPerUnit));
}

QRect DialogRect(int x, int y, int width, int height) {
    return QRect(Pixels(x), Pixels(y), Pixels(width), Pixels(height));
}

struct ButtonPlace {
    int id;
    const char* caption;
    int x, y, width, height;
    CColorButton* CTrendDlg::*member;
};

} // namespace

void CTrendDlg::CreateControls() {
    setFixedSize(Pixels(kClientWidthUnits), Pixels(kClientHeightUnits));

    // Created first so that it lies beneath the buttons it frames.
    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("groupButtons"));
    group->setGeometry(DialogRect(465, 77, 206, 45));

    QList<QWidget*> tabOrder;
    auto addButton = [&](const ButtonPlace& place) {
        auto* button = new CColorButton(QString::fromUtf8(place.caption), this);
        button->setObjectName(QStringLiteral("button%1").arg(place.id));
        button->setGeometry(DialogRect(place.x, place.y, place.width, place.height));
        this->*place.member = button;
        tabOrder.append(button);
    };
    auto addButtons = [&](std::initializer_list<ButtonPlace> places) {
        for (const ButtonPlace& place : places)
            addButton(place);
    };

    m_comboCommands = new CDropDownList(this);
    m_comboCommands->setObjectName(QStringLiteral("comboCommands"));
    m_comboCommands->setGeometry(DialogRect(465, 4, 114, kComboHeightUnits));
    m_comboCommands->setMaxVisibleItems(30);
    tabOrder.append(m_comboCommands);

    addButtons({{1002, "查询", 581, 3, 30, 14, &CTrendDlg::m_btnQuery},
                {1005, "重载", 614, 3, 30, 14, &CTrendDlg::m_btnReload}});

    m_comboRunLength = new CDropDownList(this);
    m_comboRunLength->setObjectName(QStringLiteral("comboRunLength"));
    m_comboRunLength->setGeometry(DialogRect(646, 3, 25, kComboHeightUnits));
    // A sorted list: "2" is item 0 and "3" item 1.
    m_comboRunLength->addItems({QStringLiteral("2"), QStringLiteral("3")});
    m_comboRunLength->setCurrentIndex(-1);
    tabOrder.append(m_comboRunLength);

    auto* command = new CEditBox(this);
    command->setObjectName(QStringLiteral("editCommand"));
    command->setGeometry(DialogRect(465, 19, 206, 60));
    command->SetTypingLimit(kCommandTypingLimit);
    m_editCommand = command;
    tabOrder.append(command);

    addButtons({{1008, "分   析", 468, 84, 34, 12, &CTrendDlg::m_btnAnalyse},
                {1007, "统计个数", 503, 84, 34, 12, &CTrendDlg::m_btnCount},
                {1004, "删除Tab", 538, 84, 34, 12, &CTrendDlg::m_btnDeleteTab},
                {1010, "后区索引", 573, 84, 34, 12, &CTrendDlg::m_btnBackZone},
                {1009, "中奖查询", 608, 84, 34, 12, &CTrendDlg::m_btnPrizeCheck}});

    m_labelCount = new QLabel(QStringLiteral("RecordCount"), this);
    m_labelCount->setObjectName(QStringLiteral("labelCount"));
    m_labelCount->setGeometry(DialogRect(644, 110, 21, 10));
    m_labelCount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_labelCount->setTextFormat(Qt::PlainText);

    addButtons({{1013, "更新DLT", 468, 96, 34, 12, &CTrendDlg::m_btnUpdateDlt},
                {1019, "更新七星", 503, 96, 34, 12, &CTrendDlg::m_btnUpdate7xc},
                {1018, "更新22/5", 538, 96, 34, 12, &CTrendDlg::m_btnUpdateT22x5},
                {1017, "更新排五", 573, 96, 34, 12, &CTrendDlg::m_btnUpdateP5},
                {1014, "更新SSQ", 468, 108, 34, 12, &CTrendDlg::m_btnUpdateSsq},
                {1020, "更新七乐", 503, 108, 34, 12, &CTrendDlg::m_btnUpdate7lc},
                {1015, "更新3D", 538, 108, 34, 12, &CTrendDlg::m_btnUpdate3d},
                {1016, "更新排三", 608, 96, 34, 12, &CTrendDlg::m_btnUpdateP3},
                {1012, "更新全部", 573, 108, 34, 12, &CTrendDlg::m_btnUpdateAll}});

    auto* result = new CEditBox(this);
    result->setObjectName(QStringLiteral("editResult"));
    result->setGeometry(DialogRect(465, 124, 206, 234));
    m_editResult = result;
    tabOrder.append(result);

    addButton({1021, "最后开奖", 608, 108, 34, 12, &CTrendDlg::m_btnLatest});

    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void CTrendDlg::ConnectControls() {
    auto onClick = [this](CColorButton* button, auto handler) {
        connect(button, &QAbstractButton::clicked, this, handler);
    };
    onClick(m_btnQuery, [this] { RunCommand(); });
    onClick(m_btnDeleteTab, [this] { ReplaceTabs(); });
    onClick(m_btnReload, [this] { LoadCommands(); });
    onClick(m_btnCount, [this] { CountNumbers(); });
    onClick(m_btnAnalyse, [this] { AnalyseRows(); });
    onClick(m_btnPrizeCheck, [this] { LaunchPrizeCheck(); });
    onClick(m_btnBackZone, [this] { ShowBackZoneIndex(); });
    onClick(m_btnUpdateAll, [this] { UpdateAllDraws(); });
    onClick(m_btnUpdateDlt, [this] { UpdateDraws(LotteryKind::Dlt); });
    onClick(m_btnUpdateSsq, [this] { UpdateDraws(LotteryKind::Ssq); });
    onClick(m_btnUpdate3d, [this] { UpdateDraws(LotteryKind::ThreeD); });
    onClick(m_btnUpdateP3, [this] { UpdateDraws(LotteryKind::P3); });
    onClick(m_btnUpdateP5, [this] { UpdateDraws(LotteryKind::P5); });
    onClick(m_btnUpdateT22x5, [this] { UpdateDraws(LotteryKind::T22x5); });
    onClick(m_btnUpdate7xc, [this] { UpdateDraws(LotteryKind::SevenXc); });
    onClick(m_btnUpdate7lc, [this] { UpdateDraws(LotteryKind::SevenLc); });
    onClick(m_btnLatest, [this] { ShowLatestDraws(); });

    // A selection the user makes; the program's own selections (start-up,
    // reload) call the handlers themselves where they should.
    connect(m_comboCommands, &QComboBox::activated, this, [this] { SelectCommand(); });
    connect(m_comboRunLength, &QComboBox::activated, this, [this] { SaveRunLength(); });

    // The chart shows the lines the result box shows: the box says when
    // they may have changed, whatever moved or changed them.
    connect(ResultBox(), &CEditBox::VisibleLinesChanged, this, [this] { DrawTrendChart(); });
}

void CTrendDlg::SetUpButtons() {
    const QColor red(255, 0, 0);
    m_btnLatest->SetDrawBorder(true, false);
    m_btnLatest->SetIdleRaised(true, false);
    CColorButton* const others[] = {
        m_btnCount,       m_btnUpdateSsq, m_btnUpdateP5,   m_btnUpdateP3,
        m_btnUpdateDlt,   m_btnUpdate7xc, m_btnUpdate7lc,  m_btnUpdate3d,
        m_btnUpdateT22x5, m_btnQuery,     m_btnReload,     m_btnBackZone,
        m_btnUpdateAll,   m_btnDeleteTab, m_btnPrizeCheck, m_btnAnalyse};
    for (CColorButton* button : others)
        button->SetColor(1, red, true);
    for (CColorButton* button : others)
        button->SetDrawBorder(true, false);
    for (CColorButton* button : others)
        button->SetIdleRaised(true, false);
}

} // namespace veltrix
