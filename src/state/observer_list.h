#pragma once

#include <algorithm>
#include <vector>

namespace mirel::state {

// A plain list of non-owning observer pointers. Observers remove themselves
// before they die; the models never own the views that watch them.
template <typename Observer> class ObserverList {
public:
    void add(Observer* o) { observers_.push_back(o); }
    void remove(Observer* o) {
        observers_.erase(std::remove(observers_.begin(), observers_.end(), o), observers_.end());
    }
    template <typename F> void notify(F&& call) const {
        // Copy so that an observer may detach itself while being told.
        const auto snapshot = observers_;
        for (Observer* o : snapshot)
            call(*o);
    }

private:
    std::vector<Observer*> observers_;
};

} // namespace mirel::state
