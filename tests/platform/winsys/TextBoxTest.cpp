// The multi-line text box pastes plain text and ignores clipboard data that
// offers none, which a plain QTextEdit of Qt 6.4 does not survive.

#include "platform/winsys/TextBox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>
#include <QTextCursor>

#include <gtest/gtest.h>

TEST(TextBox, PastesPlainTextAndIgnoresDataWithoutText)
{
    winsys::TextBox box;
    box.setPlainText(QStringLiteral("kept"));
    box.moveCursor(QTextCursor::End);

    QMimeData empty;
    EXPECT_FALSE(box.canInsertFromMimeData(&empty));
    EXPECT_FALSE(box.canInsertFromMimeData(nullptr));
    box.insertFromMimeData(&empty);
    box.insertFromMimeData(nullptr);
    QMimeData image;
    image.setData(QStringLiteral("image/png"), QByteArray("\x89PNG", 4));
    EXPECT_FALSE(box.canInsertFromMimeData(&image));
    box.insertFromMimeData(&image);
    EXPECT_EQ(box.toPlainText(), QStringLiteral("kept"));

    // Rich text arrives as its plain text, line breaks kept.
    QMimeData rich;
    rich.setHtml(QStringLiteral("<b>bold</b>"));
    rich.setText(QStringLiteral(" bold\nsecond"));
    EXPECT_TRUE(box.canInsertFromMimeData(&rich));
    box.insertFromMimeData(&rich);
    EXPECT_EQ(box.toPlainText(), QStringLiteral("kept bold\nsecond"));
    EXPECT_FALSE(box.document()->toHtml().contains(QStringLiteral("font-weight:700")));

    // Ctrl+V with clipboard data that has no formats.
    QGuiApplication::clipboard()->setMimeData(new QMimeData);
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box.toPlainText(), QStringLiteral("kept bold\nsecond"));
    QGuiApplication::clipboard()->setText(QStringLiteral("!"));
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box.toPlainText(), QStringLiteral("kept bold\nsecond!"));
    QGuiApplication::clipboard()->clear();
}
