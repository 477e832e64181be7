#pragma once

#include "text_list.h"

#include <cstdint>
#include <string>
#include <vector>

namespace mirel::state {

// Hears every change of Reg's lines as soon as the values took it in, before
// Reg's observers do: the one party that must see each write of a step (the
// step journal) is told directly instead of through the observer list.
class RegisterWatch {
public:
    enum class Event : std::uint8_t { Replaced, Inserted, Removed, Reset };
    virtual ~RegisterWatch() = default;
    // A write made the line the standard text of `value`.
    virtual void registerWritten(int index, std::uint8_t value) = 0;
    // A write of the value a standard line held already, heard only while
    // RegisterValues::hearRewrites is on.
    virtual void registerRewritten(int /*index*/) {}
    // Text was put in (Replaced, Inserted), a line removed, or every line
    // replaced (Reset, index -1).
    virtual void registerTextChanged(Event event, int index) = 0;
};

// The register file as values beside the text of Reg. A write changes the
// value and the line's text is made when someone reads it; a line put into
// Reg as text is read back into its value. Either way Reg's observers hear
// which line changed.
class RegisterValues final : private LineMaker {
public:
    explicit RegisterValues(TextList& reg);
    ~RegisterValues() override;
    RegisterValues(const RegisterValues&) = delete;
    RegisterValues& operator=(const RegisterValues&) = delete;

    // Characters 6 and 7 of the line read as hex; 0 for indices without a line.
    int value(int index) const {
        return index >= 0 && index < static_cast<int>(values_.size())
                   ? values_[static_cast<std::size_t>(index)]
                   : 0;
    }
    // Whether the line has the layout a write gives it (its own address, the
    // value in hex and binary), rather than text put there by hand.
    bool wellFormed(int index) const { return wellFormed_[static_cast<std::size_t>(index)] != 0; }
    // Every line's value and form at once, for a core that copies them.
    const std::vector<std::uint8_t>& values() const { return values_; }
    const std::vector<std::uint8_t>& wellFormedFlags() const { return wellFormed_; }
    // One watcher at a time; null for none.
    void setWatch(RegisterWatch* watch) { watch_ = watch; }
    RegisterWatch* watch() const { return watch_; }
    // While on, the watcher also hears writes that change nothing.
    void hearRewrites(bool on) { rewrites_ = on && watch_ != nullptr; }
    // The line becomes the index's address, the value in hex and in binary.
    // Writing the value a well-formed line holds is no change. Ignored beyond the list.
    void write(int index, int value) {
        const auto at = static_cast<std::size_t>(index);
        if (at < values_.size() && wellFormed_[at] && values_[at] == (value & 0xFF)) {
            if (rewrites_) [[unlikely]]
                watch_->registerRewritten(index);
            return;
        }
        change(index, value);
    }

private:
    void makeLine(int index, std::string& text) const override;
    void textInserted(int index) override;
    void textRemoved(int index) override;
    void textReplaced(int index) override;
    void textReset() override;
    void readLine(int index);
    void change(int index, int value);

    TextList& reg_;
    RegisterWatch* watch_ = nullptr;
    bool rewrites_ = false;
    std::vector<std::uint8_t> values_;
    std::vector<std::uint8_t> wellFormed_;
};

// "000C", tab, "A5", three blanks, "10100101" into `text`, reusing its storage.
void makeRegisterLine(int index, int value, std::string& text);

} // namespace mirel::state
