#include "skin/model/SkinModel.h"

#include <cstddef>

TSkinModel::TSkinModel()
    : BorderLeft(std::make_unique<TDataSkinBorder>("Left")),
      BorderRight(std::make_unique<TDataSkinBorder>("Right")),
      BorderTop(std::make_unique<TDataSkinBorder>("Top")),
      BorderBottom(std::make_unique<TDataSkinBorder>("Bottom")),
      ButtonsElement(std::make_unique<TDataSkinButton>("Buttons")),
      TitleElement(std::make_unique<TDataSkinTitle>("Title")),
      captionFont_(std::make_unique<TFont>())
{
    CustomColours.fill(clWhite);
}

TSkinModel::~TSkinModel() = default;
TSkinModel::TSkinModel(TSkinModel&&) noexcept = default;
TSkinModel& TSkinModel::operator=(TSkinModel&&) noexcept = default;

TColor TSkinModel::SampleFrameColour()
{
    TBitmap& top = BorderTop->Bitmap;
    if (top.Empty()) {
        return ButtonFaceColour;
    }
    const int frames = BorderTop->FrameCount < 1 ? 1 : BorderTop->FrameCount;
    return top.Canvas().Pixel(top.Width() / 3, top.Height() / frames / 3);
}

void TSkinModel::BuildCaptionFont()
{
    captionFont_ = std::make_unique<TFont>();
    // The size without the Vista padding field: the structure every Windows version accepts.
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
        captionFont_->SetHandle(ui::UniqueFont(CreateFontIndirectA(&metrics.lfCaptionFont)));
    }
}
