#pragma once

#include "controls.h"
#include "counter_model.h"
#include "read_words.h"
#include "parts/model.h"
#include "register_values.h"
#include "text_list.h"

#include <array>
#include <memory>

namespace mirel::state {

// Every control of the main window as a plain model. The machine has no state
// besides this text: the simulator reads and writes these lines and texts.
class MainForm {
public:
    MainForm();
    ~MainForm();
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;

    TextList Reg;   // register file, one line per register
    TextList Code;  // program memory; its selection is the program counter
    TextList SPReg; // return stack under the heading "SP"
    CounterModel Counter{Code};
    // The values behind Reg's lines: the simulator reads and writes these,
    // and a line's text is made when it is read.
    RegisterValues registers{Reg};
    // The words a hex file gave Code's lines, for a save of the unchanged lines.
    ReadWords readWords{Code};

    // The rules the machine follows since the last New or Open, and the
    // ones the next New or Open takes on.
    parts::Model model = parts::Model::Teaching;
    parts::Model chosenModel = parts::Model::Teaching;

    TextModel W{"00"};
    std::array<TextModel, 8> RW; // bit labels of W, index = bit number

    ControlModel Step{"Step", false, true};
    ControlModel StartKey{"Start", false, true};
    ControlModel StopKey{"Stop", false, false};
    ControlModel Fast{"Fast", false, false};
    ControlModel Slow{"Slow", false, false};
    ControlModel Mirel{"Mirel", false, true};

    // Enabled and shown flags of the views above, of W's box and of the
    // column headings: a fast run hides the big views.
    ControlModel CounterView{"", true, true};
    ControlModel RegView{"", true, true};
    ControlModel CodeView{"", true, true};
    ControlModel WBox{"", true, true};
    ControlModel Label2{" REG         Hex  76543210", true, true};
    ControlModel Label3{"ADR         OpCode        Value", true, true};

    std::array<LampModel, 8> RA;
    std::array<LampModel, 8> RB;
    std::array<CheckBoxModel, 8> InA;
    std::array<CheckBoxModel, 8> InB;

    TimerModel Timer1;
    TextModel Label5{"500"};
    TextModel Text1{"Text1"};
    TextModel Text2{"Text2"};

private:
    // Wires the controls' own events: W's change updates its bits, a new
    // selection of Code refills Counter.
    class Events;
    std::unique_ptr<Events> events_;
};

} // namespace mirel::state
