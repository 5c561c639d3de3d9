// Heading label backgrounds: each paint shows the colour asked for, also when
// the same colour is asked again or the panel's own palette has changed.

#include "inflection/PanelLayout.h"

#include <QPalette>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

QColor Background(const QWidget &w) { return w.palette().color(QPalette::Window); }

TEST(PanelLayoutTest, HeadingBackgroundFollowsEachPaint)
{
    QWidget panel;
    QPalette own = panel.palette();
    own.setColor(QPalette::Window, Qt::darkGray);
    panel.setPalette(own);
    auto *label = new QLabel(&panel);

    const long yellow = 0x00FFFF; // BGR
    for (int pass = 0; pass < 2; ++pass) {
        tav::PaintLabel(label, yellow);
        EXPECT_EQ(Background(*label), QColor(Qt::yellow));
        tav::PaintLabel(label, yellow);
        EXPECT_EQ(Background(*label), QColor(Qt::yellow));
        tav::PaintLabel(label, -1);
        EXPECT_EQ(Background(*label), QColor(Qt::darkGray));
    }

    // The panel's colour changes: giving the label back the panel's own
    // background takes the new one, and the label keeps it when asked again.
    own.setColor(QPalette::Window, Qt::darkBlue);
    panel.setPalette(own);
    tav::PaintLabel(label, -1);
    EXPECT_EQ(Background(*label), QColor(Qt::darkBlue));
    tav::PaintLabel(label, -1);
    EXPECT_EQ(Background(*label), QColor(Qt::darkBlue));
    EXPECT_TRUE(label->testAttribute(Qt::WA_SetPalette));
}

} // namespace
