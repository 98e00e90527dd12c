#include "ui/Graphics.h"

#include "ui/Properties.h"
#include "ui/Streams.h"

#include <algorithm>
#include <cstring>

namespace ui {

COLORREF ColorToRGB(TColor color) noexcept
{
    if (IsSystemColor(color))
        return GetSysColor(static_cast<int>(color & 0xFF));
    return color & 0xFFFFFF;
}

int ScreenPixelsPerInch() noexcept
{
    static const int ppi = [] {
        const auto screen = UniqueWindowDC::Client(nullptr);
        const int value = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
        return value > 0 ? value : 96;
    }();
    return ppi;
}

} // namespace ui

namespace {

// Output of the GDI object constructors: a null handle means the process ran out of GDI handles.
template <typename Unique>
Unique Checked(typename Unique::Type handle)
{
    if (!handle)
        throw EOutOfResources("Out of system resources");
    return Unique(handle);
}

// Copies a face name into LOGFONT's 32 bytes without splitting a double-byte character.
void CopyFaceName(const std::string& name, char (&face)[LF_FACESIZE])
{
    std::size_t n = 0;
    while (n < name.size()) {
        const auto lead = static_cast<unsigned char>(name[n]);
        const std::size_t width = lead >= 0x81 && lead <= 0xFE && n + 1 < name.size() ? 2 : 1;
        if (n + width > LF_FACESIZE - 1)
            break;
        n += width;
    }
    std::memcpy(face, name.data(), n);
    face[n] = '\0';
}

} // namespace

// ---- Class information and published properties

constinit const TClassInfo TGraphicsObject::ClassInfo =
    ui::ClassOf<TGraphicsObject>("TGraphicsObject", TPersistent::ClassInfo);
constinit const TClassInfo TFont::ClassInfo = ui::ClassOf<TFont>("TFont", TGraphicsObject::ClassInfo);
constinit const TClassInfo TBrush::ClassInfo = ui::ClassOf<TBrush>("TBrush", TGraphicsObject::ClassInfo);
constinit const TClassInfo TPen::ClassInfo = ui::ClassOf<TPen>("TPen", TGraphicsObject::ClassInfo);
constinit const TClassInfo TGraphic::ClassInfo = ui::ClassOf<TGraphic>("TGraphic", TPersistent::ClassInfo);
constinit const TClassInfo TCanvas::ClassInfo = ui::ClassOf<TCanvas>("TCanvas", TPersistent::ClassInfo);

namespace {
constexpr std::string_view fontStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
constexpr ui::TEnumInfo fontStyleInfo{"TFontStyle", fontStyleNames};
constexpr std::string_view fontPitchNames[] = {"fpDefault", "fpVariable", "fpFixed"};
constexpr ui::TEnumInfo fontPitchInfo{"TFontPitch", fontPitchNames};
constexpr std::string_view brushStyleNames[] = {"bsSolid",     "bsClear",     "bsHorizontal", "bsVertical",
                                                "bsFDiagonal", "bsBDiagonal", "bsCross",      "bsDiagCross"};
constexpr ui::TEnumInfo brushStyleInfo{"TBrushStyle", brushStyleNames};
constexpr std::string_view penStyleNames[] = {"psSolid", "psDash",  "psDot",        "psDashDot",
                                              "psDashDotDot", "psClear", "psInsideFrame"};
constexpr ui::TEnumInfo penStyleInfo{"TPenStyle", penStyleNames};
constexpr std::string_view penModeNames[] = {"pmBlack", "pmNotMerge", "pmMaskNotPen", "pmNotCopy",
                                             "pmMaskPenNot", "pmNot", "pmXor", "pmNotMask",
                                             "pmMask", "pmNotXor", "pmNop", "pmMergeNotPen",
                                             "pmCopy", "pmMergePenNot", "pmMerge", "pmWhite"};
constexpr ui::TEnumInfo penModeInfo{"TPenMode", penModeNames};
} // namespace

void TFont::Publish(ui::TPublisher<TFont>& p)
{
    p.Integer("Charset", &TFont::Charset, &TFont::SetCharset).Default(DEFAULT_CHARSET);
    p.Colour("Color", &TFont::Color, &TFont::SetColor);
    p.Integer("Height", &TFont::Height, &TFont::SetHeight);
    p.Text("Name", &TFont::Name, &TFont::SetName);
    p.Enum("Pitch", fontPitchInfo, &TFont::Pitch, &TFont::SetPitch).Default(fpDefault);
    // Height says the same; Size is for people and for code.
    p.Integer("Size", &TFont::Size, &TFont::SetSize).Stored(false);
    p.Set("Style", fontStyleInfo, &TFont::Style, &TFont::SetStyle);
}

