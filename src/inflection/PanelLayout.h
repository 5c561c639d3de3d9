#pragma once
// Positions and sizes of the panel's controls in twips, as the views lay
// them out; converted to pixels here only.

#include "platform/winsys/Twips.h"

#include "platform/winsys/VbColor.h"

#include <QLabel>
#include <QWidget>

#include <initializer_list>

namespace tav {

// The point size of the grids' row captions ("1 sg", "Nom sg" ...).
constexpr double kRowCaptionPoints = 6.5;
// The A and P captions and, as designed, the verb boxes beside them (twips).
constexpr int kVoiceLabelWidth = 200;
constexpr int kVoiceBoxWidth = 1250;

inline int LeftTw(const QWidget *w) { return winsys::PixelsToTwipsX(w->x()); }
inline int TopTw(const QWidget *w) { return winsys::PixelsToTwipsY(w->y()); }
inline int WidthTw(const QWidget *w) { return winsys::PixelsToTwipsX(w->width()); }
inline int HeightTw(const QWidget *w) { return winsys::PixelsToTwipsY(w->height()); }
inline void SetLeftTw(QWidget *w, int twips) { w->move(winsys::TwipsToPixelsX(twips), w->y()); }
inline void SetTopTw(QWidget *w, int twips) { w->move(w->x(), winsys::TwipsToPixelsY(twips)); }
inline void SetWidthTw(QWidget *w, int twips)
{
    const int px = winsys::TwipsToPixelsX(twips);
    if (w->minimumWidth() == w->maximumWidth())
        w->setFixedWidth(px);
    else
        w->resize(px, w->height());
}
inline void SetHeightTw(QWidget *w, int twips)
{
    const int px = winsys::TwipsToPixelsY(twips);
    if (w->minimumHeight() == w->maximumHeight())
        w->setFixedHeight(px);
    else
        w->resize(w->width(), px);
}

// The heading label draws its borders as the grids draw their lines, so that
// on a scaled screen both fall on the same device pixels.
void DrawBordersAsGridLines(QLabel *label);

// A heading label's background; -1 gives it back the panel's own.
inline void PaintLabel(QLabel *label, long color)
{
    QPalette p = label->parentWidget() ? label->parentWidget()->palette() : label->palette();
    if (color >= 0)
        p.setColor(QPalette::Window, winsys::FromVbColor(color));
    // Setting a palette looks up the application's palettes: the same
    // colours for every word of a kind are not set again.
    if (!label->testAttribute(Qt::WA_SetPalette) || label->palette() != p)
        label->setPalette(p);
}

// Raises sibling widgets so that they stand over the others in this order
// (the last on top). Raising a widget repaints it: widgets that stand so
// already are left alone.
inline void RaiseInOrder(std::initializer_list<QWidget *> widgets)
{
    const QObjectList &siblings = (*widgets.begin())->parentWidget()->children();
    qsizetype at = siblings.size() - qsizetype(widgets.size());
    bool inOrder = at >= 0;
    for (auto it = widgets.begin(); inOrder && it != widgets.end(); ++it)
        inOrder = siblings[at++] == *it;
    if (!inOrder)
        for (QWidget *w : widgets)
            w->raise();
}

} // namespace tav
