// Holds the words of the next Step to what was recorded for the first steps
// of every random program in tests/golden_runs, under the teaching model and
// under the 16F84A's rules (next_steps.16F84A.out, the same format), so that
// the explanations stay as they are while the code behind them changes.
//
// next_steps.out, written by generate.py --next-steps from the driver's
// `--steps K --explain` for K = 0 to 49: for each program a line with its
// number (000), then one line per step whose text differs from the step
// before: K, a tab and what --explain prints after NEXT after K steps.
// Step 0 is always there; a step not listed says what the one before said.
#include "batch_options.h"
#include "batch_run.h"
#include "golden_files.h"
#include "sim/simulator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>

namespace mirel::batch {
namespace {

namespace fs = std::filesystem;

constexpr int recordedSteps = 50;

// The recorded texts by program number, one for each step.
std::map<std::string, std::vector<std::string>> readNextSteps(const std::string& text) {
    std::map<std::string, std::vector<std::string>> programs;
    std::vector<std::string>* texts = nullptr;
    for (const std::string& line : golden::splitAt(text, '\n')) {
        const auto tab = line.find('\t');
        if (line.empty())
            continue;
        if (tab == std::string::npos) {
            if (programs.count(line)) {
                ADD_FAILURE() << "next_steps.out: program " << line << " twice";
                return {};
            }
            texts = &programs[line];
            continue;
        }
        const auto step = std::stoul(line.substr(0, tab));
        if (!texts || step < texts->size() || (texts->empty() && step != 0)) {
            ADD_FAILURE() << "next_steps.out: step out of order: " << line;
            return {};
        }
        // Steps not listed repeat the text before them.
        while (texts->size() < step)
            texts->push_back(texts->back());
        texts->push_back(line.substr(tab + 1));
    }
    for (auto& [number, texts] : programs)
        while (!texts.empty() && texts.size() < recordedSteps)
            texts.push_back(texts.back());
    return programs;
}

class NoMessages final : public state::MessageBoxService {
public:
    void show(const std::string&, const std::string&, state::MessageIcon) override {}
};

const fs::path folder = MIRELSIM_GOLDEN_RUNS_DIR;

std::optional<BatchOptions> optionsFor(std::vector<std::string> arguments) {
    std::string error;
    auto options = parseBatchOptions(arguments, error);
    EXPECT_TRUE(options) << error;
    return options;
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

TEST(NextSteps, ExplainsWhatWasRecordedForEveryRandomProgramStepByStep) {
    const auto programs = golden::programsIn(folder);
    ASSERT_GE(programs.size(), 300u);
    // The teaching model's words, and a part's.
    for (const auto& [file, device] : {std::pair<std::string, std::string>{"next_steps.out", ""},
                                       {"next_steps.16F84A.out", "16F84A"}}) {
        SCOPED_TRACE(file);
        const auto recorded = readNextSteps(golden::readBytes(folder / file));
        ASSERT_EQ(recorded.size(), programs.size()) << file << " records other programs";
        for (const fs::path& program : programs) {
            const std::string number = program.stem().string();
            ASSERT_EQ(recorded.count(number), 1u) << file << " lacks " << number;
            const auto& expected = recorded.at(number);
            ASSERT_EQ(expected.size(), std::size_t{recordedSteps}) << number << "'s steps recorded";

            std::vector<std::string> arguments = {"--explain", program.string()};
            if (!device.empty())
                arguments.insert(arguments.begin(), {"--device", device});
            const auto options = optionsFor(arguments);
            ASSERT_TRUE(options);
            state::MainForm form;
            const auto opened = openAsAsked(*options, form);
            ASSERT_TRUE(opened.opened) << opened.error;
            NoMessages messages;
            sim::Simulator simulator(form, messages);
            // One step at a time, as the window's Step goes; the first wrong
            // text of a program is enough to tell.
            for (int step = 0; step < recordedSteps; ++step) {
                if (step > 0)
                    simulator.Step_Click();
                const std::string text = nextStepText(form, simulator);
                if (text != expected[static_cast<std::size_t>(step)]) {
                    ADD_FAILURE() << program.filename().string() << " after " << step << " steps"
                                  << ": expected "
                                  << quoted(expected[static_cast<std::size_t>(step)]) << ", got "
                                  << quoted(text);
                    break;
                }
            }
        }
    }
}

// The driver itself: --explain adds exactly the NEXT line after the state,
// after a run of many steps on values rather than single Steps.
TEST(NextSteps, DriverExplainsAfterTheStateWhatWasRecorded) {
    const auto recorded = readNextSteps(golden::readBytes(folder / "next_steps.out"));
    const auto programs = golden::programsIn(folder);
    ASSERT_GE(programs.size(), 300u);
    for (std::size_t i = 0; i < programs.size(); i += 23) {
        const std::string steps = std::to_string(i * 7 % recordedSteps);
        const std::string file = programs[i].string();
        const std::string name = programs[i].filename().string() + " after " + steps + " steps";
        const auto plain = optionsFor({"--steps", steps, file});
        const auto explained = optionsFor({"--steps", steps, "--explain", file});
        ASSERT_TRUE(plain && explained);
        std::ostringstream plainOut, explainedOut, err;
        ASSERT_EQ(runBatch(*plain, plainOut, err), 0) << name;
        ASSERT_EQ(runBatch(*explained, explainedOut, err), 0) << name;
        const std::string state = plainOut.str();
        const std::string printed = explainedOut.str();
        EXPECT_TRUE(printed.starts_with(state)) << name << ": --explain changes the state printed";
        const auto& expected = recorded.at(programs[i].stem().string());
        EXPECT_EQ(printed.substr(std::min(state.size(), printed.size())),
                  "NEXT " + expected[i * 7 % recordedSteps] + "\n")
            << name;
    }
}

} // namespace
} // namespace mirel::batch
