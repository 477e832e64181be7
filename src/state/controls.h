#pragma once

#include "observer_list.h"

#include <string>

namespace mirel::state {

// One change callback for the small models: the view re-reads whatever it shows.
class ChangeObserver {
public:
    virtual ~ChangeObserver() = default;
    virtual void changed() = 0;
};

class Observable {
public:
    void addObserver(ChangeObserver* o) { observers_.add(o); }
    void removeObserver(ChangeObserver* o) { observers_.remove(o); }

protected:
    void notifyChanged() const {
        observers_.notify([](ChangeObserver& o) { o.changed(); });
    }
    bool observed() const { return !observers_.empty(); }

private:
    ObserverList<ChangeObserver> observers_;
};

// A text box or label: W, the speed label, Text1, Text2, the RW bit captions.
class TextModel : public Observable {
public:
    explicit TextModel(std::string initial = {}) : text_(std::move(initial)) {}
    const std::string& text() const { return text_; }
    // Every set counts as a change, as a text box's change event fires on each assignment.
    void setText(std::string text) {
        text_ = std::move(text);
        notifyChanged();
    }

private:
    std::string text_;
};

// A button (or any control): enabled, shown, caption.
class ControlModel : public Observable {
public:
    ControlModel(std::string caption, bool enabled, bool visible)
        : caption_(std::move(caption)), enabled_(enabled), visible_(visible) {}
    const std::string& caption() const { return caption_; }
    bool enabled() const { return enabled_; }
    bool visible() const { return visible_; }
    void setEnabled(bool on) { set(enabled_, on); }
    void setVisible(bool on) { set(visible_, on); }

private:
    void set(bool& field, bool on) {
        if (field == on)
            return;
        field = on;
        notifyChanged();
    }
    std::string caption_;
    bool enabled_;
    bool visible_;
};

// A port lamp: which picture of the lamp image list it shows.
class LampModel : public Observable {
public:
    static constexpr int Lit = 1;
    static constexpr int Dark = 2;
    int picture() const { return picture_; }
    bool lit() const { return picture_ == Lit; }
    void setPicture(int picture) {
        if (picture_ == picture)
            return;
        picture_ = picture;
        notifyChanged();
    }

private:
    int picture_ = Dark;
};

// An input pin's check box: ticked (1) or not (0), shown, enabled.
class CheckBoxModel : public Observable {
public:
    explicit CheckBoxModel(std::string caption) : caption_(std::move(caption)) {}
    const std::string& caption() const { return caption_; }
    int value() const { return value_; }
    bool visible() const { return visible_; }
    bool enabled() const { return enabled_; }
    void setValue(int value) { set(value_, value); }
    void setVisible(bool on) { set(visible_, on); }
    void setEnabled(bool on) { set(enabled_, on); }

private:
    template <typename T> void set(T& field, T v) {
        if (field == v)
            return;
        field = v;
        notifyChanged();
    }
    std::string caption_;
    int value_ = 0;
    bool visible_ = false;
    bool enabled_ = true;
};

// The run clock: the shell drives a real timer from it.
class TimerModel : public Observable {
public:
    bool enabled() const { return enabled_; }
    int interval() const { return interval_; }
    void setEnabled(bool on) {
        if (enabled_ == on)
            return;
        enabled_ = on;
        notifyChanged();
    }
    void setInterval(int ms) {
        if (interval_ == ms)
            return;
        interval_ = ms;
        notifyChanged();
    }

private:
    bool enabled_ = false;
    int interval_ = 10;
};

} // namespace mirel::state
