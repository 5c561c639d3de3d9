#include "platform/winsys/WindowServices.h"

#include <QApplication>

#include <gtest/gtest.h>

using namespace winsys;

namespace {
Qt::CursorShape OverrideShape()
{
    const QCursor *cursor = QApplication::overrideCursor();
    return cursor ? cursor->shape() : Qt::BitmapCursor; // BitmapCursor: none set
}
} // namespace

class PointerServices : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(QApplication::overrideCursor(), nullptr);
        InstallWindowServices();
    }
    void TearDown() override
    {
        UninstallWindowServices();
        // Never leave an override behind for the next test.
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    }
};

TEST_F(PointerServices, ShapesMapToQtCursors)
{
    EXPECT_EQ(CursorFor(PointerShape::ArrowHourglass), Qt::BusyCursor);
    EXPECT_EQ(CursorFor(PointerShape::Hourglass), Qt::WaitCursor);
    EXPECT_EQ(CursorFor(PointerShape::Default), Qt::ArrowCursor);
}

TEST_F(PointerServices, NestedBusyPointersLeaveNoOverrideBehind)
{
    {
        BusyPointer outer(PointerShape::ArrowHourglass);
        EXPECT_EQ(OverrideShape(), Qt::BusyCursor);
        {
            BusyPointer inner(PointerShape::Hourglass);
            EXPECT_EQ(OverrideShape(), Qt::WaitCursor);
            EXPECT_EQ(PointerDepth(), 2);
        }
        EXPECT_EQ(OverrideShape(), Qt::BusyCursor); // the outer shape is back
    }
    EXPECT_EQ(PointerDepth(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(PointerServices, AnExceptionStillRestoresThePointer)
{
    try {
        BusyPointer busy;
        throw std::runtime_error("fails while busy");
    } catch (const std::runtime_error &) {
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(PointerServices, AnExtraPopCannotRemoveSomeoneElsesOverride)
{
    QApplication::setOverrideCursor(Qt::CrossCursor); // set outside the helper
    PopPointer();                                     // nothing of ours is pushed
    EXPECT_EQ(OverrideShape(), Qt::CrossCursor);
    QApplication::restoreOverrideCursor();
}
