#pragma once
// The current printer as the print window draws on it: a scale (twips, or a
// user scale that maps a chosen width and height onto the printable area), a
// current position, a font, colours and fill settings, and the drawing
// operations Print, Line and Box, all in the current scale. It forwards to a
// PrinterDevice, which it owns.
//
// Positions are measured from the printable area's top-left corner. Fonts
// are sized in points whatever the scale, so under a user scale that shrinks
// the page's content the text must be made smaller by the caller.

#include "platform/printer/PrinterDevice.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <memory>

namespace printer {

// Scale units of ScaleMode and of the conversions.
enum ScaleUnit : int { vbUser = 0, vbTwips = 1, vbPixels = 3, vbInches = 5, vbMillimeters = 6 };
// DrawStyle and FillStyle values used here.
enum : int { vbSolid = 0, vbInvisible = 5, vbFSTransparent = 1 };

class Printer {
public:
    explicit Printer(std::unique_ptr<PrinterDevice> device);
    ~Printer();

    PrinterDevice &Device() { return *m_device; }
    const PrinterDevice &Device() const { return *m_device; }
    QString DeviceName() const { return m_device->DeviceName(); }
    QString Port() const { return m_device->Port(); }

    // --- Paper -------------------------------------------------------------
    int Orientation() const { return m_device->Orientation(); }
    void SetOrientation(int orientation);
    int PaperSize() const { return m_device->PaperSize(); }
    void SetPaperSize(int code);
    int Copies() const { return m_device->Copies(); }
    void SetCopies(int copies) { m_device->SetCopies(copies); }
    // The paper's width and height in twips.
    double Width() const { return m_device->PaperTwips().width(); }
    double Height() const { return m_device->PaperTwips().height(); }

    // --- Scale ---------------------------------------------------------------
    int ScaleMode() const { return m_scaleMode; }
    // Any mode but vbUser resets the scale to the printable area in that unit.
    void SetScaleMode(int mode);
    // The printable area's width and height in the current scale.
    double ScaleWidth() const;
    double ScaleHeight() const;
    // Setting either makes the scale a user scale.
    void SetScaleWidth(double w);
    void SetScaleHeight(double h);
    // A length converted between units (vbUser is the current user scale).
    double ScaleX(double value, int from = vbTwips, int to = -1) const;
    double ScaleY(double value, int from = vbTwips, int to = -1) const;
    double TwipsPerPixelX() const;
    double TwipsPerPixelY() const;

    // --- Font ----------------------------------------------------------------
    QString FontName() const { return m_font.family(); }
    void SetFontName(const QString &name);
    double FontSize() const { return m_font.pointSizeF(); }
    void SetFontSize(double points);
    bool FontBold() const { return m_font.bold(); }
    void SetFontBold(bool on) { m_font.setBold(on); }
    bool FontItalic() const { return m_font.italic(); }
    void SetFontItalic(bool on) { m_font.setItalic(on); }
    bool FontUnderline() const { return m_font.underline(); }
    void SetFontUnderline(bool on) { m_font.setUnderline(on); }
    const QFont &Font() const { return m_font; }
    bool FontTransparent() const { return m_fontTransparent; }
    void SetFontTransparent(bool on) { m_fontTransparent = on; }

    // Text measures in the current scale; a text with line breaks measures
    // as its lines stacked, as wide as its widest line.
    double TextWidth(const QString &text) const;
    double TextHeight(const QString &text) const;

    // --- Drawing state ---------------------------------------------------------
    double CurrentX() const { return m_x; }
    void SetCurrentX(double x) { m_x = x; }
    double CurrentY() const { return m_y; }
    void SetCurrentY(double y) { m_y = y; }
    long long ForeColor() const { return m_foreColor; }
    void SetForeColor(long long c) { m_foreColor = c; }
    long long FillColor() const { return m_fillColor; }
    void SetFillColor(long long c) { m_fillColor = c; }
    int FillStyle() const { return m_fillStyle; }
    void SetFillStyle(int s) { m_fillStyle = s; }
    int DrawStyle() const { return m_drawStyle; }
    void SetDrawStyle(int s) { m_drawStyle = s; }

    // --- Drawing ---------------------------------------------------------------
    // Prints text at the current position in the font and ForeColor; with
    // endLine the position moves to the start of the next line, else to the
    // text's end.
    void Print(const QString &text, bool endLine = true);
    // A line in the colour given, or in ForeColor (color < 0).
    void Line(double x1, double y1, double x2, double y2, long long color = -1);
    // A rectangle outlined in ForeColor (none with DrawStyle vbInvisible) and
    // filled with FillColor when FillStyle is vbSolid.
    void Box(double x1, double y1, double x2, double y2);
    void NewPage();
    void EndDoc();
    void KillDoc();
    // Whether a job has begun and not ended.
    bool DocOpen() const { return m_docOpen; }

private:
    double unitsPerTwipX(int unit) const;
    double unitsPerTwipY(int unit) const;
    double toTwipsX(double v) const { return v / unitsPerTwipX(m_scaleMode); }
    double toTwipsY(double v) const { return v / unitsPerTwipY(m_scaleMode); }
    void ensureDoc();

    std::unique_ptr<PrinterDevice> m_device;
    int m_scaleMode = vbTwips;
    double m_userWidth = 0;
    double m_userHeight = 0;
    QFont m_font;
    bool m_fontTransparent = true;
    double m_x = 0;
    double m_y = 0;
    long long m_foreColor = 0;
    long long m_fillColor = 0;
    int m_fillStyle = vbFSTransparent;
    int m_drawStyle = vbSolid;
    bool m_docOpen = false;
};

} // namespace printer