void TBrush::Publish(ui::TPublisher<TBrush>& p)
{
    p.Colour("Color", &TBrush::Color, &TBrush::SetColor).Default(clWhite);
    p.Enum("Style", brushStyleInfo, &TBrush::Style, &TBrush::SetStyle).Default(bsSolid);
}

void TPen::Publish(ui::TPublisher<TPen>& p)
{
    p.Colour("Color", &TPen::Color, &TPen::SetColor).Default(clBlack);
    p.Enum("Mode", penModeInfo, &TPen::Mode, &TPen::SetMode).Default(pmCopy);
    p.Enum("Style", penStyleInfo, &TPen::Style, &TPen::SetStyle).Default(psSolid);
    p.Integer("Width", &TPen::Width, &TPen::SetWidth).Default(1);
}

// ---- TGraphicsObject

void TGraphicsObject::Changed(bool handleChanged)
{
    if (beforeHandleChange_)
        beforeHandleChange_();
    if (handleChanged)
        FreeHandle();
    OnChange(this);
}

// ---- TFont

TFont::TFont() : name_("宋体"), height_(-12), color_(clWindowText) {}

TFont::~TFont() = default;

HFONT TFont::Handle()
{
    if (!handle_) {
        const LOGFONTA logFont = LogFont();
        handle_ = Checked<ui::UniqueFont>(CreateFontIndirectA(&logFont));
    }
    return handle_.get();
}

void TFont::SetHandle(ui::UniqueFont font)
{
    LOGFONTA logFont{};
    if (font && GetObjectA(font.get(), sizeof logFont, &logFont) == sizeof logFont) {
        name_ = logFont.lfFaceName;
        height_ = logFont.lfHeight;
        charset_ = logFont.lfCharSet;
        style_ = {};
        if (logFont.lfWeight >= FW_BOLD)
            style_.Include(fsBold);
        if (logFont.lfItalic)
            style_.Include(fsItalic);
        if (logFont.lfUnderline)
            style_.Include(fsUnderline);
        if (logFont.lfStrikeOut)
            style_.Include(fsStrikeOut);
        const int pitch = logFont.lfPitchAndFamily & 3;
        pitch_ = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
    }
    Changed();
    handle_ = std::move(font);
}

void TFont::SetName(std::string_view name)
{
    if (name_ != name) {
        name_ = name;
        Changed();
    }
}

void TFont::SetHeight(int height)
{
    if (height_ != height) {
        height_ = height;
        Changed();
    }
}

int TFont::Size() const noexcept { return -MulDiv(height_, 72, ui::ScreenPixelsPerInch()); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, ui::ScreenPixelsPerInch(), 72)); }

void TFont::SetStyle(TFontStyles style)
{
    if (style_ != style) {
        style_ = style;
        Changed();
    }
}

void TFont::SetColor(TColor color)
{
    if (color_ != color) {
        color_ = color;
        // The colour is the DC's text colour, not part of the font.
        Changed(false);
    }
}

void TFont::SetCharset(BYTE charset)
{
    if (charset_ != charset) {
        charset_ = charset;
        Changed();
    }
}

void TFont::SetPitch(TFontPitch pitch)
{
    if (pitch_ != pitch) {
        pitch_ = pitch;
        Changed();
    }
}

void TFont::Assign(const TPersistent& source)
{
    const TFont* font = ui::As<TFont>(&source);
    if (!font) {
        TPersistent::Assign(source);
        return;
    }
    if (font == this)
        return;
    name_ = font->name_;
    height_ = font->height_;
    style_ = font->style_;
    color_ = font->color_;
    charset_ = font->charset_;
    pitch_ = font->pitch_;
    Changed();
}

LOGFONTA TFont::LogFont() const noexcept
{
    LOGFONTA logFont{};
    logFont.lfHeight = height_;
    logFont.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = style_.Contains(fsItalic);
    logFont.lfUnderline = style_.Contains(fsUnderline);
    logFont.lfStrikeOut = style_.Contains(fsStrikeOut);
    logFont.lfCharSet = charset_;
    logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
    logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    logFont.lfQuality = DEFAULT_QUALITY;
    logFont.lfPitchAndFamily = static_cast<BYTE>(pitch_ == fpFixed      ? FIXED_PITCH
                                                 : pitch_ == fpVariable ? VARIABLE_PITCH
                                                                        : DEFAULT_PITCH);
    CopyFaceName(name_, logFont.lfFaceName);
    return logFont;
}

