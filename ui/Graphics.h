// Drawing objects: font, brush and pen, the canvas that draws with them on a
// device context, and the base of every picture kind (TGraphic).
//
// A graphics object describes itself by properties and makes its GDI handle
// only when somebody asks for it; changing a property throws the handle away.
// A canvas selects the handles of its own font, pen and brush into its DC on
// demand and puts the DC's original objects back before it lets the DC go,
// so that neither the DC nor the objects stay locked to each other.
#pragma once

#include "ui/Color.h"
#include "ui/Events.h"
#include "ui/Exceptions.h"
#include "ui/Handles.h"
#include "ui/Persistent.h"
#include "ui/Sets.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TCanvas;
class TStream;

namespace ui {
template <class T>
class TPublisher;
class ScopedCanvasBinding;
}

// A picture could not be read, written or drawn.
class EInvalidGraphic : public Exception {
    using Exception::Exception;
};
// An operation the graphic or canvas cannot do in its present state.
class EInvalidGraphicOperation : public Exception {
    using Exception::Exception;
};
// The system refused a GDI object (the process ran out of handles or memory).
class EOutOfResources : public Exception {
    using Exception::Exception;
};

namespace ui {
// A colour as Win32 wants it: system colours (top byte 0xFF) resolved with GetSysColor.
COLORREF ColorToRGB(TColor color) noexcept;
// Pixels per logical inch of the screen, used to turn font sizes into heights.
int ScreenPixelsPerInch() noexcept;
} // namespace ui

// ---- Font, brush, pen

// Common part: change notification. Before a property change throws the
// handle away, the canvas that has it selected is told to let go of it.
class TGraphicsObject : public TPersistent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    // Called after every property change, with the object as sender.
    TNotifyEvent OnChange;

protected:
    // Runs the canvas's release hook, frees the handle unless the change does
    // not concern it (a font's colour, a pen's mode), then fires OnChange.
    void Changed(bool handleChanged = true);
    virtual void FreeHandle() noexcept = 0;

private:
    friend class TCanvas;
    std::function<void()> beforeHandleChange_;
};

enum TFontStyle : unsigned { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;

enum TFontPitch { fpDefault, fpVariable, fpFixed };

class TFont : public TGraphicsObject {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TFont>& p);

    TFont();
    ~TFont() override;

    // The handle for the current properties, made on first use. The font keeps ownership.
    HFONT Handle();
    // Takes a font made elsewhere (e.g. CreateFontIndirect from the system's
    // caption font); the properties are read back from it.
    void SetHandle(ui::UniqueFont font);

    const std::string& Name() const noexcept { return name_; }
    void SetName(std::string_view name);
    // Character height in pixels when negative, cell height when positive.
    int Height() const noexcept { return height_; }
    void SetHeight(int height);
    // Points, from and to Height through the screen's resolution.
    int Size() const noexcept;
    void SetSize(int points);
    TFontStyles Style() const noexcept { return style_; }
    void SetStyle(TFontStyles style);
    TColor Color() const noexcept { return color_; }
    void SetColor(TColor color);
    BYTE Charset() const noexcept { return charset_; }
    void SetCharset(BYTE charset);
    TFontPitch Pitch() const noexcept { return pitch_; }
    void SetPitch(TFontPitch pitch);

    void Assign(const TPersistent& source) override;
    // The LOGFONT the handle is made from.
    LOGFONTA LogFont() const noexcept;

protected:
    void FreeHandle() noexcept override { handle_.reset(); }

private:
    std::string name_;
    int height_;
    TFontStyles style_;
    TColor color_;
    BYTE charset_ = DEFAULT_CHARSET;
    TFontPitch pitch_ = fpDefault;
    ui::UniqueFont handle_;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TBrush>& p);

    TBrush();
    ~TBrush() override;

    HBRUSH Handle();
    TColor Color() const noexcept { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const noexcept { return style_; }
    void SetStyle(TBrushStyle style);
    void Assign(const TPersistent& source) override;

protected:
    void FreeHandle() noexcept override { handle_.reset(); }

private:
    TColor color_;
    TBrushStyle style_ = bsSolid;
    ui::UniqueBrush handle_;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// Raster operations of SetROP2, in the order of the R2_ constants.
enum TPenMode {
    pmBlack, pmNotMerge, pmMaskNotPen, pmNotCopy, pmMaskPenNot, pmNot, pmXor, pmNotMask,
    pmMask, pmNotXor, pmNop, pmMergeNotPen, pmCopy, pmMergePenNot, pmMerge, pmWhite,
};

class TPen : public TGraphicsObject {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TPen>& p);

    TPen();
    ~TPen() override;

    HPEN Handle();
    TColor Color() const noexcept { return color_; }
    void SetColor(TColor color);
    int Width() const noexcept { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const noexcept { return style_; }
    void SetStyle(TPenStyle style);
    TPenMode Mode() const noexcept { return mode_; }
    void SetMode(TPenMode mode);
    void Assign(const TPersistent& source) override;

protected:
    void FreeHandle() noexcept override { handle_.reset(); }

private:
    TColor color_;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    TPenMode mode_ = pmCopy;
    ui::UniquePen handle_;
};

// ---- Graphic: anything a canvas can draw (bitmap, icon, JPEG picture)

class TGraphic : public TPersistent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const { return Width() == 0 || Height() == 0; }
    // Draw with the transparent parts left out (what "transparent" means is the kind's own).
    bool Transparent() const noexcept { return transparent_; }
    virtual void SetTransparent(bool value);

    // A whole file of the graphic's format.
    virtual void LoadFromBytes(std::span<const std::uint8_t> data) = 0;
    virtual std::vector<std::uint8_t> SaveToBytes() const = 0;
    // The stream from its position to its end holds one file of the format.
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    // File names are byte text (GBK); a missing file raises EFOpenError.
    void LoadFromFile(std::string_view fileName);
    void SaveToFile(std::string_view fileName) const;

    // Set by every change; owners (a picture) listen through OnChange.
    bool Modified() const noexcept { return modified_; }
    void SetModified(bool value);
    TNotifyEvent OnChange;

protected:
    friend class TCanvas;
    // Draws the whole graphic scaled into rect.
    virtual void Draw(TCanvas& canvas, const RECT& rect) = 0;
    void Changed();

private:
    bool transparent_ = false;
    bool modified_ = false;
};

