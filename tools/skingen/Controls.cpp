// Push buttons, check boxes, radio buttons, progress bar, tabs, combo box
// button, status bar edges, header, up-down and track bar pictures.
#include "tools/skingen/Painting.h"
#include "tools/skingen/SkinPictures.h"
#include "tools/skingen/Theme.h"

#include <array>
#include <vector>

namespace skingen {

namespace {

// The states a control face shows.
enum class State { Normal, Hot, Pressed, Disabled, Focused };

// Frames 1 normal, 2 pressed, 3 disabled, 4 hot, 5 focused.
constexpr std::array BUTTON_STATES{State::Normal, State::Pressed, State::Disabled, State::Hot,
                                   State::Focused};

constexpr std::array BOX_STATES{State::Normal, State::Hot, State::Pressed, State::Disabled};

// Up-down halves and their arrows: cells 1 to 4 are the first half (up, or
// left), 5 to 8 the second, each normal, pressed, disabled, hot.
constexpr std::array SPIN_STATES{State::Normal, State::Pressed, State::Disabled, State::Hot};

struct ControlPainter : Theme {

    // Raised faces of push buttons, up-down halves and track bar thumbs.
    FaceStyle RaisedFace(State state) const
    {
        switch (state) {
        case State::Normal: return {Silver, SilverDark, RaisedTop, RaisedBottom, Glaze, {}};
        case State::Hot: return {AccentBright, Accent, AccentTint, RaisedHotBottom, Glaze, {}};
        case State::Pressed: return {AccentDeep, AccentDeep, AccentPale, AccentTint, {}, {}};
        case State::Disabled: return {DisabledEdge, DisabledEdge, DisabledFace, DisabledFace, {}, {}};
        case State::Focused: return {Accent, Accent, RaisedTop, RaisedBottom, Glaze, AccentSoft};
        }
        return {};
    }

    Image24 PushButtons() const
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
    FaceStyle BoxFace(State state) const
    {
        switch (state) {
        case State::Hot: return {AccentBright, AccentBright, AccentTint, AccentTint, {}, {}};
        case State::Pressed: return {AccentDeep, AccentDeep, AccentPale, AccentPale, {}, {}};
        case State::Disabled: return {DisabledEdge, DisabledEdge, DisabledFace, DisabledFace, {}, {}};
        case State::Normal:
        case State::Focused: break;
        }
        return {SilverDark, SilverDark, BoxTop, BoxBottom, {}, {}};
    }

    // The accent a checked box is filled with.
    Rgb MarkFill(State state) const
    {
        switch (state) {
        case State::Hot: return AccentBright;
        case State::Pressed: return AccentDeep;
        case State::Disabled: return DisabledMark;
        default: return Accent;
        }
    }

