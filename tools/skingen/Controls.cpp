// Push buttons, check boxes, radio buttons, progress bar, tabs, combo box
// button, status bar edges, header, up-down and track bar pictures.
#include "tools/skingen/Painting.h"
#include "tools/skingen/SkinPictures.h"
#include "tools/skingen/Theme.h"

#include <array>
#include <vector>

namespace skingen {

namespace {

using namespace theme;

// The states a control face shows.
enum class State { Normal, Hot, Pressed, Disabled, Focused };

// Raised faces of push buttons, up-down halves and track bar thumbs.
FaceStyle RaisedFace(State state)
{
    switch (state) {
    case State::Normal: return {Silver, SilverDark, White, JadeShade, true, {}};
    case State::Hot: return {AccentBright, Accent, AccentTint, RGB(216, 237, 229), true, {}};
    case State::Pressed: return {AccentDeep, AccentDeep, AccentPale, AccentTint, false, {}};
    case State::Disabled: return {DisabledEdge, DisabledEdge, DisabledFace, DisabledFace, false, {}};
    case State::Focused: return {Accent, Accent, White, JadeShade, true, AccentSoft};
    }
    return {};
}

// Frames 1 normal, 2 pressed, 3 disabled, 4 hot, 5 focused.
constexpr std::array BUTTON_STATES{State::Normal, State::Pressed, State::Disabled, State::Hot,
                                   State::Focused};

Image24 PushButtons()
{
    std::vector<Image24> frames;
    for (const State state : BUTTON_STATES) {
        Raster raster(PushButtonCell.width, PushButtonCell.height);
        PaintFace(raster, 0, 0, PushButtonCell.width, PushButtonCell.height, PushButtonRadius,
                  RaisedFace(state));
        frames.push_back(raster.Flatten(Solid(ButtonFace), 0.04));
    }
    return JoinFrames(frames);
}

// The empty box or ring of a check box or radio button. Their focus is
// shown around the caption, so the box has no focused look of its own.
FaceStyle BoxFace(State state)
{
    switch (state) {
    case State::Hot: return {AccentBright, AccentBright, AccentTint, AccentTint, false, {}};
    case State::Pressed: return {AccentDeep, AccentDeep, AccentPale, AccentPale, false, {}};
    case State::Disabled: return {DisabledEdge, DisabledEdge, DisabledFace, DisabledFace, false, {}};
    case State::Normal:
    case State::Focused: break;
    }
    return {SilverDark, SilverDark, White, RGB(240, 243, 240), false, {}};
}

// The accent a checked box is filled with.
Rgb MarkFill(State state)
{
    switch (state) {
    case State::Hot: return AccentBright;
    case State::Pressed: return AccentDeep;
    case State::Disabled: return DisabledMark;
    default: return Accent;
    }
}

constexpr std::array BOX_STATES{State::Normal, State::Hot, State::Pressed, State::Disabled};

// Twelve cells: unchecked, checked and indeterminate, each normal, hot,
// pressed and disabled.
Image24 CheckBoxes()
{
    const double size = CheckBoxCell.width;
    const double middle = size / 2;
    std::vector<Image24> frames;
    for (int group = 0; group < 3; ++group) {
        for (const State state : BOX_STATES) {
            Raster raster(CheckBoxCell.width, CheckBoxCell.height);
            if (group == 1) {
                // Checked: a filled tile with a white tick.
                const Rgb fill = MarkFill(state);
                raster.Fill(RoundRect(0, 0, size, size, 3), Mix(fill, Ink, 0.15));
                raster.Fill(RoundRect(1, 1, size - 1, size - 1, 2), fill);
                raster.Fill(Polyline({3.2, 6.7, 5.5, 9.1, 9.9, 4.0}, 1.7),
                            state == State::Disabled ? RGB(248, 250, 248) : White);
            } else {
                FaceStyle face = BoxFace(state);
                if (group == 2 && state != State::Disabled) {
                    face.edgeTop = face.edgeBottom = MarkFill(state);
                }
                PaintFace(raster, 0, 0, size, size, 3, face);
                if (group == 2) {
                    // Indeterminate: a bar across the middle.
                    raster.Fill(RoundRect(3, middle - 1.5, size - 3, middle + 1.5, 1), MarkFill(state));
                }
            }
            frames.push_back(raster.Flatten(Solid(ButtonFace), 0.04));
        }
    }
    return JoinFrames(frames);
}

// Eight cells: unchecked, then checked, each normal, hot, pressed and
// disabled. The checked ring is a jade bi disc: accent with a white centre.
Image24 RadioButtons()
{
    const double size = CheckBoxCell.width;
    const double c = size / 2;
    std::vector<Image24> frames;
    for (int group = 0; group < 2; ++group) {
        for (const State state : BOX_STATES) {
            Raster raster(CheckBoxCell.width, CheckBoxCell.height);
            if (group == 1) {
                const Rgb fill = MarkFill(state);
                raster.Fill(Circle(c, c, c), Mix(fill, Ink, 0.15));
                raster.Fill(Circle(c, c, c - 1), fill);
                raster.Fill(Circle(c, c, 2.5), state == State::Disabled ? RGB(248, 250, 248) : White);
            } else {
                const FaceStyle face = BoxFace(state);
                raster.Fill(Circle(c, c, c), face.edgeTop);
                raster.Fill(Circle(c, c, c - 1), VerticalGradient(1, face.faceTop, size - 1, face.faceBottom));
            }
            frames.push_back(raster.Flatten(Solid(ButtonFace), 0.04));
        }
    }
    return JoinFrames(frames);
}

// Progress track, and the inset fill drawn over the done part.
const Rgb PROGRESS_EDGE = RGB(176, 188, 184);
const Paint PROGRESS_TRACK = VerticalGradient(1, RGB(222, 229, 225), ProgressCell.height - 1, RGB(238, 242, 238));

Image24 Progress()
{
    const int w = ProgressCell.width;
    const int h = ProgressCell.height;
    Raster track(w, h);
    track.Fill(RoundRect(0, 0, w, h, 4), PROGRESS_EDGE);
    track.Fill(RoundRect(1, 1, w - 1, h - 1, 3), PROGRESS_TRACK);
    Raster fill(w, h);
    const Shape bar = RoundRect(2, 2, w - 2, h - 2, 2);
    fill.Fill(bar, VerticalGradient(2, RGB(104, 182, 160), h - 2, RGB(40, 120, 103)));
    fill.Fill(Subtract(bar, RoundRect(2, 3, w - 2, h - 1, 2)), White, 0.35);
    const std::array frames{track.Flatten(Solid(ButtonFace), 0.04), fill.Flatten(PROGRESS_TRACK, 0.04)};
    return JoinFrames(frames);
}

Image24 ProgressChunk()
{
    Raster raster(ProgressChunkCell.width, ProgressChunkCell.height);
    raster.Fill(Box(0, 0, ProgressChunkCell.width - 1, ProgressChunkCell.height),
                VerticalGradient(0, RGB(104, 182, 160), ProgressChunkCell.height, RGB(40, 120, 103)));
    return raster.FlattenOpaque(PROGRESS_TRACK);
}

// Frames 1 normal tab, 2 current tab (open at the bottom, joining the
// pane, with an accent line on top); 3 hot, 4 disabled and 5 focused are
// spare looks that keep the strip complete.
Image24 Tabs()
{
    const int w = TabCell.width;
    const int h = TabCell.height;
    std::vector<Image24> frames;
    for (int frame = 1; frame <= 5; ++frame) {
        const bool open = frame == 2 || frame == 5;
        Raster raster(w, h);
        const Shape outer = RoundRect(0, 0, w, h + 6, 4, 0);
        const Shape inner = RoundRect(1, 1, w - 1, h + 6, 3, 0);
        raster.Fill(outer, frame == 4 ? DisabledEdge : frame == 5 ? Accent : Silver);
        Paint face = VerticalGradient(1, RGB(238, 242, 238), h, RGB(224, 231, 226));
        if (open) {
            face = VerticalGradient(1, White, h - 4, ButtonFace);
        } else if (frame == 3) {
            face = VerticalGradient(1, AccentTint, h, RGB(218, 236, 229));
        } else if (frame == 4) {
            face = Solid(DisabledFace);
        }
        raster.Fill(inner, face);
        if (open) {
            raster.Fill(Subtract(inner, RoundRect(1, 3, w - 1, h + 8, 3, 0)), Accent);
        } else {
            raster.Fill(Box(0, h - 1, w, h), frame == 4 ? DisabledEdge : Silver);
        }
        frames.push_back(raster.Flatten(Solid(ButtonFace), 0.04));
    }
    return JoinFrames(frames);
}

Image24 TabPane()
{
    Raster raster(TabPaneCell.width, TabPaneCell.height);
    raster.Fill(Box(0, 0, TabPaneCell.width, TabPaneCell.height), ButtonFace);
    raster.Fill(Outline(0, 0, TabPaneCell.width, TabPaneCell.height), Silver);
    return raster.FlattenOpaque(Solid(ButtonFace));
}

// The drop-down button inside a combo box's white field: 1 normal,
// 2 pressed, 3 disabled, 4 hot or focused.
Image24 ComboButtons()
{
    const int w = ComboButtonCell.width;
    const int h = ComboButtonCell.height;
    std::vector<Image24> frames;
    for (const State state : {State::Normal, State::Pressed, State::Disabled, State::Hot}) {
        Raster raster(w, h);
        raster.Fill(Box(0, 3, 1, h - 3), SilverFaint);
        const Shape pill = RoundRect(2, 1, w - 1, h - 1, 3);
        Rgb arrow = InkSoft;
        double drop = 0;
        if (state == State::Pressed) {
            raster.Fill(pill, AccentPale);
            arrow = AccentDeep;
            drop = 1;
        } else if (state == State::Hot) {
            raster.Fill(pill, AccentSoft);
            raster.Fill(RoundRect(3, 2, w - 2, h - 2, 2), AccentTint);
            arrow = Accent;
        } else if (state == State::Disabled) {
            arrow = DisabledMark;
        }
        raster.Fill(Chevron(Direction::Down, (w + 1) / 2.0, h / 2.0 + drop, 3.5, 3.5, 1.5), arrow);
        frames.push_back(raster.Flatten(Solid(White), 0.04));
    }
    return JoinFrames(frames);
}

// Frames 1 to 4: the combo arrow (normal, pressed, disabled, hot);
// frame 5: the status bar's size grip.
Image24 ExtraImages()
{
    const int w = ExtraCell.width;
    const int h = ExtraCell.height;
    std::vector<Image24> frames;
    for (const Rgb arrow : {InkSoft, AccentDeep, DisabledMark, Accent}) {
        Raster raster(w, h);
        raster.Fill(Chevron(Direction::Down, w / 2.0, h / 2.0, 3.5, 3.5, 1.5), arrow);
        frames.push_back(raster.Flatten(Solid(ButtonFace), 0.04));
    }
    Raster grip(w, h);
    for (int row = 0; row < 3; ++row) {
        for (int column = 2 - row; column < 3; ++column) {
            const int x = 2 + column * 3;
            const int y = 2 + row * 3;
            grip.Fill(Box(x + 1, y + 1, x + 3, y + 3), White);
            grip.Fill(Box(x, y, x + 2, y + 2), Silver);
        }
    }
    frames.push_back(grip.Flatten(Solid(ButtonFace), 0.04));
    return JoinFrames(frames);
}

// Cells 1 lowered, 2 raised, 3 without bevel.
Image24 StatusBarEdges()
{
    const int w = StatusCell.width;
    const int h = StatusCell.height;
    std::vector<Image24> frames;
    for (int frame = 1; frame <= 3; ++frame) {
        Raster raster(w, h);
        raster.Fill(Box(0, 0, w, h), ButtonFace);
        if (frame != 3) {
            const Rgb dark = SilverLight;
            const Rgb light = White;
            const Rgb topLeft = frame == 1 ? dark : light;
            const Rgb bottomRight = frame == 1 ? light : dark;
            raster.Fill(Box(0, h - 1, w, h), bottomRight);
            raster.Fill(Box(w - 1, 0, w, h), bottomRight);
            raster.Fill(Box(0, 0, w - 1, 1), topLeft);
            raster.Fill(Box(0, 0, 1, h - 1), topLeft);
        }
        frames.push_back(raster.FlattenOpaque(Solid(ButtonFace)));
    }
    return JoinFrames(frames);
}

// Column headers: 1 normal, 2 under the pointer (an accent underline).
Image24 Header()
{
    const int w = HeaderCell.width;
    const int h = HeaderCell.height;
    std::vector<Image24> frames;
    for (int frame = 1; frame <= 2; ++frame) {
        Raster raster(w, h);
        const bool hot = frame == 2;
        raster.Fill(Box(0, 0, w, h), hot ? VerticalGradient(0, AccentTint, h, RGB(220, 238, 231))
                                         : VerticalGradient(0, White, h, RGB(236, 240, 236)));
        raster.Fill(Box(w - 1, HeaderMargins.top, w, h - HeaderMargins.bottom), SilverLight);
        raster.Fill(Box(0, h - (hot ? 2 : 1), w, h), hot ? Accent : SilverLight);
        frames.push_back(raster.FlattenOpaque(Solid(ButtonFace)));
    }
    return JoinFrames(frames);
}

// Up-down halves and their arrows: cells 1 to 4 are the first half (up, or
// left), 5 to 8 the second, each normal, pressed, disabled, hot.
constexpr std::array SPIN_STATES{State::Normal, State::Pressed, State::Disabled, State::Hot};

Rgb ArrowColour(State state)
{
    switch (state) {
    case State::Pressed: return AccentDeep;
    case State::Disabled: return DisabledMark;
    case State::Hot: return Accent;
    default: return InkSoft;
    }
}

Image24 SpinFaces(CellSize cell)
{
    std::vector<Image24> frames;
    for (int half = 0; half < 2; ++half) {
        for (const State state : SPIN_STATES) {
            Raster raster(cell.width, cell.height);
            PaintFace(raster, 0, 0, cell.width, cell.height, 2, RaisedFace(state));
            frames.push_back(raster.Flatten(Solid(ButtonFace), 0.04));
        }
    }
    return JoinFrames(frames);
}

Image24 SpinArrows(CellSize cell, Direction first, Direction second)
{
    std::vector<Image24> frames;
    for (const Direction direction : {first, second}) {
        for (const State state : SPIN_STATES) {
            Raster raster(cell.width, cell.height);
            raster.Fill(Triangle(direction, 0, 0, cell.width, cell.height), ArrowColour(state));
            frames.push_back(raster.Flatten(Solid(FaceMiddle(RaisedFace(state))), 0.12));
        }
    }
    return JoinFrames(frames);
}

// Track bar thumb: the engine shows frame 2, so that frame is the resting
// accent thumb; the others follow the button order.
Image24 TrackThumbs()
{
    std::vector<Image24> frames;
    for (int frame = 1; frame <= 5; ++frame) {
        Raster raster(TrackThumbCell.width, TrackThumbCell.height);
        FaceStyle face = RaisedFace(BUTTON_STATES[frame - 1]);
        if (frame == 2) {
            face = {Accent, AccentDeep, RGB(96, 172, 152), RGB(44, 122, 105), true, {}};
        }
        PaintFace(raster, 0, 0, TrackThumbCell.width, TrackThumbCell.height, 3, face);
        frames.push_back(raster.Flatten(Solid(ButtonFace), 0.04));
    }
    return JoinFrames(frames);
}

Image24 Channel()
{
    Raster raster(TrackChannelCell.width, TrackChannelCell.height);
    raster.Fill(RoundRect(0, 0, TrackChannelCell.width, TrackChannelCell.height, 2.5), RGB(160, 178, 172));
    raster.Fill(RoundRect(1, 1, TrackChannelCell.width - 1, TrackChannelCell.height - 1, 1.5), RGB(206, 220, 214));
    return raster.FlattenOpaque(Solid(ButtonFace));
}

}  // namespace

void AddControlPictures(PictureSet& pictures)
{
    pictures["buttons.bmp"] = PushButtons();
    pictures["checkbox.bmp"] = CheckBoxes();
    pictures["radiobutton.bmp"] = RadioButtons();
    pictures["progress.bmp"] = Progress();
    pictures["progresschunk.bmp"] = ProgressChunk();
    pictures["tab.bmp"] = Tabs();
    pictures["tabsheet.bmp"] = TabPane();
    pictures["comboboxbtn.bmp"] = ComboButtons();
    pictures["statusbar.bmp"] = StatusBarEdges();
    pictures["header.bmp"] = Header();
    pictures["extraimages.bmp"] = ExtraImages();
    pictures["trackthumbh.bmp"] = TrackThumbs();
    pictures["trackbot.bmp"] = Channel();
    pictures["spin.bmp"] = SpinFaces(SpinCell);
    pictures["spinarrow.bmp"] = SpinArrows(SpinArrowCell, Direction::Up, Direction::Down);
    pictures["spinh.bmp"] = SpinFaces({SpinCell.height, SpinCell.width});
    pictures["spinharrow.bmp"] = SpinArrows({SpinArrowCell.height, SpinArrowCell.width}, Direction::Left,
                                            Direction::Right);
}

}  // namespace skingen
