// The window frame, the caption buttons, the MDI child buttons and the
// minimised caption.
#include "tools/skingen/Painting.h"
#include "tools/skingen/SkinPictures.h"
#include "tools/skingen/Theme.h"

#include <array>
#include <vector>

namespace skingen {

namespace {

struct CaptionStyle {
    Rgb top;
    Rgb bottom;
    Rgb edge;
    Rgb highlight;
    Rgb rim;
    double glaze;
    Rgb frameEdge;
    Rgb glyph;
};

struct ChromePainter : Theme {
    const CaptionStyle ACTIVE{CaptionTop, CaptionBottom, CaptionEdge, CaptionHighlight, CaptionRim,
                              CaptionGlaze, FrameEdge, CaptionGlyph};
    const CaptionStyle IDLE{IdleCaptionTop, IdleCaptionBottom, IdleCaptionEdge, IdleCaptionHighlight,
                            IdleCaptionRim, 0.0, IdleFrameEdge, IdleCaptionGlyph};

    // The caption's colour on a row inside the window outline: a highlight
    // line under the top edge, the gradient with a glaze fading out by the
    // middle, and a thin gilded rim that separates the caption from the body.
    Rgb CaptionRow(const CaptionStyle& style, int row) const
    {
        if (row <= 0) {
            return style.edge;
        }
        if (row >= TitleHeight - 1) {
            return style.rim;
        }
        if (row == 1) {
            return style.highlight;
        }
        const double t = double(row - 1) / (TitleHeight - 3);
        Rgb colour = Mix(style.top, style.bottom, t);
        const double glazeEnd = TitleHeight / 2.0;
        if (row < glazeEnd) {
            colour = Mix(colour, White, style.glaze * (1 - row / glazeEnd));
        }
        return colour;
    }

    // A whole small window, sliced afterwards into the four border pictures so
    // that the caption and the corners run on without seams.
    Image24 VirtualWindow(const CaptionStyle& style) const
    {
        const int width = 2 * BorderWidth + 2 * TopEnd + TopMiddle;
        Raster raster(width, SideHeight());
        raster.Fill(RoundRect(0, 0, width, SideHeight(), TopCornerRadius, BottomCornerRadius),
                    [&](double, double y) { return y < TitleHeight ? style.edge : style.frameEdge; });
        raster.Fill(RoundRect(1, 1, width - 1, SideHeight() - 1, TopCornerRadius - 1, BottomCornerRadius - 1),
                    [&](double, double y) {
                        const int row = int(y);
                        return row < TitleHeight ? CaptionRow(style, row) : ButtonFace;
                    });
        // Soft corner pixels stay opaque and blend into a guessed desktop; the
        // region built from the key cuts away the rest.
        return raster.Flatten(Solid(DesktopGuess), 0.3);
    }

    void AddFrames(PictureSet& pictures) const
    {
        const Image24 active = VirtualWindow(ACTIVE);
        const Image24 idle = VirtualWindow(IDLE);
        const int width = active.Width();
        const int bottomRow = SideHeight() - BottomHeight;
        const auto both = [&](auto cut, bool stacked) {
            const std::array frames{cut(active), cut(idle)};
            return JoinFrames(frames, stacked);
        };
        pictures["frameleft.bmp"] =
            both([&](const Image24& w) { return w.Crop(0, 0, BorderWidth, SideHeight()); }, false);
        pictures["frameright.bmp"] = both(
            [&](const Image24& w) { return w.Crop(width - BorderWidth, 0, BorderWidth, SideHeight()); },
            false);
        pictures["frametop.bmp"] = both(
            [&](const Image24& w) { return w.Crop(BorderWidth, 0, width - 2 * BorderWidth, TitleHeight); },
            true);
        pictures["framebottom.bmp"] = both(
            [&](const Image24& w) { return w.Crop(BorderWidth + TopEnd, bottomRow, BottomStrip, BottomHeight); },
            true);
    }

    // Glyphs sit on whole pixels so their one-pixel lines stay crisp; the
    // cross is one pixel smaller, odd-sized, so its strokes meet in one pixel.
    static int GlyphSize(WindowGlyph glyph, int size) { return glyph == WindowGlyph::Close ? size - 1 : size; }

