#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace mirel::state {

// A plain list of non-owning observer pointers. Observers remove themselves
// before they die; the models never own the views that watch them.
template <typename Observer> class ObserverList {
public:
    void add(Observer* o) { observers_.push_back(o); }
    void remove(Observer* o) {
        if (notifying_ == 0) {
            observers_.erase(std::remove(observers_.begin(), observers_.end(), o),
                             observers_.end());
            return;
        }
        // While the list is being told, the slot is emptied and swept afterwards.
        std::replace(observers_.begin(), observers_.end(), o, static_cast<Observer*>(nullptr));
        emptied_ = true;
    }
    bool empty() const { return observers_.empty(); }

    // Observers may detach themselves or others while being told; one added
    // meanwhile hears from the next change on. Telling allocates nothing, so a
    // model change costs no heap work.
    template <typename F> void notify(F&& call) const {
        if (observers_.empty())
            return;
        const std::size_t n = observers_.size();
        Telling telling(*this);
        for (std::size_t i = 0; i < n; ++i)
            if (Observer* o = observers_[i])
                call(*o);
    }

private:
    struct Telling {
        explicit Telling(const ObserverList& list) : list_(list) { ++list_.notifying_; }
        ~Telling() {
            if (--list_.notifying_ == 0 && list_.emptied_) {
                list_.observers_.erase(
                    std::remove(list_.observers_.begin(), list_.observers_.end(), nullptr),
                    list_.observers_.end());
                list_.emptied_ = false;
            }
        }
        const ObserverList& list_;
    };

    mutable std::vector<Observer*> observers_;
    mutable int notifying_ = 0;
    mutable bool emptied_ = false;
};

} // namespace mirel::state
