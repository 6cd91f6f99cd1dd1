#include "toolkit/base/msimg_library.h"

#include "platform/gdi/visual_styles.h"

namespace toolkit::base {

namespace pg = platform::gdi;

namespace {

class TLoadedLibrary {
public:
    TLoadedLibrary() : library_(pg::LoadLibrary("msimg32.dll")) {
        if (library_ == pg::NullModule) return;
        entries_.AlphaBlend =
            reinterpret_cast<TAlphaBlend>(pg::GetProcAddress(library_, "AlphaBlend"));
        entries_.GradientFill =
            reinterpret_cast<TGradientFill>(pg::GetProcAddress(library_, "GradientFill"));
    }
    ~TLoadedLibrary() {
        if (library_ != pg::NullModule) pg::FreeLibrary(library_);
    }
    TLoadedLibrary(const TLoadedLibrary&) = delete;
    TLoadedLibrary& operator=(const TLoadedLibrary&) = delete;

    const TMsImgLibrary& Entries() const { return entries_; }

private:
    pg::HMODULE library_;
    TMsImgLibrary entries_;
};

} // namespace

const TMsImgLibrary& MsImgLibrary() {
    static const TLoadedLibrary Library;
    return Library.Entries();
}

} // namespace toolkit::base