    // Cells: 1 normal, 2 pressed, 3 hover, 4 inactive window. Each is drawn
    // over the caption rows it will cover, so soft edges need no key.
    Image24 CaptionButtonStrip(WindowGlyph glyph) const
    {
        const bool close = glyph == WindowGlyph::Close;
        const auto cell = [&](const CaptionStyle& style, int state) {
            Raster raster(CaptionButtonCell.width, CaptionButtonCell.height);
            const Shape pill = RoundRect(1, 0, CaptionButtonCell.width - 1, CaptionButtonCell.height, 4);
            Rgb glyphColour = style.glyph;
            if (state == 2) {
                raster.Fill(pill, close ? CinnabarDeep : CaptionPress, close ? 1.0 : 0.25);
                glyphColour = close ? White : CaptionGlyph;
            } else if (state == 3) {
                raster.Fill(pill, close ? Cinnabar : White, close ? 1.0 : 0.16);
                glyphColour = White;
            }
            const int size = GlyphSize(glyph, 10);
            raster.Fill(WindowGlyphShape(glyph, (CaptionButtonCell.width - size) / 2,
                                         (CaptionButtonCell.height - size) / 2, size),
                        glyphColour);
            const Paint backdrop = [this, &style](double, double y) {
                return CaptionRow(style, CaptionButtonTop() + int(y));
            };
            return raster.Flatten(backdrop, 0.04);
        };
        const std::array frames{cell(ACTIVE, 1), cell(ACTIVE, 2), cell(ACTIVE, 3), cell(IDLE, 4)};
        return JoinFrames(frames);
    }

    // Three groups of four cells (minimise, restore, close of the maximised
    // child window): 1 normal, 2 pressed, 3 inactive, 4 hover; on the menu bar.
    Image24 MdiButtonStrip() const
    {
        std::vector<Image24> frames;
        for (const WindowGlyph glyph : {WindowGlyph::Minimise, WindowGlyph::Restore, WindowGlyph::Close}) {
            const bool close = glyph == WindowGlyph::Close;
            for (int state = 1; state <= 4; ++state) {
                Raster raster(MdiButtonCell.width, MdiButtonCell.height);
                const Shape pill = RoundRect(0, 0, MdiButtonCell.width, MdiButtonCell.height, 3);
                Rgb glyphColour = TextSoft;
                if (state == 2) {
                    raster.Fill(pill, close ? CinnabarDeep : AccentSoft);
                    glyphColour = close ? White : AccentDeep;
                } else if (state == 3) {
                    glyphColour = DisabledMark;
                } else if (state == 4) {
                    raster.Fill(pill, close ? Cinnabar : AccentPale);
                    glyphColour = close ? White : Accent;
                }
                const int size = GlyphSize(glyph, 8);
                raster.Fill(WindowGlyphShape(glyph, (MdiButtonCell.width - size) / 2,
                                             (MdiButtonCell.height - size) / 2, size),
                            glyphColour);
                frames.push_back(raster.Flatten(Solid(Menubar), 0.04));
            }
        }
        return JoinFrames(frames);
    }

    // A minimised window's caption, active and inactive side by side.
    Image24 MinCaptionStrip() const
    {
        const auto frame = [this](const CaptionStyle& style) {
            Raster raster(MinCaptionCell.width, MinCaptionCell.height);
            raster.Fill(RoundRect(0, 0, MinCaptionCell.width, MinCaptionCell.height, 6, 2), style.edge);
            raster.Fill(RoundRect(1, 1, MinCaptionCell.width - 1, MinCaptionCell.height - 1, 5, 1),
                        [&](double, double y) {
                            const int row = int(y) * (TitleHeight - 2) / MinCaptionCell.height + 1;
                            return CaptionRow(style, row);
                        });
            return raster.Flatten(Solid(DesktopGuess), 0.3);
        };
        const std::array frames{frame(ACTIVE), frame(IDLE)};
        return JoinFrames(frames);
    }

