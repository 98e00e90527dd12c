#include "ui/Picture.h"

#include "ui/AnsiText.h"
#include "ui/Bitmap.h"
#include "ui/Icon.h"
#include "ui/Jpeg.h"
#include "ui/Properties.h"
#include "ui/Streams.h"

#include <limits>
#include <string>

constinit const TClassInfo TPicture::ClassInfo = ui::ClassOf<TPicture>("TPicture", TPersistent::ClassInfo);

void TPicture::Publish(ui::TPublisher<TPicture>& p)
{
    p.Binary("Data", &TPicture::ReadData, &TPicture::WriteData).Stored(&TPicture::HasData);
}

namespace ui {

std::unique_ptr<TGraphic> CreateGraphic(std::string_view className)
{
    if (SameText(className, "TBitmap"))
        return std::make_unique<TBitmap>();
    if (SameText(className, "TIcon"))
        return std::make_unique<TIcon>();
    if (SameText(className, "TJPEGImage"))
        return std::make_unique<TJPEGImage>();
    return nullptr;
}

} // namespace ui

namespace {

std::string_view ClassForSignature(std::span<const std::uint8_t> data)
{
    if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M')
        return "TBitmap";
    if (data.size() >= 4 && data[0] == 0 && data[1] == 0 && data[2] == 1 && data[3] == 0)
        return "TIcon";
    if (data.size() >= 2 && data[0] == 0xFF && data[1] == 0xD8)
        return "TJPEGImage";
    throw EInvalidGraphic("Unknown picture file format");
}

std::unique_ptr<TGraphic> Clone(const TGraphic& source)
{
    auto copy = ui::CreateGraphic(source.ClassName());
    if (!copy)
        throw EInvalidGraphic("Cannot copy a " + std::string(source.ClassName()));
    copy->Assign(source);
    return copy;
}

} // namespace

TPicture::TPicture() = default;

TPicture::~TPicture() = default;

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic)
{
    graphic_ = std::move(graphic);
    if (graphic_)
        graphic_->OnChange = TNotifyEvent([this](TObject*) { Changed(); });
    Changed();
}

TBitmap& TPicture::Bitmap()
{
    if (!ui::As<TBitmap>(graphic_.get()))
        SetGraphic(std::make_unique<TBitmap>());
    return static_cast<TBitmap&>(*graphic_);
}

TIcon& TPicture::Icon()
{
    if (!ui::As<TIcon>(graphic_.get()))
        SetGraphic(std::make_unique<TIcon>());
    return static_cast<TIcon&>(*graphic_);
}

void TPicture::Assign(const TPersistent& source)
{
    if (const TPicture* picture = ui::As<TPicture>(&source)) {
        if (picture != this)
            SetGraphic(picture->graphic_ ? Clone(*picture->graphic_) : nullptr);
        return;
    }
    if (const TGraphic* graphic = ui::As<TGraphic>(&source)) {
        SetGraphic(Clone(*graphic));
        return;
    }
    TPersistent::Assign(source);
}

void TPicture::LoadFromBytes(std::span<const std::uint8_t> data)
{
    if (data.empty()) {
        SetGraphic(nullptr);
        return;
    }
    auto graphic = ui::CreateGraphic(ClassForSignature(data));
    graphic->LoadFromBytes(data);
    SetGraphic(std::move(graphic));
}

void TPicture::LoadFromStream(TStream& stream)
{
    std::vector<std::uint8_t> data(static_cast<std::size_t>(stream.Remaining()));
    stream.ReadBuffer(data.data(), data.size());
    LoadFromBytes(data);
}

void TPicture::LoadFromFile(std::string_view fileName)
{
    TFileStream file(fileName, fmOpenRead);
    LoadFromStream(file);
}

void TPicture::SaveToFile(std::string_view fileName) const
{
    if (!graphic_)
        throw EInvalidGraphicOperation("Cannot save an empty picture");
    graphic_->SaveToFile(fileName);
}

void TPicture::ReadData(TStream& stream)
{
    std::uint8_t length = 0;
    stream.ReadBuffer(&length, 1);
    std::string name(length, '\0');
    stream.ReadBuffer(name.data(), name.size());
    if (name.empty()) {
        SetGraphic(nullptr);
        return;
    }
    auto graphic = ui::CreateGraphic(name);
    if (!graphic)
        throw EInvalidGraphic("Unknown picture format " + name);
    const std::int32_t size = stream.ReadInt32();
    if (size < 0 || size > stream.Remaining())
        throw EReadError("Stream read error");
    std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
    stream.ReadBuffer(data.data(), data.size());
    graphic->LoadFromBytes(data);
    SetGraphic(std::move(graphic));
}

void TPicture::WriteData(TStream& stream) const
{
    const std::string_view name = graphic_ ? graphic_->ClassName() : std::string_view();
    const auto length = static_cast<std::uint8_t>(name.size());
    stream.WriteBuffer(&length, 1);
    stream.WriteBuffer(name.data(), name.size());
    if (!graphic_)
        return;
    const auto data = graphic_->SaveToBytes();
    if (data.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw EWriteError("Stream write error");
    stream.WriteInt32(static_cast<std::int32_t>(data.size()));
    stream.WriteBuffer(data.data(), data.size());
}

void TPicture::Changed() { OnChange(this); }
