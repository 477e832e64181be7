#include "change_watch.h"

#include "state/register_file.h"

namespace mirel::debug {

// The stack and the input boxes: a step changes them, the user only ticks boxes.
class ChangeWatch::Others final : public state::TextListObserver, public state::ChangeObserver {
public:
    Others(ChangeWatch& watch, std::function<void()> ticked)
        : watch_(watch), ticked_(std::move(ticked)) {
        watch_.form_.SPReg.addObserver(this);
        forEachBox([this](state::CheckBoxModel& box) { box.addObserver(this); });
    }
    ~Others() override {
        forEachBox([this](state::CheckBoxModel& box) { box.removeObserver(this); });
        watch_.form_.SPReg.removeObserver(this);
    }

    void lineInserted(int) override { stackChanged(); }
    void lineRemoved(int) override { stackChanged(); }
    void lineReplaced(int) override { stackChanged(); }
    void linesReset() override { stackChanged(); }
    void changed() override {
        if (!watch_.quiet())
            ticked_();
    }

private:
    void stackChanged() {
        if (!watch_.quiet())
            watch_.outside_();
    }
    template <typename F> void forEachBox(F&& f) {
        for (std::size_t i = 0; i < 8; ++i) {
            f(watch_.form_.InA[i]);
            f(watch_.form_.InB[i]);
        }
    }
    ChangeWatch& watch_;
    std::function<void()> ticked_;
};

ChangeWatch::ChangeWatch(state::MainForm& form, std::function<void()> outside,
                         std::function<void()> ticked)
    : form_(form), outside_(std::move(outside)), w_(form.W.text()),
      others_(std::make_unique<Others>(*this, std::move(ticked))) {
    readAll();
    form_.W.addObserver(this);
    form_.registers.setWatch(this);
}

ChangeWatch::~ChangeWatch() {
    if (form_.registers.watch() == this)
        form_.registers.setWatch(nullptr);
    form_.W.removeObserver(this);
}

void ChangeWatch::readLine(std::size_t at) {
    const int index = static_cast<int>(at);
    Line& line = lines_[at];
    line.value = static_cast<std::uint8_t>(form_.registers.value(index));
    const std::uint8_t wellFormed = form_.registers.wellFormed(index) ? 1 : 0;
    if (wellFormed != line.wellFormed)
        typed_ = wellFormed ? typed_ - 1 : typed_ + 1;
    line.wellFormed = wellFormed;
    if (!line.wellFormed)
        texts_[at].now = form_.Reg.line(index);
}

void ChangeWatch::keepTextBefore(const Line& line) {
    Texts& texts = texts_[static_cast<std::size_t>(&line - lines_.data())];
    texts.before = texts.now;
}

// Over a line typed by hand its text is kept; and outside a step the change is the user's.
void ChangeWatch::unusualWrite(int index, std::uint32_t wasMark, bool wasWellFormed) {
    if (writes_)
        writes_->written(index);
    if (!wasWellFormed)
        --typed_; // the line holds its value's text now
    if (!wasWellFormed && wasMark != epoch_)
        keepTextBefore(lines_[static_cast<std::size_t>(index)]);
    if (!quiet())
        outside_();
}

void ChangeWatch::readAll() {
    const auto count = static_cast<std::size_t>(form_.Reg.count());
    lines_.assign(count, Line{});
    typed_ = count; // as the lines stand before they are read
    texts_.resize(count);
    for (std::size_t i = 0; i < count; ++i)
        readLine(i);
}

void ChangeWatch::restartEpochs() {
    for (Line& line : lines_)
        line.mark = 0;
    wMark_ = 0;
    epoch_ = 1;
}

void ChangeWatch::registerTextChanged(Event event, int index) {
    if (event == Event::Replaced) {
        const auto at = static_cast<std::size_t>(index);
        if (lines_[at].mark != epoch_)
            keepBefore(lines_[at]);
        readLine(at);
    } else {
        // The lines after it moved: what they held before no longer matches.
        readAll();
        startHighlight();
    }
    if (!quiet())
        outside_();
}

void ChangeWatch::changed() {
    if (wMark_ != epoch_) {
        wMark_ = epoch_;
        wBefore_.assign(w_);
    }
    w_.assign(form_.W.text());
    if (writes_)
        writes_->wWritten();
    if (!quiet())
        outside_();
}

std::string ChangeWatch::text(int index, bool wellFormed, int value, const std::string& typed) {
    return wellFormed ? state::registerLine(index, value) : typed;
}

std::vector<int> ChangeWatch::changedRegisters() const {
    std::vector<int> out;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line& l = lines_[i];
        if (l.mark != epoch_)
            continue;
        const int index = static_cast<int>(i);
        const bool differs =
            l.wellFormed && l.wellFormedBefore
                ? l.value != l.valueBefore
                : text(index, l.wellFormedBefore, l.valueBefore, texts_[i].before) !=
                      text(index, l.wellFormed, l.value, texts_[i].now);
        if (differs)
            out.push_back(index);
    }
    return out;
}

} // namespace mirel::debug
