#include "platform/printer/Printer.h"

#include "platform/winsys/VbColor.h"

#include <QStringList>

#include <algorithm>

namespace printer {

Printer::Printer(std::unique_ptr<PrinterDevice> device) : m_device(std::move(device))
{
    m_font.setPointSizeF(10);
}

Printer::~Printer()
{
    // A job left open is abandoned, never half-finished into a file.
    if (m_docOpen)
        KillDoc();
}

void Printer::SetOrientation(int orientation)
{
    if (orientation == Portrait || orientation == Landscape)
        m_device->SetOrientation(orientation);
}

void Printer::SetPaperSize(int code) { m_device->SetPaperSize(code); }

void Printer::SetScaleMode(int mode)
{
    if (mode == vbUser) {
        if (m_scaleMode != vbUser) {
            m_userWidth = ScaleWidth();
            m_userHeight = ScaleHeight();
        }
        m_scaleMode = vbUser;
        return;
    }
    if (mode == vbTwips || mode == vbPixels || mode == vbInches || mode == vbMillimeters)
        m_scaleMode = mode;
}

double Printer::unitsPerTwipX(int unit) const
{
    switch (unit) {
    case vbUser: {
        const double w = m_device->PrintableTwips().width();
        return w > 0 ? m_userWidth / w : 1.0;
    }
    case vbPixels: return m_device->Resolution() / TwipsPerInch;
    case vbInches: return 1.0 / TwipsPerInch;
    case vbMillimeters: return 1.0 / TwipsPerMM;
    default: return 1.0;
    }
}

double Printer::unitsPerTwipY(int unit) const
{
    if (unit == vbUser) {
        const double h = m_device->PrintableTwips().height();
        return h > 0 ? m_userHeight / h : 1.0;
    }
    return unitsPerTwipX(unit);
}

double Printer::ScaleWidth() const
{
    return m_scaleMode == vbUser ? m_userWidth : m_device->PrintableTwips().width() * unitsPerTwipX(m_scaleMode);
}

double Printer::ScaleHeight() const
{
    return m_scaleMode == vbUser ? m_userHeight : m_device->PrintableTwips().height() * unitsPerTwipY(m_scaleMode);
}

void Printer::SetScaleWidth(double w)
{
    SetScaleMode(vbUser);
    if (w > 0)
        m_userWidth = w;
}

void Printer::SetScaleHeight(double h)
{
    SetScaleMode(vbUser);
    if (h > 0)
        m_userHeight = h;
}

double Printer::ScaleX(double value, int from, int to) const
{
    if (to < 0)
        to = m_scaleMode;
    return value / unitsPerTwipX(from) * unitsPerTwipX(to);
}

double Printer::ScaleY(double value, int from, int to) const
{
    if (to < 0)
        to = m_scaleMode;
    return value / unitsPerTwipY(from) * unitsPerTwipY(to);
}

double Printer::TwipsPerPixelX() const { return ScaleX(1, vbPixels); }
double Printer::TwipsPerPixelY() const { return ScaleY(1, vbPixels); }

void Printer::SetFontName(const QString &name)
{
    if (!name.isEmpty())
        m_font.setFamily(name);
}

void Printer::SetFontSize(double points)
{
    if (points > 0)
        m_font.setPointSizeF(points);
}

static QStringList linesOf(const QString &text)
{
    QString t = text;
    t.remove(QLatin1Char('\r'));
    return t.split(QLatin1Char('\n'));
}

double Printer::TextWidth(const QString &text) const
{
    if (!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return m_device->TextWidth(m_font, text) * unitsPerTwipX(m_scaleMode);
    double widest = 0;
    for (const QString &line : linesOf(text))
        widest = std::max(widest, m_device->TextWidth(m_font, line));
    return widest * unitsPerTwipX(m_scaleMode);
}

double Printer::TextHeight(const QString &text) const
{
    const auto lines = text.contains(QLatin1Char('\n')) ? linesOf(text).size() : 1;
    return lines * m_device->LineHeight(m_font) * unitsPerTwipY(m_scaleMode);
}

void Printer::ensureDoc()
{
    if (m_docOpen)
        return;
    m_device->BeginDoc();
    m_docOpen = true;
}

void Printer::Print(const QString &text, bool endLine)
{
    ensureDoc();
    if (!text.isEmpty())
        m_device->DrawText(QPointF(toTwipsX(m_x), toTwipsY(m_y)), m_font, winsys::FromVbColor(long(m_foreColor)), text);
    if (endLine) {
        m_x = 0;
        m_y += TextHeight(text);
    } else {
        m_x += TextWidth(text);
    }
}

void Printer::Line(double x1, double y1, double x2, double y2, long long color)
{
    ensureDoc();
    const QColor c = winsys::FromVbColor(long(color < 0 ? m_foreColor : color));
    m_device->DrawLine(QPointF(toTwipsX(x1), toTwipsY(y1)), QPointF(toTwipsX(x2), toTwipsY(y2)), c);
    m_x = x2;
    m_y = y2;
}

void Printer::Box(double x1, double y1, double x2, double y2)
{
    ensureDoc();
    const QRectF box(QPointF(toTwipsX(x1), toTwipsY(y1)), QPointF(toTwipsX(x2), toTwipsY(y2)));
    const QColor outline = m_drawStyle == vbInvisible ? QColor() : winsys::FromVbColor(long(m_foreColor));
    const QColor fill = m_fillStyle == vbSolid ? winsys::FromVbColor(long(m_fillColor)) : QColor();
    m_device->DrawBox(box.normalized(), outline, fill);
    m_x = x2;
    m_y = y2;
}

void Printer::NewPage()
{
    ensureDoc();
    m_device->NewPage();
    m_x = 0;
    m_y = 0;
}

void Printer::EndDoc()
{
    if (!m_docOpen)
        return;
    m_docOpen = false;
    m_device->EndDoc();
}

void Printer::KillDoc()
{
    if (!m_docOpen)
        return;
    m_docOpen = false;
    m_device->KillDoc();
}

} // namespace printer
