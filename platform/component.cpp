#include "platform/component.h"

#include <algorithm>
#include <utility>

namespace {

template <class T>
void EraseOne(std::vector<T*>& list, T* item)
{
    const auto it = std::find(list.begin(), list.end(), item);
    if (it != list.end())
        list.erase(it);
}

} // namespace

TComponent::~TComponent()
{
    // Each link is told once; what it does then (linking or unlinking
    // anything) no longer reaches this component.
    const std::vector<TComponentLinks*> links = std::exchange(links_, {});
    for (TComponentLinks* link : links) {
        EraseOne(link->components_, static_cast<TComponent*>(this));
        if (link->removed_)
            link->removed_(this);
    }
}

TComponentLinks::TComponentLinks(std::function<void(const TComponent*)> Removed) : removed_(std::move(Removed)) {}

TComponentLinks::~TComponentLinks()
{
    for (TComponent* component : components_)
        EraseOne(component->links_, this);
}

void TComponentLinks::Link(TComponent* Component)
{
    if (!Component || std::find(components_.begin(), components_.end(), Component) != components_.end())
        return;
    components_.push_back(Component);
    Component->links_.push_back(this);
}

void TComponentLinks::Unlink(TComponent* Component)
{
    if (!Component || std::find(components_.begin(), components_.end(), Component) == components_.end())
        return;
    EraseOne(components_, Component);
    EraseOne(Component->links_, this);
}
