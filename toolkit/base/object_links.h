#pragma once
// Weak references: a link to an object that is cleared when the object dies, so that a handler
// whose callees may free the object it runs on can tell afterwards. The holder owns its link.

#include "platform/core/object.h"

#include <memory>
#include <vector>

namespace toolkit::base {

class TcxObjectLinkController;

class TcxObjectLink {
    struct TKey {
        explicit TKey() = default;
    };

public:
    // Made by cxAddObjectLink only.
    TcxObjectLink(TKey, platform::core::TObject* Obj) : Ref(Obj) {}
    // Leaves the controller (when still listed) and releases the controller's reference.
    ~TcxObjectLink();
    TcxObjectLink(const TcxObjectLink&) = delete;
    TcxObjectLink& operator=(const TcxObjectLink&) = delete;

    // The object pointed at, or nullptr once it has died.
    platform::core::TObject* Ref = nullptr;

private:
    friend std::unique_ptr<TcxObjectLink> cxAddObjectLink(platform::core::TObject* Obj);
};

// The links that still point at a live object. One per process, from the first link until the
// last one is released.
class TcxObjectLinkController {
public:
    int Count() const { return static_cast<int>(FLinks.size()); }
    // Every listed link pointing at Obj is cleared and leaves the list.
    void ClearLinks(const platform::core::TObject* Obj);

private:
    friend class TcxObjectLink;
    friend std::unique_ptr<TcxObjectLink> cxAddObjectLink(platform::core::TObject* Obj);

    std::vector<TcxObjectLink*> FLinks;
    int FRefCount = 0;
};

// nullptr for a nullptr Obj.
std::unique_ptr<TcxObjectLink> cxAddObjectLink(platform::core::TObject* Obj);
// Frees the link; nothing for nullptr.
void cxRemoveObjectLink(std::unique_ptr<TcxObjectLink>& Link);
// Called by a dying object: every link to it gets Ref nullptr (the holders still own them).
void cxClearObjectLinks(const platform::core::TObject* Obj);
// The controller while any link lives, else nullptr.
TcxObjectLinkController* cxObjectLinkController();

} // namespace toolkit::base
