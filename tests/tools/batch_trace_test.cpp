// --trace: the pins and W after every step, as a waveform viewer's file and
// as a table, held to recorded files and read back against each other.
#include "batch_options.h"
#include "batch_run.h"
#include "golden_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

namespace mirel::batch {
namespace {

namespace fs = std::filesystem;

const fs::path examples = MIRELSIM_EXAMPLES_DIR;
const fs::path traces = MIRELSIM_TRACES_DIR;

struct Traced {
    std::string program;
    std::string device; // "" for the teaching model
    std::string steps;
};

const Traced traced[] = {{"running_light", "", "40"}, {"timer_interrupt", "16F84A", "4200"}};

std::string traceOf(const Traced& t, const std::string& ending) {
    const fs::path out = fs::temp_directory_path() / ("mirelsim_trace_test" + ending);
    std::vector<std::string> args{"--steps", t.steps, "--trace", out.string()};
    if (!t.device.empty())
        args.insert(args.end(), {"--device", t.device});
    args.push_back((examples / (t.program + ".mrl")).string());
    std::string error;
    const auto options = parseBatchOptions(args, error);
    EXPECT_TRUE(options) << error;
    std::ostringstream state, err;
    EXPECT_EQ(options ? runBatch(*options, state, err) : -1, 0) << err.str();
    const std::string text = golden::readBytes(out);
    fs::remove(out);
    return text;
}

TEST(BatchTrace, WritesTheRecordedFiles) {
    for (const Traced& t : traced) {
        for (const char* ending : {".vcd", ".csv"}) {
            const fs::path recorded = traces / (t.program + ending);
            if (!fs::exists(recorded))
                continue; // a long run's table is only read back below
            EXPECT_EQ(traceOf(t, ending), golden::readBytes(recorded)) << recorded;
        }
    }
}

// A reader of the dump as a viewer reads it: each signal's value at the end
// of each time. Signals are named as declared; a byte is its value.
std::map<long long, std::map<std::string, int>> readVcd(const std::string& text) {
    std::map<std::string, std::string> names; // code -> name
    std::map<std::string, int> now;
    std::map<long long, std::map<std::string, int>> at;
    long long time = -1;
    std::istringstream in(text);
    for (std::string word; in >> word;) {
        if (word == "$var") {
            std::string type, width, code, name, end;
            in >> type >> width >> code >> name >> end;
            EXPECT_EQ(end, "$end");
            names[code] = name;
        } else if (word[0] == '#') {
            if (time >= 0)
                at[time] = now;
            time = std::stoll(word.substr(1));
        } else if (word[0] == 'b') {
            std::string code;
            in >> code;
            EXPECT_TRUE(names.count(code)) << code;
            now[names[code]] = std::stoi(word.substr(1), nullptr, 2);
        } else if ((word[0] == '0' || word[0] == '1') && word.size() > 1) {
            EXPECT_TRUE(names.count(word.substr(1))) << word;
            now[names[word.substr(1)]] = word[0] - '0';
        } else if (word == "$version" || word == "$timescale" || word == "$scope") {
            while (in >> word && word != "$end") {
            }
        }
    }
    at[time] = now;
    return at;
}

TEST(BatchTrace, TheDumpReadsBackAsTheTableOfEveryStep) {
    for (const Traced& t : traced) {
        SCOPED_TRACE(t.program);
        const auto dump = readVcd(traceOf(t, ".vcd"));
        const auto rows = golden::splitAt(traceOf(t, ".csv"), '\n');
        ASSERT_EQ(rows[0], "step,cycles,time_us,next,PORTA,PORTB,W");
        ASSERT_EQ(rows.size(), std::stoul(t.steps) + 3); // heading, rows, end of text
        // The dump holds the last row of each time; a time without a change is not written.
        std::map<std::string, int> seen = dump.begin()->second;
        for (std::size_t r = 1; r + 1 < rows.size(); ++r) {
            const auto cells = golden::splitAt(rows[r], ',');
            const long long cycles = std::stoll(cells[1]);
            if (r + 2 < rows.size() && std::stoll(golden::splitAt(rows[r + 1], ',')[1]) == cycles)
                continue;
            if (const auto changed = dump.find(cycles); changed != dump.end())
                seen = changed->second;
            int portA = 0, portB = 0;
            for (int bit = 0; bit < 8; ++bit) {
                portA |= seen["RA" + std::to_string(bit)] << bit;
                portB |= seen["RB" + std::to_string(bit)] << bit;
            }
            ASSERT_EQ(portA, std::stoi(cells[4], nullptr, 16)) << rows[r];
            ASSERT_EQ(portB, std::stoi(cells[5], nullptr, 16)) << rows[r];
            ASSERT_EQ(seen["W"], std::stoi(cells[6], nullptr, 16)) << rows[r];
        }
    }
}

} // namespace
} // namespace mirel::batch