    // Twelve cells: unchecked, checked and indeterminate, each normal, hot,
    // pressed and disabled.
    Image24 CheckBoxes() const
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
                    raster.Fill(RoundRect(0, 0, size, size, 3), Mix(fill, Text, 0.15));
                    raster.Fill(RoundRect(1, 1, size - 1, size - 1, 2), fill);
                    raster.Fill(Polyline({3.2, 6.7, 5.5, 9.1, 9.9, 4.0}, 1.7),
                                state == State::Disabled ? MarkDisabled : White);
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
    Image24 RadioButtons() const
    {
        const double size = CheckBoxCell.width;
        const double c = size / 2;
        std::vector<Image24> frames;
        for (int group = 0; group < 2; ++group) {
            for (const State state : BOX_STATES) {
                Raster raster(CheckBoxCell.width, CheckBoxCell.height);
                if (group == 1) {
                    const Rgb fill = MarkFill(state);
                    raster.Fill(Circle(c, c, c), Mix(fill, Text, 0.15));
                    raster.Fill(Circle(c, c, c - 1), fill);
                    raster.Fill(Circle(c, c, 2.5), state == State::Disabled ? MarkDisabled : White);
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
    Paint ProgressTrack() const
    {
        return VerticalGradient(1, ProgressTrackTop, ProgressCell.height - 1, ProgressTrackBottom);
    }

    Image24 Progress() const
    {
        const int w = ProgressCell.width;
        const int h = ProgressCell.height;
        Raster track(w, h);
        track.Fill(RoundRect(0, 0, w, h, 4), ProgressEdge);
        track.Fill(RoundRect(1, 1, w - 1, h - 1, 3), ProgressTrack());
        Raster fill(w, h);
        const Shape bar = RoundRect(2, 2, w - 2, h - 2, 2);
        fill.Fill(bar, VerticalGradient(2, ProgressFillTop, h - 2, ProgressFillBottom));
        fill.Fill(Subtract(bar, RoundRect(2, 3, w - 2, h - 1, 2)), White, 0.35);
        const std::array frames{track.Flatten(Solid(ButtonFace), 0.04), fill.Flatten(ProgressTrack(), 0.04)};
        return JoinFrames(frames);
    }

    Image24 ProgressChunk() const
    {
        Raster raster(ProgressChunkCell.width, ProgressChunkCell.height);
        raster.Fill(Box(0, 0, ProgressChunkCell.width - 1, ProgressChunkCell.height),
                    VerticalGradient(0, ProgressFillTop, ProgressChunkCell.height, ProgressFillBottom));
        return raster.FlattenOpaque(ProgressTrack());
    }

    // Frames 1 normal tab, 2 current tab (open at the bottom, joining the
    // pane, with an accent line on top); 3 hot, 4 disabled and 5 focused are
    // spare looks that keep the strip complete.
    Image24 Tabs() const
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
            Paint face = VerticalGradient(1, TabTop, h, TabBottom);
            if (open) {
                face = VerticalGradient(1, TabOpenTop, h - 4, ButtonFace);
            } else if (frame == 3) {
                face = VerticalGradient(1, AccentTint, h, TabHotBottom);
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

    Image24 TabPane() const
    {
        Raster raster(TabPaneCell.width, TabPaneCell.height);
        raster.Fill(Box(0, 0, TabPaneCell.width, TabPaneCell.height), ButtonFace);
        raster.Fill(Outline(0, 0, TabPaneCell.width, TabPaneCell.height), Silver);
        return raster.FlattenOpaque(Solid(ButtonFace));
    }

    // The drop-down button inside a combo box's white field: 1 normal,
    // 2 pressed, 3 disabled, 4 hot or focused.
    Image24 ComboButtons() const
    {
        const int w = ComboButtonCell.width;
        const int h = ComboButtonCell.height;
        std::vector<Image24> frames;
        for (const State state : {State::Normal, State::Pressed, State::Disabled, State::Hot}) {
            Raster raster(w, h);
            raster.Fill(Box(0, 3, 1, h - 3), SilverFaint);
            const Shape pill = RoundRect(2, 1, w - 1, h - 1, 3);
            Rgb arrow = TextSoft;
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
            frames.push_back(raster.Flatten(Solid(ComboField), 0.04));
        }
        return JoinFrames(frames);
    }

    // Frames 1 to 4: the combo arrow (normal, pressed, disabled, hot);
    // frame 5: the status bar's size grip.
    Image24 ExtraImages() const
    {
        const int w = ExtraCell.width;
        const int h = ExtraCell.height;
        std::vector<Image24> frames;
        for (const Rgb arrow : {TextSoft, AccentDeep, DisabledMark, Accent}) {
            Raster raster(w, h);
            raster.Fill(Chevron(Direction::Down, w / 2.0, h / 2.0, 3.5, 3.5, 1.5), arrow);
            frames.push_back(raster.Flatten(Solid(ButtonFace), 0.04));
        }
        Raster grip(w, h);
        for (int row = 0; row < 3; ++row) {
            for (int column = 2 - row; column < 3; ++column) {
                const int x = 2 + column * 3;
                const int y = 2 + row * 3;
                grip.Fill(Box(x + 1, y + 1, x + 3, y + 3), EdgeLight);
                grip.Fill(Box(x, y, x + 2, y + 2), Silver);
            }
        }
        frames.push_back(grip.Flatten(Solid(ButtonFace), 0.04));
        return JoinFrames(frames);
    }

    // Cells 1 lowered, 2 raised, 3 without bevel.
    Image24 StatusBarEdges() const
    {
        const int w = StatusCell.width;
        const int h = StatusCell.height;
        std::vector<Image24> frames;
        for (int frame = 1; frame <= 3; ++frame) {
            Raster raster(w, h);
            raster.Fill(Box(0, 0, w, h), ButtonFace);
            if (frame != 3) {
                const Rgb dark = SilverLight;
                const Rgb light = EdgeLight;
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
    Image24 Header() const
    {
        const int w = HeaderCell.width;
        const int h = HeaderCell.height;
        std::vector<Image24> frames;
        for (int frame = 1; frame <= 2; ++frame) {
            Raster raster(w, h);
            const bool hot = frame == 2;
            raster.Fill(Box(0, 0, w, h), hot ? VerticalGradient(0, AccentTint, h, HeaderHotBottom)
                                             : VerticalGradient(0, HeaderTop, h, HeaderBottom));
            raster.Fill(Box(w - 1, HeaderMargins.top, w, h - HeaderMargins.bottom), SilverLight);
            raster.Fill(Box(0, h - (hot ? 2 : 1), w, h), hot ? Accent : SilverLight);
            frames.push_back(raster.FlattenOpaque(Solid(ButtonFace)));
        }
        return JoinFrames(frames);
    }

    Rgb ArrowColour(State state) const
    {
        switch (state) {
        case State::Pressed: return AccentDeep;
        case State::Disabled: return DisabledMark;
        case State::Hot: return Accent;
        default: return TextSoft;
        }
    }

    Image24 SpinFaces(CellSize cell) const
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

    Image24 SpinArrows(CellSize cell, Direction first, Direction second) const
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
    FaceStyle ThumbFace(int frame) const
    {
        if (frame == 2) {
            return {Accent, AccentDeep, TrackThumbTop, TrackThumbBottom, Glaze, {}};
        }
        return RaisedFace(BUTTON_STATES[frame - 1]);
    }

    Image24 TrackThumbs(CellSize cell) const
    {
        std::vector<Image24> frames;
        for (int frame = 1; frame <= 5; ++frame) {
            Raster raster(cell.width, cell.height);
            PaintFace(raster, 0, 0, cell.width, cell.height, 3, ThumbFace(frame));
            frames.push_back(raster.Flatten(Solid(ButtonFace), 0.04));
        }
        return JoinFrames(frames);
    }

    // A thumb with a point towards the ticks: up and down thumbs stand
    // upright, left and right ones lie across a vertical bar.
    Image24 PointedThumbs(Direction point) const
    {
        const bool lying = point == Direction::Left || point == Direction::Right;
        const double w = lying ? TrackThumbCell.height : TrackThumbCell.width;
        const double h = lying ? TrackThumbCell.width : TrackThumbCell.height;
        const double tip = 5;
        std::vector<double> corners;
        switch (point) {
        case Direction::Down: corners = {0, 0, w, 0, w, h - tip, w / 2, h, 0, h - tip}; break;
        case Direction::Up: corners = {w / 2, 0, w, tip, w, h, 0, h, 0, tip}; break;
        case Direction::Right: corners = {0, 0, w - tip, 0, w, h / 2, w - tip, h, 0, h}; break;
        case Direction::Left: corners = {tip, 0, w, 0, w, h, tip, h, 0, h / 2}; break;
        }
        const Shape outer = ConvexPolygon(corners);
        const Shape inner = [outer](double x, double y) { return outer(x, y) + 1; };
        std::vector<Image24> frames;
        for (int frame = 1; frame <= 5; ++frame) {
            const FaceStyle face = ThumbFace(frame);
            Raster raster{int(w), int(h)};
            raster.Fill(outer, VerticalGradient(0, face.edgeTop, h, face.edgeBottom));
            raster.Fill(inner, VerticalGradient(1, face.faceTop, h - 1, face.faceBottom));
            frames.push_back(raster.Flatten(Solid(ButtonFace), 0.04));
        }
        return JoinFrames(frames);
    }

    // A group box's frame, normal and disabled; the key inside leaves the
    // box's own face.
    Image24 GroupBoxEdges() const
    {
        const int w = GroupEdgeCell.width;
        const int h = GroupEdgeCell.height;
        std::vector<Image24> frames;
        for (const Rgb edge : {GroupEdge, DisabledEdge}) {
            Raster raster(w, h);
            raster.Fill(Subtract(RoundRect(0, 0, w, h, 4), RoundRect(1, 1, w - 1, h - 1, 3)), edge);
            frames.push_back(raster.Flatten(Solid(ButtonFace), 0.04));
        }
        return JoinFrames(frames);
    }

    // The plate a group box's caption sits on.
    Image24 GroupBoxLabel() const
    {
        const int w = GroupLabelCell.width;
        const int h = GroupLabelCell.height;
        Raster raster(w, h);
        raster.Fill(RoundRect(0, 0, w, h, 4), GroupEdge);
        raster.Fill(RoundRect(1, 1, w - 1, h - 1, 3), GroupLabel);
        return raster.Flatten(Solid(ButtonFace), 0.04);
    }

    // The recessed edge of a combo box: cells normal, pressed, disabled, hot
    // or focused; a shadow along the inner top and left, the field inside.
    Image24 SunkEdges() const
    {
        const int w = SunkCell.width;
        const int h = SunkCell.height;
        std::vector<Image24> frames;
        for (const Rgb edge : {SilverDark, AccentDeep, DisabledEdge, Accent}) {
            Raster raster(w, h);
            raster.Fill(Box(0, 0, w, h), edge);
            raster.Fill(Box(1, 1, w - 1, h - 1), SunkField);
            raster.Fill(Box(1, 1, w - 1, 2), ButtonDkShadow);
            raster.Fill(Box(1, 2, 2, h - 1), ButtonDkShadow);
            frames.push_back(raster.FlattenOpaque(Solid(ButtonFace)));
        }
        return JoinFrames(frames);
    }

    // The channel of a horizontal bar, or of a vertical one when turned.
    Image24 Channel(bool vertical) const
    {
        const int w = vertical ? TrackChannelCell.height : TrackChannelCell.width;
        const int h = vertical ? TrackChannelCell.width : TrackChannelCell.height;
        Raster raster(w, h);
        raster.Fill(RoundRect(0, 0, w, h, 2.5), ChannelEdge);
        raster.Fill(RoundRect(1, 1, w - 1, h - 1, 1.5), ChannelFloor);
        return raster.FlattenOpaque(Solid(ButtonFace));
    }

    void Add(PictureSet& pictures) const
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
        pictures["trackthumbh.bmp"] = TrackThumbs(TrackThumbCell);
        pictures["trackbot.bmp"] = Channel(false);
        pictures["spin.bmp"] = SpinFaces(SpinCell);
        pictures["spinarrow.bmp"] = SpinArrows(SpinArrowCell, Direction::Up, Direction::Down);
        pictures["spinh.bmp"] = SpinFaces({SpinCell.height, SpinCell.width});
        pictures["spinharrow.bmp"] = SpinArrows({SpinArrowCell.height, SpinArrowCell.width}, Direction::Left,
                                                Direction::Right);
        if (PaintsEveryElement) {
            pictures["groupboxedge.bmp"] = GroupBoxEdges();
            pictures["groupbox.bmp"] = GroupBoxLabel();
            pictures["sunkedge.bmp"] = SunkEdges();
            pictures["trackthumbv.bmp"] = TrackThumbs({TrackThumbCell.height, TrackThumbCell.width});
            pictures["trackthumbl.bmp"] = PointedThumbs(Direction::Left);
            pictures["trackthumbr.bmp"] = PointedThumbs(Direction::Right);
            pictures["trackthumbu.bmp"] = PointedThumbs(Direction::Up);
            pictures["trackthumbd.bmp"] = PointedThumbs(Direction::Down);
            pictures["trackvert.bmp"] = Channel(true);
        }
    }
};

}  // namespace

void AddControlPictures(PictureSet& pictures, const Theme& theme) { ControlPainter{theme}.Add(pictures); }

}  // namespace skingen
