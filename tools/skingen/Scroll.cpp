// Scroll bars: the 23-cell strip of arrow buttons and thumb grips, the
// tracks and the thumbs. Everything is drawn for a bar as thick as the
// system's, 17 pixels; thumbs and grips lie on the track colour.
#include "tools/skingen/Painting.h"
#include "tools/skingen/SkinPictures.h"
#include "tools/skingen/Theme.h"

#include <vector>

namespace skingen {

namespace {

// The thumb's cross-section: a pill inset from the bar's sides.
constexpr double THUMB_INSET = 4;

struct ScrollPainter : Theme {
    const int S = ScrollSize;

    // The track under a bar: flat, with a faint line along the side that
    // faces the scrolled content (the top of a horizontal bar, the left of a
    // vertical one).
    Paint TrackPaint(bool vertical, Rgb colour) const
    {
        return [vertical, colour, edge = ScrollTrackEdge](double x, double y) {
            return (vertical ? x : y) < 1 ? edge : colour;
        };
    }
    Paint TrackPaint(bool vertical) const { return TrackPaint(vertical, ScrollTrack); }

    void PaintTrack(Raster& raster, bool vertical, Rgb colour) const
    {
        raster.Fill(Box(0, 0, raster.Width(), raster.Height()), TrackPaint(vertical, colour));
    }
    void PaintTrack(Raster& raster, bool vertical) const { PaintTrack(raster, vertical, ScrollTrack); }

    // Arrow cells: normal, pressed, disabled, hot.
    void AddArrowCells(std::vector<Image24>& cells, Direction direction) const
    {
        const bool vertical = direction == Direction::Up || direction == Direction::Down;
        const Shape pill = RoundRect(2, 2, S - 2, S - 2, 3);
        for (int state = 1; state <= 4; ++state) {
            Raster raster(S, S);
            PaintTrack(raster, vertical);
            Rgb arrow = ScrollArrow;
            if (state == 2) {
                raster.Fill(pill, ScrollArrowDown);
                arrow = AccentDeep;
            } else if (state == 3) {
                arrow = DisabledMark;
            } else if (state == 4) {
                raster.Fill(pill, ScrollArrowHot);
                arrow = Accent;
            }
            raster.Fill(Chevron(direction, S / 2.0, S / 2.0, 4, 4, 1.6), arrow);
            cells.push_back(raster.FlattenOpaque(Solid(ScrollTrack)));
        }
    }

    Rgb ThumbColour(int state) const  // 1 normal, 2 pressed, 3 hot
    {
        return state == 2 ? ScrollThumbDown : state == 3 ? ScrollThumbHot : ScrollThumb;
    }

    // Grip cells: the middle of a thumb with three ridges across it; normal,
    // pressed and hot, matching the thumb frames they are drawn on.
    void AddGripCells(std::vector<Image24>& cells, bool vertical) const
    {
        for (const int thumbState : {1, 2, 3}) {
            Raster raster(S, S);
            PaintTrack(raster, vertical);
            const Rgb thumb = ThumbColour(thumbState);
            raster.Fill(vertical ? Box(THUMB_INSET, 0, S - THUMB_INSET, S) : Box(0, THUMB_INSET, S, S - THUMB_INSET),
                        thumb);
            const Rgb ridge = Mix(thumb, White, 0.5);
            for (const int at : {6, 8, 10}) {
                raster.Fill(vertical ? Box(6, at, S - 6, at + 1) : Box(at, 6, at + 1, S - 6), ridge);
            }
            cells.push_back(raster.FlattenOpaque(Solid(ScrollTrack)));
        }
    }

    // Cells 1-4 left arrow, 5-8 right, 9-12 up, 13-16 down (normal, pressed,
    // disabled, hot); 17-19 horizontal grip and 20-22 vertical grip (normal,
    // pressed, hot); 23 the corner between two bars.
    Image24 ArrowStrip() const
    {
        std::vector<Image24> cells;
        for (const Direction direction : {Direction::Left, Direction::Right, Direction::Up, Direction::Down}) {
            AddArrowCells(cells, direction);
        }
        AddGripCells(cells, false);
        AddGripCells(cells, true);
        Raster corner(S, S);
        corner.Fill(Box(0, 0, S, S), ButtonFace);
        cells.push_back(corner.FlattenOpaque(Solid(ButtonFace)));
        return JoinFrames(cells);
    }

    // Track frames: 1 normal, 2 hot (spare), 3 disabled, 4 pressed (spare).
    Image24 Tracks(bool vertical) const
    {
        std::vector<Image24> frames;
        for (int frame = 1; frame <= 4; ++frame) {
            Raster raster(vertical ? S : ScrollTrackLength, vertical ? ScrollTrackLength : S);
            PaintTrack(raster, vertical, frame == 3 ? ScrollTrackIdle : ScrollTrack);
            frames.push_back(raster.FlattenOpaque(Solid(ScrollTrack)));
        }
        return JoinFrames(frames);
    }

    // Thumb frames: 1 normal, 2 pressed, 3 hot; rounded ends on the key colour
    // so the track shows around them.
    Image24 Thumbs(bool vertical) const
    {
        std::vector<Image24> frames;
        const int along = ThumbLength;
        for (int state = 1; state <= 3; ++state) {
            Raster raster(vertical ? S : along, vertical ? along : S);
            const Shape pill = vertical ? RoundRect(THUMB_INSET, 1, S - THUMB_INSET, along - 1, 4.5)
                                        : RoundRect(1, THUMB_INSET, along - 1, S - THUMB_INSET, 4.5);
            raster.Fill(pill, ThumbColour(state));
            frames.push_back(raster.Flatten(TrackPaint(vertical), 0.04));
        }
        return JoinFrames(frames);
    }

    void Add(PictureSet& pictures) const
    {
        pictures["scrollbararrow.bmp"] = ArrowStrip();
        pictures["scrollbarhbar.bmp"] = Tracks(false);
        pictures["scrollbarvbar.bmp"] = Tracks(true);
        pictures["scrollbarhthumb.bmp"] = Thumbs(false);
        pictures["scrollbarvthumb.bmp"] = Thumbs(true);
    }
};

}  // namespace

void AddScrollPictures(PictureSet& pictures, const Theme& theme) { ScrollPainter{theme}.Add(pictures); }

}  // namespace skingen
