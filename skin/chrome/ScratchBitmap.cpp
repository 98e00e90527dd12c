#include "skin/chrome/ScratchBitmap.h"

#include "ui/Bitmap.h"

#include <memory>

namespace {

// The user-interface thread is the only one that paints.
struct Shared {
    std::unique_ptr<TBitmap> bitmap;
    int users = 0;
};

Shared& TheShared()
{
    static Shared shared;
    return shared;
}

} // namespace

TScratchBitmapUse::TScratchBitmapUse()
{
    Shared& shared = TheShared();
    if (shared.users == 0) {
        auto bitmap = std::make_unique<TBitmap>();
        SetStretchBltMode(bitmap->Canvas().Handle(), COLORONCOLOR);
        shared.bitmap = std::move(bitmap);
    }
    ++shared.users;
}

TScratchBitmapUse::~TScratchBitmapUse()
{
    Shared& shared = TheShared();
    if (--shared.users == 0)
        shared.bitmap.reset();
}

TBitmap& TScratchBitmapUse::Bitmap() const { return *TheShared().bitmap; }

TBitmap* TScratchBitmapUse::Current() noexcept { return TheShared().bitmap.get(); }
