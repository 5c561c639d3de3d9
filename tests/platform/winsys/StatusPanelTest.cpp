// A status panel is written on every key press in a list: it must show its
// text whole (fixed) or cut with a tool tip (free), without painting at once
// and without a new layout when its width stays.

#include "platform/winsys/StatusPanel.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Counts the events of one type that reach the watched object.
class EventCounter : public QObject {
public:
    EventCounter(QObject *watched, QEvent::Type type) : m_type(type) { watched->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == m_type)
            ++count;
        return false;
    }

private:
    QEvent::Type m_type;
};

} // namespace

TEST(StatusPanel, FixedPanelHoldsItsTextAndRelaysOutOnlyWhenItsWidthChanges)
{
    QWidget bar;
    auto *layout = new QHBoxLayout(&bar);
    auto *id = new winsys::StatusPanel(winsys::StatusPanel::Fixed, &bar);
    auto *meanings = new winsys::StatusPanel(winsys::StatusPanel::Free, &bar);
    layout->addWidget(id);
    layout->addWidget(meanings, 1);
    bar.resize(120, 30);
    id->SetText(QStringLiteral("ID 276"));
    bar.show();
    QCoreApplication::sendPostedEvents();
    layout->activate();
    EXPECT_GE(id->minimumSizeHint().width(), id->fontMetrics().horizontalAdvance(QStringLiteral("ID 276")));
    EXPECT_GE(id->contentsRect().width(), id->fontMetrics().horizontalAdvance(id->Text()));

    EventCounter requests(&bar, QEvent::LayoutRequest);
    EventCounter paints(id, QEvent::Paint);
    id->SetText(QStringLiteral("ID 277")); // digits of one width: the panel keeps its width
    id->SetText(QStringLiteral("ID 277"));
    EXPECT_EQ(paints.count, 0) << "the panel is painted with the window, not at once";
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(requests.count, 0);

    id->SetText(QStringLiteral("ID 27700"));
    QCoreApplication::sendPostedEvents();
    EXPECT_GE(requests.count, 1);
    layout->activate();
    EXPECT_GE(id->contentsRect().width(), id->fontMetrics().horizontalAdvance(id->Text()));
    EXPECT_TRUE(id->toolTip().isEmpty());

    // An empty text leaves the frame and its margins only.
    id->SetText(QString());
    EXPECT_LT(id->minimumSizeHint().width(), 16);
}

TEST(StatusPanel, FreePanelElidesToItsRoomWithTheWholeTextAsToolTip)
{
    QWidget bar;
    auto *layout = new QHBoxLayout(&bar);
    auto *meanings = new winsys::StatusPanel(winsys::StatusPanel::Free, &bar);
    layout->addWidget(meanings, 1);
    const QString text = QStringLiteral("Also means: the other one, another, else, different  ");
    const int textWidth = meanings->fontMetrics().horizontalAdvance(text);
    bar.resize(textWidth / 2, 30);
    bar.show();
    meanings->SetText(text);
    layout->activate();
    EXPECT_LT(meanings->width(), textWidth) << "a free panel gives way to the bar's width";
    EXPECT_TRUE(meanings->IsElided());
    EXPECT_EQ(meanings->toolTip(), text);

    // Room enough: the whole text shows, the tool tip goes.
    bar.resize(textWidth + 60, 30);
    layout->activate();
    EXPECT_FALSE(meanings->IsElided());
    EXPECT_TRUE(meanings->toolTip().isEmpty());

    // A new text that no longer fits brings its own tool tip.
    const QString longer = text + text;
    meanings->SetText(longer);
    EXPECT_TRUE(meanings->IsElided());
    EXPECT_EQ(meanings->toolTip(), longer);
    EXPECT_EQ(meanings->Text(), longer);
}