// ---- TBrush

TBrush::TBrush() : color_(clWhite) {}

TBrush::~TBrush() = default;

HBRUSH TBrush::Handle()
{
    if (!handle_) {
        LOGBRUSH logBrush{};
        logBrush.lbColor = ui::ColorToRGB(color_);
        switch (style_) {
        case bsSolid: logBrush.lbStyle = BS_SOLID; break;
        case bsClear: logBrush.lbStyle = BS_HOLLOW; break;
        default:
            logBrush.lbStyle = BS_HATCHED;
            logBrush.lbHatch = static_cast<ULONG_PTR>(style_ - bsHorizontal) + HS_HORIZONTAL;
            break;
        }
        handle_ = Checked<ui::UniqueBrush>(CreateBrushIndirect(&logBrush));
    }
    return handle_.get();
}

void TBrush::SetColor(TColor color)
{
    if (color_ != color) {
        color_ = color;
        // A colour on a clear brush means the caller wants it painted.
        if (style_ == bsClear)
            style_ = bsSolid;
        Changed();
    }
}

void TBrush::SetStyle(TBrushStyle style)
{
    if (style_ != style) {
        style_ = style;
        Changed();
    }
}

void TBrush::Assign(const TPersistent& source)
{
    const TBrush* brush = ui::As<TBrush>(&source);
    if (!brush) {
        TPersistent::Assign(source);
        return;
    }
    if (brush == this)
        return;
    color_ = brush->color_;
    style_ = brush->style_;
    Changed();
}

// ---- TPen

TPen::TPen() : color_(clBlack) {}

TPen::~TPen() = default;

HPEN TPen::Handle()
{
    if (!handle_) {
        LOGPEN logPen{};
        logPen.lopnStyle = static_cast<UINT>(style_);  // the PS_ constants in the same order
        logPen.lopnWidth.x = width_;
        logPen.lopnColor = ui::ColorToRGB(color_);
        handle_ = Checked<ui::UniquePen>(CreatePenIndirect(&logPen));
    }
    return handle_.get();
}

void TPen::SetColor(TColor color)
{
    if (color_ != color) {
        color_ = color;
        Changed();
    }
}

void TPen::SetWidth(int width)
{
    if (width_ != width && width >= 0) {
        width_ = width;
        Changed();
    }
}

void TPen::SetStyle(TPenStyle style)
{
    if (style_ != style) {
        style_ = style;
        Changed();
    }
}

void TPen::SetMode(TPenMode mode)
{
    if (mode_ != mode) {
        mode_ = mode;
        // The mode is the DC's raster operation, not part of the pen.
        Changed(false);
    }
}

void TPen::Assign(const TPersistent& source)
{
    const TPen* pen = ui::As<TPen>(&source);
    if (!pen) {
        TPersistent::Assign(source);
        return;
    }
    if (pen == this)
        return;
    color_ = pen->color_;
    width_ = pen->width_;
    style_ = pen->style_;
    mode_ = pen->mode_;
    Changed();
}

// ---- TGraphic

void TGraphic::SetTransparent(bool value)
{
    if (transparent_ != value) {
        transparent_ = value;
        Changed();
    }
}

void TGraphic::SetModified(bool value)
{
    if (value)
        Changed();
    else
        modified_ = false;
}

void TGraphic::Changed()
{
    modified_ = true;
    OnChange(this);
}

void TGraphic::LoadFromStream(TStream& stream)
{
    std::vector<std::uint8_t> data(static_cast<std::size_t>(stream.Remaining()));
    stream.ReadBuffer(data.data(), data.size());
    LoadFromBytes(data);
}

void TGraphic::SaveToStream(TStream& stream) const
{
    const auto data = SaveToBytes();
    stream.WriteBuffer(data.data(), data.size());
}

void TGraphic::LoadFromFile(std::string_view fileName)
{
    TFileStream file(fileName, fmOpenRead);
    LoadFromStream(file);
}

