// The elements of a loaded skin: each is one bitmap of equally wide frames
// (one frame per visual state) plus the numbers that say how to cut and draw
// it. They are plain data, filled once while a skin is applied and then read
// by every painter; the skin data component owns them.
#pragma once

#include "ui/Bitmap.h"
#include "ui/Color.h"

#include <cstdint>
#include <string>
#include <string_view>

// "Not given" for an element's text colours.
inline constexpr TColor NoElementColour = static_cast<TColor>(-1);

class TDataSkinObject {
public:
    explicit TDataSkinObject(std::string_view name) : Name(name) {}
    virtual ~TDataSkinObject() = default;
    TDataSkinObject(const TDataSkinObject&) = delete;
    TDataSkinObject& operator=(const TDataSkinObject&) = delete;

    // The four margins: the parts of each frame copied unscaled.
    std::int32_t LeftWidth = 0;
    std::int32_t TopHeight = 0;
    std::int32_t RightWidth = 0;
    std::int32_t BottomHeight = 0;
    TBitmap Bitmap;
    std::int32_t Trans = 0; // 1: magenta pixels are transparent
    std::int32_t Tile = 0;  // 1: the centre is repeated, 0: stretched
    std::string Name;
    std::int32_t FrameCount = 0;
    std::int32_t Style = 0;
    TColor NormalColour = NoElementColour;
    TColor MouseOverColour = NoElementColour;
    TColor PressedColour = NoElementColour;
    TColor NormalColour2 = NoElementColour;
    TColor MouseOverColour2 = NoElementColour;
    TColor PressedColour2 = NoElementColour;

    // The margins as a rectangle (left, top, right, bottom), as the drawing primitives take them.
    RECT Margins() const { return {LeftWidth, TopHeight, RightWidth, BottomHeight}; }
    bool HasBitmap() const { return !Bitmap.Empty(); }
};

// An element with a second picture: a glyph or a border image.
class TDataSkinBorder : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    TBitmap Bitmap2;
};

// The caption text: Bitmap is the text's background image. The margins are
// reused: LeftWidth is the text's horizontal shift, TopHeight its vertical
// shift, RightWidth the right clip; BottomHeight stays 0.
class TDataSkinTitle : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::int32_t TextAlignment = 0;
    std::int32_t TextBackground = 0;
    std::int32_t FontHeight = 0;
    std::int32_t TextBackLeft = 0;
    std::int32_t TextBackRight = 0;
    TColor ActiveTextColour = clNone;   // clNone: not given
    TColor InactiveTextColour = clNone;
};

// Push buttons, with the check box and radio button pictures beside them.
class TDataSkinButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    TBitmap CheckBitmap;
    TBitmap RadioBitmap;
    std::int32_t RadioFrameCount = 0;
    std::int32_t CheckFrameCount = 0;
    std::uint8_t HasNormalColour2 = 0;
    std::uint8_t HasMouseOverColour2 = 0;
    std::uint8_t HasPressedColour2 = 0;
};

// One title-bar button; how it is laid out and what it does is the frame's business.
class TDataSkinSysButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::int32_t Action = 0;
    std::int32_t Align = 0;
    std::int32_t XCoord = 0;
    std::int32_t YCoord = 0;
    std::int32_t CombineOp = 0;
    std::int32_t Visibility = 0;
    std::int32_t Visibility1 = 0;
};

// A group box's caption background.
class TDataSkinBoxLabel : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    std::int32_t BackgroundLeftShift = 0;
    std::int32_t BackgroundRightShift = 0;
    std::int32_t BackgroundAlignment = 0;
};
