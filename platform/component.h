#pragma once
// Components that tell the objects linked to them when they go, so that no
// link outlives what it points at: a grid linked to a cell checker, a
// picture container or an image list forgets it when it is destroyed.
#include "platform/types.h"

#include <functional>
#include <vector>

class TComponentLinks;

// An object others may keep a pointer to. When it is destroyed, every
// TComponentLinks that links it is told and forgets it.
class TComponent : public TObject {
public:
    TComponent() = default;
    // A copy is a component of its own: no link follows it.
    TComponent(const TComponent&) : TObject() {}
    TComponent& operator=(const TComponent&) { return *this; }
    ~TComponent() override;

private:
    friend class TComponentLinks;
    std::vector<TComponentLinks*> links_;
};

// The components one object links to. Removed is called with a linked
// component while it is being destroyed, after which the link is gone;
// every link ends when this object goes.
class TComponentLinks {
public:
    explicit TComponentLinks(std::function<void(const TComponent*)> Removed);
    ~TComponentLinks();
    TComponentLinks(const TComponentLinks&) = delete;
    TComponentLinks& operator=(const TComponentLinks&) = delete;

    // Links Component; nothing for nullptr or a component already linked.
    void Link(TComponent* Component);
    // Ends the link to Component, if there is one.
    void Unlink(TComponent* Component);

private:
    friend class TComponent;
    std::function<void(const TComponent*)> removed_;
    std::vector<TComponent*> components_;
};