void TGraphic::SaveToFile(std::string_view fileName) const
{
    // Encode first, so that a graphic that cannot be written leaves no empty file behind.
    const auto data = SaveToBytes();
    TFileStream file(fileName, fmCreate);
    file.WriteBuffer(data.data(), data.size());
}

// ---- TCanvas

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()), brush_(std::make_unique<TBrush>()), pen_(std::make_unique<TPen>())
{
    // A changed object must leave the DC before its old handle is deleted.
    font_->beforeHandleChange_ = [this] {
        if (state_ & FontValid) {
            ::SelectObject(dc_, originalFont_);
            originalFont_ = nullptr;
            state_ &= ~FontValid;
        }
    };
    pen_->beforeHandleChange_ = [this] {
        if (state_ & PenValid) {
            ::SelectObject(dc_, originalPen_);
            originalPen_ = nullptr;
            state_ &= ~PenValid;
        }
    };
    brush_->beforeHandleChange_ = [this] {
        if (state_ & BrushValid) {
            ::SelectObject(dc_, originalBrush_);
            originalBrush_ = nullptr;
            state_ &= ~BrushValid;
        }
    };
}

TCanvas::~TCanvas() { DeselectHandles(); }

HDC TCanvas::Handle()
{
    RequiredState(HandleValid);
    return dc_;
}

void TCanvas::SetHandle(HDC dc) noexcept
{
    if (dc_ == dc)
        return;
    DeselectHandles();
    dc_ = dc;
    state_ = dc ? unsigned{HandleValid} : 0u;
}

POINT TCanvas::PenPos()
{
    RequiredState(HandleValid);
    POINT position{};
    ::GetCurrentPositionEx(dc_, &position);
    return position;
}

void TCanvas::Lock()
{
    lock_.lock();
    ++lockCount_;
}

void TCanvas::Unlock()
{
    --lockCount_;
    lock_.unlock();
}

bool TCanvas::TryLock()
{
    if (!lock_.try_lock())
        return false;
    ++lockCount_;
    return true;
}

void TCanvas::MoveTo(int x, int y)
{
    RequiredState(HandleValid);
    ::MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y)
{
    Changing();
    RequiredState(HandleValid | PenValid | BrushValid);
    ::LineTo(dc_, x, y);
    Changed();
}

void TCanvas::Rectangle(const RECT& rect)
{
    Changing();
    RequiredState(HandleValid | PenValid | BrushValid);
    ::Rectangle(dc_, rect.left, rect.top, rect.right, rect.bottom);
    Changed();
}

void TCanvas::Ellipse(const RECT& rect)
{
    Changing();
    RequiredState(HandleValid | PenValid | BrushValid);
    ::Ellipse(dc_, rect.left, rect.top, rect.right, rect.bottom);
    Changed();
}

void TCanvas::Polyline(std::span<const POINT> points)
{
    Changing();
    RequiredState(HandleValid | PenValid | BrushValid);
    ::Polyline(dc_, points.data(), static_cast<int>(points.size()));
    Changed();
}

void TCanvas::Polygon(std::span<const POINT> points)
{
    Changing();
    RequiredState(HandleValid | PenValid | BrushValid);
    ::Polygon(dc_, points.data(), static_cast<int>(points.size()));
    Changed();
}

void TCanvas::FillRect(const RECT& rect)
{
    Changing();
    RequiredState(HandleValid | BrushValid);
    ::FillRect(dc_, &rect, brush_->Handle());
    Changed();
}

void TCanvas::FrameRect(const RECT& rect)
{
    Changing();
    RequiredState(HandleValid | BrushValid);
    ::FrameRect(dc_, &rect, brush_->Handle());
    Changed();
}

void TCanvas::TextOut(int x, int y, std::string_view text)
{
    Changing();
    RequiredState(HandleValid | FontValid | BrushValid);
    ::TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
    Changed();
}

void TCanvas::TextOut(int x, int y, std::wstring_view text)
{
    Changing();
    RequiredState(HandleValid | FontValid | BrushValid);
    ::TextOutW(dc_, x, y, text.data(), static_cast<int>(text.size()));
    Changed();
}

void TCanvas::TextRect(const RECT& rect, int x, int y, std::string_view text)
{
    Changing();
    RequiredState(HandleValid | FontValid | BrushValid);
    const UINT options = brush_->Style() == bsClear ? ETO_CLIPPED : ETO_CLIPPED | ETO_OPAQUE;
    ::ExtTextOutA(dc_, x, y, options, &rect, text.data(), static_cast<UINT>(text.size()), nullptr);
    Changed();
}

