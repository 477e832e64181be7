#include "hex_records.h"

#include "state/hex_text.h"

#include <algorithm>

namespace mirel::assembler {

std::string hexRecords(std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve(bytes.size() / hexRecordBytes * 45 + 45);
    for (std::size_t start = 0; start < bytes.size(); start += hexRecordBytes) {
        const auto record = bytes.subspan(start, std::min(hexRecordBytes, bytes.size() - start));
        const std::size_t address = start & 0xFFFF; // longer programs are refused before this
        unsigned sum = static_cast<unsigned>(record.size() + (address >> 8) + (address & 0xFF));
        text += ':';
        text += state::hex2(static_cast<long long>(record.size()));
        text += state::hex4(static_cast<long long>(address));
        text += "00";
        for (std::uint8_t byte : record) {
            text += state::hex2(byte);
            sum += byte;
        }
        text += state::hex2((0x100 - (sum & 0xFF)) & 0xFF);
        if (record.size() == hexRecordBytes)
            text += "\r\n";
    }
    return text;
}

namespace {
std::string record(std::size_t byteAddress, std::span<const std::uint8_t> bytes) {
    unsigned sum =
        static_cast<unsigned>(bytes.size() + ((byteAddress >> 8) & 0xFF) + (byteAddress & 0xFF));
    std::string text = ":" + state::hex2(static_cast<long long>(bytes.size())) +
                       state::hex4(static_cast<long long>(byteAddress & 0xFFFF)) + "00";
    for (std::uint8_t byte : bytes) {
        text += state::hex2(byte);
        sum += byte;
    }
    return text + state::hex2((0x100 - (sum & 0xFF)) & 0xFF) + "\r\n";
}
} // namespace

std::string placedHexRecords(std::vector<PlacedWord> words) {
    std::stable_sort(words.begin(), words.end(), [](const PlacedWord& a, const PlacedWord& b) {
        return a.address < b.address;
    });
    std::string text;
    std::vector<std::uint8_t> run;
    std::size_t runStart = 0; // byte address of the run's first byte
    int next = -1;            // the address that would continue the run
    const auto flush = [&] {
        for (std::size_t at = 0; at < run.size(); at += hexRecordBytes)
            text += record(runStart + at,
                           std::span(run).subspan(at, std::min(hexRecordBytes, run.size() - at)));
        run.clear();
    };
    for (const PlacedWord& w : words) {
        if (w.address < next)
            continue; // an address already given its word
        if (w.address != next) {
            flush();
            runStart = static_cast<std::size_t>(w.address) * 2;
        }
        run.push_back(static_cast<std::uint8_t>(w.word & 0xFF));
        run.push_back(static_cast<std::uint8_t>(w.word >> 8));
        next = w.address + 1;
    }
    flush();
    return text;
}

} // namespace mirel::assembler
