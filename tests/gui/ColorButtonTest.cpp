#include "controls/ColorButton.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace veltrix {
namespace {

const QColor kRed(255, 0, 0);

class ColorButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.resize(300, 100);
        first = new CColorButton(QStringLiteral("查询"), &dialog);
        second = new CColorButton(QStringLiteral("重载"), &dialog);
        third = new CColorButton(QStringLiteral("更新DLT"), &dialog);
        int x = 5;
        for (CColorButton* button : {first, second, third}) {
            button->setGeometry(x, 5, 60, 24);
            x += 70;
            // The main window's set-up of sixteen of its buttons.
            button->SetColor(1, kRed, true);
            button->SetDrawBorder(true, false);
            button->SetIdleRaised(true, false);
        }
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }

    static void Move(QWidget* widget, QPoint pos, Qt::MouseButtons buttons = Qt::NoButton) {
        QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, buttons,
                         Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }

    // Captions are drawn with antialiasing: look for pixels of the colour's
    // kind rather than of the exact colour.
    template <class Test> static bool HasPixel(const QImage& image, Test test) {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (test(image.pixelColor(x, y)))
                    return true;
            }
        }
        return false;
    }
    static bool HasRed(const QImage& image) {
        return HasPixel(image, [](QColor c) { return c.red() > 200 && c.green() < 120; });
    }
    static bool Same(QColor a, QColor b) { return a.rgb() == b.rgb(); }

    QColor Face() const { return first->palette().color(QPalette::Active, QPalette::Button); }
    QColor Light() const { return first->palette().color(QPalette::Active, QPalette::Light); }
    QColor Dark() const { return first->palette().color(QPalette::Active, QPalette::Dark); }

    QDialog dialog;
    CColorButton* first = nullptr;
    CColorButton* second = nullptr;
    CColorButton* third = nullptr;
};

TEST_F(ColorButtonTest, SetColorChecksItsSlot) {
    EXPECT_EQ(first->SetColor(5, Qt::blue, false), 0);
    EXPECT_EQ(first->Color(5), QColor(Qt::blue));
    QColor before = first->Color(0);
    EXPECT_EQ(first->SetColor(6, Qt::green, true), 3);
    EXPECT_EQ(first->SetColor(255, Qt::green, true), 3);
    EXPECT_EQ(first->Color(0), before);
    EXPECT_EQ(first->SetDrawBorder(true, true), 0);
    EXPECT_EQ(first->SetIdleRaised(true, true), 0);
}

TEST_F(ColorButtonTest, HoverRaisesTheEdgeAndReddensTheCaptionUntilTheMouseGoes) {
    // Idle, the button is flat, without edge or red.
    QImage image = first->grab().toImage();
    EXPECT_TRUE(Same(image.pixelColor(0, 0), Face()));
    EXPECT_TRUE(Same(image.pixelColor(59, 23), Face()));
    EXPECT_FALSE(HasRed(image));

    Move(first, QPoint(10, 10));
    ASSERT_TRUE(first->IsHovered());
    image = first->grab().toImage();
    EXPECT_TRUE(Same(image.pixelColor(0, 0), Light()));
    EXPECT_TRUE(Same(image.pixelColor(59, 23), Dark()));
    EXPECT_TRUE(Same(image.pixelColor(5, 12), Face()));
    EXPECT_TRUE(HasRed(image));

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(first, &leave);
    EXPECT_FALSE(first->IsHovered());
    image = first->grab().toImage();
    EXPECT_TRUE(Same(image.pixelColor(0, 0), Face()));
    EXPECT_FALSE(HasRed(image));

    // A move outside while tracking ends it, and so does disabling.
    Move(first, QPoint(10, 10));
    EXPECT_TRUE(first->IsHovered());
    Move(first, QPoint(200, 10));
    EXPECT_FALSE(first->IsHovered());
    Move(first, QPoint(10, 10));
    EXPECT_TRUE(first->IsHovered());
    first->setEnabled(false);
    EXPECT_FALSE(first->IsHovered());
    // Disabled, the caption is engraved, never red.
    image = first->grab().toImage();
    EXPECT_FALSE(HasRed(image));
    const int dark = Dark().lightness();
    EXPECT_TRUE(HasPixel(image, [dark](QColor c) { return c.lightness() <= dark + 10; }));

    // A drag begun elsewhere does not hover.
    Move(second, QPoint(10, 10), Qt::LeftButton);
    EXPECT_FALSE(second->IsHovered());
}

TEST_F(ColorButtonTest, PressedButtonSinksAndShiftsItsCaption) {
    QImage idle = first->grab().toImage();
    first->setDown(true);
    QImage pressed = first->grab().toImage();
    first->setDown(false);
    EXPECT_TRUE(Same(pressed.pixelColor(0, 0), Dark()));
    EXPECT_TRUE(Same(pressed.pixelColor(59, 23), Light()));
    EXPECT_TRUE(HasRed(pressed));
    // The caption's pixels, one to the right and one down.
    int matching = 0;
    int captionPixels = 0;
    for (int y = 2; y < 21; ++y) {
        for (int x = 2; x < 57; ++x) {
            if (Same(idle.pixelColor(x, y), Face()))
                continue;
            ++captionPixels;
            if (!Same(pressed.pixelColor(x + 1, y + 1), Face()))
                ++matching;
        }
    }
    ASSERT_GT(captionPixels, 20);
    EXPECT_GT(matching, captionPixels * 9 / 10);
}

TEST_F(ColorButtonTest, DoubleClickGivesTwoClicks) {
    QSignalSpy clicks(first, &QAbstractButton::clicked);
    const QPoint pos(10, 10);
    const QPoint global = first->mapToGlobal(pos);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, pos, global, Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(first, &event);
    }
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(ColorButtonTest, ClickTakesTheFocusAndDisablingPassesItToTheNextTabStop) {
    third->setFocusPolicy(Qt::TabFocus); // even a button the mouse would not focus
    QTest::mouseClick(third, Qt::LeftButton);
    EXPECT_EQ(dialog.focusWidget(), third);

    first->setFocus();
    ASSERT_EQ(dialog.focusWidget(), first);
    first->setEnabled(false);
    EXPECT_EQ(dialog.focusWidget(), second);
    // Even a button without the focus hands it to the control after it.
    first->setEnabled(true);
    first->setFocus();
    second->setEnabled(false);
    EXPECT_EQ(dialog.focusWidget(), third);
}

TEST_F(ColorButtonTest, SystemColourChangeResetsEverySlot) {
    const QPalette original = QApplication::palette();
    QPalette changed = original;
    changed.setColor(QPalette::Button, QColor(10, 20, 30));
    changed.setColor(QPalette::ButtonText, QColor(200, 210, 220));
    QApplication::setPalette(changed);
    QCoreApplication::processEvents(); // the change reaches widgets as a posted event
    for (int slot = 0; slot < 6; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(first->Color(slot), slot % 2 == 0 ? QColor(10, 20, 30) : QColor(200, 210, 220));
    }
    QApplication::setPalette(original);
    QCoreApplication::processEvents();
    Move(first, QPoint(10, 10));
    EXPECT_FALSE(HasRed(first->grab().toImage()));
}

} // namespace
} // namespace veltrix