// ---- Canvas

using TCopyMode = DWORD;  // a raster operation for BitBlt: SRCCOPY, SRCPAINT, ...

class TCanvas : public TPersistent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }

    TCanvas();
    ~TCanvas() override;

    // The DC, made first by CreateHandle when the canvas has none.
    HDC Handle();
    // Binds the canvas to a DC it does not own (or to none). The previous DC
    // gets its original objects back.
    void SetHandle(HDC dc) noexcept;
    bool HandleAllocated() const noexcept { return dc_ != nullptr; }

    TFont& Font() noexcept { return *font_; }
    TBrush& Brush() noexcept { return *brush_; }
    TPen& Pen() noexcept { return *pen_; }
    void SetFont(const TFont& font) { font_->Assign(font); }
    void SetBrush(const TBrush& brush) { brush_->Assign(brush); }
    void SetPen(const TPen& pen) { pen_->Assign(pen); }

    TCopyMode CopyMode() const noexcept { return copyMode_; }
    void SetCopyMode(TCopyMode mode) noexcept { copyMode_ = mode; }
    POINT PenPos();
    void SetPenPos(POINT position) { MoveTo(position.x, position.y); }

    // Serialises drawing from several threads; the program draws on one, but
    // a canvas shared with a worker must be locked around each use.
    void Lock();
    void Unlock();
    bool TryLock();
    int LockCount() const noexcept { return lockCount_; }

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Rectangle(const RECT& rect);
    void Ellipse(const RECT& rect);
    void Polyline(std::span<const POINT> points);
    void Polygon(std::span<const POINT> points);
    // Fill with the brush (no outline).
    void FillRect(const RECT& rect);
    // One-pixel outline with the brush.
    void FrameRect(const RECT& rect);
    void TextOut(int x, int y, std::string_view text);
    void TextOut(int x, int y, std::wstring_view text);
    // Text clipped to rect.
    void TextRect(const RECT& rect, int x, int y, std::string_view text);
    SIZE TextExtent(std::string_view text);
    int TextWidth(std::string_view text) { return TextExtent(text).cx; }
    int TextHeight(std::string_view text) { return TextExtent(text).cy; }
    // DrawText with the canvas font; returns the height of the text. With
    // DT_CALCRECT rect receives the measured size.
    int DrawText(std::string_view text, RECT& rect, UINT format);
    int DrawText(std::wstring_view text, RECT& rect, UINT format);

    // Draw a graphic at its own size, or scaled into rect. Transparent graphics
    // leave the canvas untouched where they are transparent.
    void Draw(int x, int y, TGraphic& graphic);
    void StretchDraw(const RECT& rect, TGraphic& graphic);
    // Copies (scaling if the sizes differ) with the canvas's CopyMode.
    void CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect);

    TColor Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);
    RECT ClipRect();
    // Lets go of the selected objects; they are selected again on next use.
    void Refresh();

    // Around every drawing operation: OnChanging before, OnChange after.
    TNotifyEvent OnChanging;
    TNotifyEvent OnChange;

protected:
    // A canvas that can make its own DC (a bitmap's, a control's) does it here.
    virtual void CreateHandle() {}
    void Changing();
    void Changed();

    enum StateBit : unsigned { HandleValid = 1, FontValid = 2, PenValid = 4, BrushValid = 8 };
    void RequiredState(unsigned state);
    // The DC stays, with its objects selected, but CreateHandle runs again
    // before the next drawing.
    void InvalidateHandle() noexcept { state_ &= ~unsigned{HandleValid}; }

private:
    friend class ui::ScopedCanvasBinding;  // saves and restores the binding as it was

    void SelectFont();
    void SelectPen();
    void SelectBrush();
    void DeselectHandles() noexcept;

    HDC dc_ = nullptr;
    unsigned state_ = 0;
    // What the DC had selected before the canvas put its own objects in.
    HGDIOBJ originalFont_ = nullptr;
    HGDIOBJ originalPen_ = nullptr;
    HGDIOBJ originalBrush_ = nullptr;
    std::unique_ptr<TFont> font_;
    std::unique_ptr<TBrush> brush_;
    std::unique_ptr<TPen> pen_;
    TCopyMode copyMode_ = SRCCOPY;
    std::recursive_mutex lock_;
    int lockCount_ = 0;
};
