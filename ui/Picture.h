// TPicture: holds one graphic of any kind (bitmap, icon, JPEG picture) and
// tells its owner (an image control) when it changes. Files are recognised by
// their first bytes, not by their names.
//
// In form data a picture is the binary property "Data": the graphic's class
// name as one length byte and the name's characters, then a 32-bit byte count
// and the graphic's file. An empty picture has no "Data".
#pragma once

#include "ui/Graphics.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

class TBitmap;
class TIcon;
class TStream;

class TPicture : public TPersistent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TPicture>& p);

    TPicture();
    ~TPicture() override;

    // Null while the picture is empty.
    TGraphic* Graphic() const noexcept { return graphic_.get(); }
    void SetGraphic(std::unique_ptr<TGraphic> graphic);
    // The graphic as a bitmap (or an icon); a picture holding something else
    // first gets an empty one.
    TBitmap& Bitmap();
    TIcon& Icon();

    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }

    // A picture is copied from another picture or from a graphic.
    void Assign(const TPersistent& source) override;

    // A bitmap, icon or JPEG file; empty data empties the picture. Raises
    // EInvalidGraphic for anything else.
    void LoadFromBytes(std::span<const std::uint8_t> data);
    void LoadFromStream(TStream& stream);
    void LoadFromFile(std::string_view fileName);
    void SaveToFile(std::string_view fileName) const;

    // The form-data property "Data".
    void ReadData(TStream& stream);
    void WriteData(TStream& stream) const;
    bool HasData() const noexcept { return graphic_ != nullptr; }

    // After the graphic was replaced or changed, with the picture as sender.
    TNotifyEvent OnChange;

private:
    void Changed();

    std::unique_ptr<TGraphic> graphic_;
};

namespace ui {
// A new, empty graphic of a class the picture knows ("TBitmap", "TIcon",
// "TJPEGImage", any letter case); null for other names.
std::unique_ptr<TGraphic> CreateGraphic(std::string_view className);
} // namespace ui
