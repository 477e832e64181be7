#include "machine_snapshot.h"

#include <algorithm>
#include <cstring>

namespace mirel::debug {

const std::shared_ptr<const std::vector<std::string>>&
StackLog::hold(const std::vector<std::string>& lines) {
    if (log_) {
        std::size_t same = 0;
        const std::size_t common = std::min(log_->size(), lines.size());
        while (same < common && (*log_)[same] == lines[same])
            ++same;
        // Earlier snapshots may take any of the log's lines: it only grows.
        if (same == log_->size()) {
            growing_->insert(growing_->end(), lines.begin() + static_cast<std::ptrdiff_t>(same),
                             lines.end());
            return log_;
        }
        if (same == lines.size())
            return log_;
    }
    auto log = std::make_shared<std::vector<std::string>>(lines);
    growing_ = log.get();
    log_ = std::move(log);
    return log_;
}

void MachineSnapshot::take(state::MainForm& form, sim::part::PartMachine* machine,
                           const sim::PortTail& ports, StackLog& log, bool anyTyped) {
    const auto& regValues = form.registers.values();
    if (values.size() == regValues.size()) // a snapshot filled again
        std::memcpy(values.data(), regValues.data(), values.size());
    else
        values.assign(regValues.begin(), regValues.end());
    typedLines.clear();
    // Lines typed by hand are rare: find them a block at a time.
    const auto& flags = form.registers.wellFormedFlags();
    const std::uint8_t* begin = flags.data();
    const std::uint8_t* end = begin + flags.size();
    for (const std::uint8_t* p = begin;
         anyTyped && (p = static_cast<const std::uint8_t*>(
                          std::memchr(p, 0, static_cast<std::size_t>(end - p)))) != nullptr;
         ++p) {
        const int index = static_cast<int>(p - begin);
        typedLines.emplace_back(index, form.Reg.line(index));
    }
    if (w != form.W.text())
        w = form.W.text();
    // A snapshot filled again mostly holds the same log already.
    if (const auto& held = log.hold(form.SPReg.lines()); stackLog != held)
        stackLog = held;
    stackCount = form.SPReg.lines().size();
    selected = form.Code.selectedIndex();
    first = form.Counter.firstLine();
    entry = form.Counter.selectedEntry();
    caret = form.Counter.caret();
    if (entry != 0)
        edit = form.Counter.editText();
    if (!ports.shown(controls, ticks)) {
        controls = state::readPortControls(form);
        ticks = readTicks(form);
    }
    part = machine != nullptr;
    if (machine) {
        hidden = machine->hiddenState();
        woke = machine->woke();
    }
}

namespace {

void restoreStack(state::TextList& list, const std::vector<std::string>& lines, std::size_t taken) {
    const int count = static_cast<int>(taken);
    while (list.count() > count)
        list.removeAt(list.count() - 1);
    for (int i = 0; i < count; ++i) {
        const auto& line = lines[static_cast<std::size_t>(i)];
        if (i >= list.count())
            list.append(line);
        else if (list.line(i) != line)
            list.replaceAt(i, line);
    }
}

void restoreControls(state::MainForm& form, const state::PortControls& c) {
    for (std::size_t i = 0; i < 8; ++i) {
        const auto picture = [&](std::size_t bit) {
            return (c.lamps >> bit) & 1 ? state::LampModel::Lit : state::LampModel::Dark;
        };
        form.RA[i].setPicture(picture(i));
        form.RB[i].setPicture(picture(i + 8));
        form.InA[i].setVisible((c.boxesShown >> i) & 1);
        form.InB[i].setVisible((c.boxesShown >> (i + 8)) & 1);
        form.InA[i].setEnabled((c.boxesEnabled >> i) & 1);
        form.InB[i].setEnabled((c.boxesEnabled >> (i + 8)) & 1);
    }
}

} // namespace

void MachineSnapshot::restore(state::MainForm& form, sim::part::PartMachine* machine) const {
    // Steps never add or remove register lines; a history with other lines was forgotten.
    if (static_cast<int>(values.size()) == form.Reg.count()) {
        auto typed = typedLines.begin();
        for (int i = 0; i < static_cast<int>(values.size()); ++i) {
            if (typed != typedLines.end() && typed->first == i) {
                if (form.Reg.line(i) != typed->second)
                    form.Reg.replaceAt(i, typed->second);
                ++typed;
                continue;
            }
            form.registers.write(i, values[static_cast<std::size_t>(i)]);
        }
    }
    if (form.W.text() != w)
        form.W.setText(w);
    restoreStack(form.SPReg, *stackLog, stackCount);
    restoreEntryLine(form, selected, first, entry, caret, edit);
    restoreControls(form, controls);
    // A run on values hands its end state over the same way.
    if (machine && part)
        machine->ranOnValues(hidden, woke);
}

void restoreEntryLine(state::MainForm& form, int selected, int first, int entry, int caret,
                      const std::string& edit) {
    if (selected < 0)
        form.Code.clearSelection();
    else
        form.Code.select(selected);
    // The selection may have refilled the entry line: put it back as it was.
    state::CounterModel& counter = form.Counter;
    if (first < 0)
        counter.clear();
    else
        counter.fillFrom(first);
    if (entry == 0)
        counter.selectFirstEntry();
    else
        counter.setEditText(edit);
    counter.setCaret(caret);
}

std::uint16_t readTicks(const state::MainForm& form) {
    return static_cast<std::uint16_t>(state::tickedInputs(form.InA) | state::tickedInputs(form.InB)
                                                                          << 8);
}

void setTicks(state::MainForm& form, std::uint16_t ticks) {
    const auto tick = [](state::CheckBoxModel& box, int on) {
        if ((box.value() != 0) != (on != 0))
            box.setValue(on);
    };
    for (std::size_t i = 0; i < 8; ++i) {
        tick(form.InA[i], (ticks >> i) & 1);
        tick(form.InB[i], (ticks >> (i + 8)) & 1);
    }
}

} // namespace mirel::debug