    // The menu bar under the caption, active above inactive: a dark band
    // with a rule along its foot, vermilion while the window is active.
    Image24 MenuBarStrip() const
    {
        const int w = MenubarCell.width;
        const int h = MenubarCell.height;
        const auto frame = [&](Rgb rule) {
            Raster raster(w, h);
            raster.Fill(Box(0, 0, w, h), VerticalGradient(0, MenubarTop, h, MenubarBottom));
            raster.Fill(Box(0, h - 1, w, h), rule);
            return raster.FlattenOpaque(Solid(MenubarBottom));
        };
        const std::array frames{frame(MenubarRule), frame(IdleMenubarRule)};
        return JoinFrames(frames, true);
    }

    // The plate under the caption text, active above inactive, drawn over
    // the caption rows it covers; the key around it lets the caption show.
    Image24 TextPlateStrip() const
    {
        const int w = 2 * PlateEnd + PlateMiddle;
        const auto frame = [&](const CaptionStyle& style, Rgb edge, Rgb fill) {
            Raster raster(w, TitleHeight);
            const double top = PlateInset;
            const double bottom = TitleHeight - PlateInset;
            const double radius = PlateEnd - 4;
            raster.Fill(RoundRect(0, top, w, bottom, radius), edge);
            raster.Fill(RoundRect(1, top + 1, w - 1, bottom - 1, radius - 1), fill);
            const Paint backdrop = [this, &style](double, double y) { return CaptionRow(style, int(y)); };
            return raster.Flatten(backdrop, 0.04);
        };
        const std::array frames{frame(ACTIVE, PlateEdge, PlateFill), frame(IDLE, IdlePlateEdge, IdlePlateFill)};
        return JoinFrames(frames, true);
    }

    // The custom caption button: a square seal in the accent, with the
    // cells of the window buttons (normal, pressed, hover, inactive window).
    Image24 SealButtonStrip() const
    {
        const auto cell = [&](const CaptionStyle& style, int state) {
            Raster raster(CaptionButtonCell.width, CaptionButtonCell.height);
            const Shape pill = RoundRect(1, 0, CaptionButtonCell.width - 1, CaptionButtonCell.height, 4);
            Rgb seal = state == 4 ? style.glyph : Accent;
            if (state == 2) {
                raster.Fill(pill, CaptionPress, 0.25);
            } else if (state == 3) {
                raster.Fill(pill, White, 0.16);
                seal = AccentBright;
            }
            constexpr double size = 10;
            const double left = (CaptionButtonCell.width - size) / 2;
            const double top = (CaptionButtonCell.height - size) / 2;
            raster.Fill(Subtract(RoundRect(left, top, left + size, top + size, 1.5),
                                 RoundRect(left + 1.5, top + 1.5, left + size - 1.5, top + size - 1.5, 0.5)),
                        seal);
            raster.Fill(Box(left + 3.5, top + 3.5, left + size - 3.5, top + size - 3.5), seal);
            const Paint backdrop = [this, &style](double, double y) {
                return CaptionRow(style, CaptionButtonTop() + int(y));
            };
            return raster.Flatten(backdrop, 0.04);
        };
        const std::array frames{cell(ACTIVE, 1), cell(ACTIVE, 2), cell(ACTIVE, 3), cell(IDLE, 4)};
        return JoinFrames(frames);
    }

    void Add(PictureSet& pictures) const
    {
        if (PaintsEveryElement) {
            pictures["menubar.bmp"] = MenuBarStrip();
            pictures["textback.bmp"] = TextPlateStrip();
            pictures["sealbutton.bmp"] = SealButtonStrip();
        }
        AddFrames(pictures);
        pictures["closebutton.bmp"] = CaptionButtonStrip(WindowGlyph::Close);
        pictures["maxbutton.bmp"] = CaptionButtonStrip(WindowGlyph::Maximise);
        pictures["minbutton.bmp"] = CaptionButtonStrip(WindowGlyph::Minimise);
        pictures["restrorebutton.bmp"] = CaptionButtonStrip(WindowGlyph::Restore);
        pictures["mdibutton.bmp"] = MdiButtonStrip();
        pictures["mincaption.bmp"] = MinCaptionStrip();
    }
};

}  // namespace

void AddChromePictures(PictureSet& pictures, const Theme& theme) { ChromePainter{theme}.Add(pictures); }

}  // namespace skingen