SIZE TCanvas::TextExtent(std::string_view text)
{
    RequiredState(HandleValid | FontValid);
    SIZE size{};
    ::GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

int TCanvas::DrawText(std::string_view text, RECT& rect, UINT format)
{
    Changing();
    RequiredState(HandleValid | FontValid | BrushValid);
    // The text is not ours to modify.
    const int height = ::DrawTextA(dc_, text.data(), static_cast<int>(text.size()), &rect, format & ~DT_MODIFYSTRING);
    Changed();
    return height;
}

int TCanvas::DrawText(std::wstring_view text, RECT& rect, UINT format)
{
    Changing();
    RequiredState(HandleValid | FontValid | BrushValid);
    const int height = ::DrawTextW(dc_, text.data(), static_cast<int>(text.size()), &rect, format & ~DT_MODIFYSTRING);
    Changed();
    return height;
}

void TCanvas::Draw(int x, int y, TGraphic& graphic)
{
    if (graphic.Empty())
        return;
    const RECT rect{x, y, x + graphic.Width(), y + graphic.Height()};
    Changing();
    RequiredState(HandleValid);
    graphic.Draw(*this, rect);
    Changed();
}

void TCanvas::StretchDraw(const RECT& rect, TGraphic& graphic)
{
    if (graphic.Empty())
        return;
    Changing();
    RequiredState(HandleValid);
    graphic.Draw(*this, rect);
    Changed();
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect)
{
    Changing();
    RequiredState(HandleValid | FontValid | BrushValid);
    source.RequiredState(HandleValid | FontValid | BrushValid);
    ::StretchBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, source.dc_,
                 sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left,
                 sourceRect.bottom - sourceRect.top, copyMode_);
    Changed();
}

TColor TCanvas::Pixel(int x, int y)
{
    RequiredState(HandleValid);
    return ::GetPixel(dc_, x, y);
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    Changing();
    RequiredState(HandleValid | PenValid);
    ::SetPixel(dc_, x, y, ui::ColorToRGB(color));
    Changed();
}

RECT TCanvas::ClipRect()
{
    RequiredState(HandleValid);
    RECT rect{};
    ::GetClipBox(dc_, &rect);
    return rect;
}

void TCanvas::Refresh()
{
    DeselectHandles();
    state_ &= HandleValid;
}

void TCanvas::Changing() { OnChanging(this); }

void TCanvas::Changed() { OnChange(this); }

void TCanvas::RequiredState(unsigned state)
{
    const unsigned missing = state & ~state_;
    if (missing == 0)
        return;
    if (missing & HandleValid) {
        CreateHandle();
        if (!dc_)
            throw EInvalidGraphicOperation("Canvas does not allow drawing");
    }
    if (missing & FontValid)
        SelectFont();
    if (missing & PenValid)
        SelectPen();
    if (missing & BrushValid)
        SelectBrush();
    state_ |= missing;
}

void TCanvas::SelectFont()
{
    const HGDIOBJ previous = ::SelectObject(dc_, font_->Handle());
    if (!originalFont_)
        originalFont_ = previous;
    ::SetTextColor(dc_, ui::ColorToRGB(font_->Color()));
}

void TCanvas::SelectPen()
{
    const HGDIOBJ previous = ::SelectObject(dc_, pen_->Handle());
    if (!originalPen_)
        originalPen_ = previous;
    ::SetROP2(dc_, static_cast<int>(pen_->Mode()) + R2_BLACK);
}

void TCanvas::SelectBrush()
{
    const HGDIOBJ previous = ::SelectObject(dc_, brush_->Handle());
    if (!originalBrush_)
        originalBrush_ = previous;
    ::SetBkColor(dc_, ui::ColorToRGB(brush_->Color()));
    ::SetBkMode(dc_, brush_->Style() == bsSolid ? OPAQUE : TRANSPARENT);
}

void TCanvas::DeselectHandles() noexcept
{
    if (dc_) {
        if (originalFont_)
            ::SelectObject(dc_, originalFont_);
        if (originalPen_)
            ::SelectObject(dc_, originalPen_);
        if (originalBrush_)
            ::SelectObject(dc_, originalBrush_);
    }
    originalFont_ = originalPen_ = originalBrush_ = nullptr;
    state_ &= ~(FontValid | PenValid | BrushValid);
}
