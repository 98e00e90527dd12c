// TImageList: equally sized small images (glyphs of menus and buttons) in
// one system image list, each with an optional transparency mask. Images
// draw normally, blended for focus or selection, or disabled: an embossed
// silhouette in the system's highlight and shadow colours.
#pragma once

#include "ui/Component.h"
#include "ui/Graphics.h"

#include <cstdint>

class TBitmap;
class TIcon;
class TStream;

enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };

class TImageList : public TComponent {
public:
    static const TClassInfo ClassInfo;
    const TClassInfo& ClassType() const override { return ClassInfo; }
    static void Publish(ui::TPublisher<TImageList>& p);

    explicit TImageList(TComponent* owner);
    ~TImageList() override;

    // Changing the size or masking empties the list.
    int Width() const noexcept { return width_; }
    void SetWidth(int width);
    int Height() const noexcept { return height_; }
    void SetHeight(int height);
    bool Masked() const noexcept { return masked_; }
    void SetMasked(bool masked);
    // Fills the transparent parts when drawing with dsNormal; clNone draws them transparent.
    TColor BkColor() const noexcept { return bkColor_; }
    void SetBkColor(TColor color);
    TDrawingStyle DrawingStyle() const noexcept { return drawingStyle_; }
    void SetDrawingStyle(TDrawingStyle style) { drawingStyle_ = style; }

    // The system image list, made on first use; the image list keeps ownership.
    HIMAGELIST Handle();
    int Count() const;

    // Each adds as many images as fit side by side in the bitmap and returns
    // the index of the first, or -1. The caller's bitmaps are not changed.
    // A mask is white where the image is transparent and black where it shows.
    int Add(TBitmap& image, TBitmap* mask);
    // Pixels of maskColor are transparent; clDefault takes the bottom-left pixel's colour.
    int AddMasked(TBitmap& image, TColor maskColor);
    int AddIcon(TIcon& icon);
    void Replace(int index, TBitmap& image, TBitmap* mask);
    void Delete(int index);
    void Clear();

    // Replaces the list by the images of a bitmap resource of a module, cut
    // every width pixels; maskColor (or clNone) as in AddMasked. With
    // loadTransparent, the colour of the first pixel becomes the window colour.
    bool GetInstRes(HINSTANCE instance, const char* name, int width, bool loadTransparent, TColor maskColor);

    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);
    // The image on the bitmap (resized to one image); transparent parts keep the bitmap's brush colour.
    void GetBitmap(int index, TBitmap& image);

    // The form-data property "Bitmap": count, image strip and mask strip.
    void ReadData(TStream& stream);
    void WriteData(TStream& stream) const;

    // After images were added, replaced or removed, with the list as sender.
    TNotifyEvent OnChange;

private:
    void Recreate();
    void Changed();
    void DrawDisabled(HDC dc, int x, int y, int index);

    int width_ = 16;
    int height_ = 16;
    bool masked_ = true;
    TColor bkColor_ = clNone;
    TDrawingStyle drawingStyle_ = dsNormal;
    ui::UniqueImageList handle_;
};
