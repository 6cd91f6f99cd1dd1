#pragma once
// The class library's bitmap: a 32-bit image with a canvas of its own, read from BMP or PNG
// files, written to and read from streams as a BMP file; the picture that holds one for an image
// control; and the icon a form shows.

#include "platform/core/filer.h"
#include "platform/core/streams.h"
#include "platform/gdi/canvas.h"
#include "platform/win/icons.h"

#include <functional>
#include <string>

namespace platform::forms {

class TBitmap : public core::TObject {
public:
    TBitmap();
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Keeps what still fits; new area is white.
    void SetSize(int width, int height);
    void SetWidth(int value) { SetSize(value, height_); }
    void SetHeight(int value) { SetSize(width_, value); }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    // Draws into the bitmap.
    gdi::TCanvas& Canvas();
    gdi::HBITMAP Handle() const { return bitmap_; }
    // BMP or PNG; raises core::Exception when the file cannot be read as a picture.
    void LoadFromFile(const std::string& path);
    // As a bitmap file: its headers and 32-bit rows, bottom-up; an empty bitmap writes nothing.
    // Reading takes 24- and 32-bit files (nothing: empty) and raises core::EReadError "Bitmap
    // image is not valid" for anything else.
    void SaveToStream(core::TStream& stream) const;
    void LoadFromStream(core::TStream& stream);
    void Assign(const TBitmap& source);
    // Pixels of this colour are not drawn by DrawTransparent; the bottom-left pixel by default.
    gdi::TColor TransparentColor() const;
    // The bitmap, or its part source, into dest of a context.
    void Draw(gdi::HDC dc, const gdi::TRect& dest) const;
    void DrawPart(gdi::HDC dc, int x, int y, const gdi::TRect& source, bool transparent) const;

    std::function<void()> OnChange;

private:
    void Release();
    gdi::HBITMAP bitmap_{};
    gdi::HDC dc_{};
    gdi::HGDIOBJ old_{};
    gdi::TCanvas canvas_;
    int width_ = 0;
    int height_ = 0;
};

// A bitmap property of a form stream: "<name>.Data", the bitmap's stream as raw bytes, written
// when Stored.
void DefineBitmapProperty(core::TFiler& filer, const std::string& name, TBitmap& bitmap,
                          bool stored);
// A font property: "<name>.Charset", ".Color", ".Height", ".Name", ".Pitch" (when not the
// default) and ".Style", written when Stored.
void DefineFontProperties(core::TFiler& filer, const std::string& name, gdi::TFont& font,
                          bool stored);

// An icon, which the object owns: it is destroyed with the object or when another takes its
// place.
class TIcon : public core::TObject {
public:
    TIcon() = default;
    ~TIcon() override;
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;

    // NullIcon while empty.
    win::HICON Handle() const { return icon_; }
    // Takes the icon over.
    void SetHandle(win::HICON value);
    // Gives the icon up without destroying it; the object is empty afterwards.
    win::HICON ReleaseHandle();
    bool Empty() const { return icon_ == win::NullIcon; }
    int Width() const { return win::IconSize(icon_).cx; }
    int Height() const { return win::IconSize(icon_).cy; }
    // A copy of the source's icon, or empty.
    void Assign(const TIcon& source);

    std::function<void()> OnChange;

private:
    win::HICON icon_{};
};

class TPicture : public core::TObject {
public:
    TBitmap& Bitmap() { return bitmap_; }
    const TBitmap& Bitmap() const { return bitmap_; }
    int Width() const { return bitmap_.Width(); }
    int Height() const { return bitmap_.Height(); }
    void LoadFromFile(const std::string& path) { bitmap_.LoadFromFile(path); }

private:
    TBitmap bitmap_;
};

} // namespace platform::forms
