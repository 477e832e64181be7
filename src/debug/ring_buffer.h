#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace mirel::debug {

// A queue that takes items at the back and gives them up at either end, in
// one block of storage that is kept when it empties: once grown to the
// journal's depth, recording a step allocates nothing.
template <typename T> class RingBuffer {
public:
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    // Where the front and the end stand among all items ever put in since
    // the queue last emptied: marks that stay valid as the front goes.
    std::size_t frontPosition() const { return popped_; }
    std::size_t endPosition() const { return popped_ + size_; }

    T& operator[](std::size_t i) { return items_[(head_ + i) & mask()]; }
    const T& operator[](std::size_t i) const { return items_[(head_ + i) & mask()]; }
    T& back() { return (*this)[size_ - 1]; }
    const T& back() const { return (*this)[size_ - 1]; }

    // The new item at the back, as a default one would be after earlier use
    // of its slot: the caller sets every field it reads.
    T& emplace_back() {
        if (size_ == capacity_) [[unlikely]]
            grow();
        return items_[(head_ + size_++) & mask_];
    }
    void push_back(T item) { emplace_back() = std::move(item); }
    // For a path that checked full() itself, so that it calls nothing.
    bool full() const { return size_ == capacity_; }
    T& emplaceBackWithRoom() { return items_[(head_ + size_++) & mask_]; }
    void pop_back() { --size_; }
    void pop_front(std::size_t n = 1) {
        head_ = (head_ + n) & mask();
        size_ -= n;
        popped_ += n;
    }
    void clear() {
        head_ = 0;
        size_ = 0;
        popped_ = 0;
    }

private:
    std::size_t mask() const { return mask_; }
    // Twice the room, the items moved to the start; the size stays a power of two.
    void grow() {
        std::vector<T> bigger(std::max<std::size_t>(64, items_.size() * 2));
        for (std::size_t i = 0; i < size_; ++i)
            bigger[i] = std::move((*this)[i]);
        items_.swap(bigger);
        capacity_ = items_.size();
        mask_ = capacity_ - 1;
        head_ = 0;
    }

    std::vector<T> items_;
    std::size_t capacity_ = 0; // the storage's size
    std::size_t mask_ = 0;     // ... less one
    std::size_t head_ = 0;
    std::size_t size_ = 0;
    std::size_t popped_ = 0;
};

} // namespace mirel::debug
