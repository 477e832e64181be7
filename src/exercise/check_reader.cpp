#include "check_reader.h"

#include "parts/register_map.h"
#include "state/register_file.h"

#include <cctype>
#include <charconv>

namespace mirel::exercise {

namespace {

// Upper case, blanks and tabs as single spaces, none at either end.
std::string words(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == ' ' || c == '\t') {
            if (!out.empty() && out.back() != ' ')
                out += ' ';
        } else {
            out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
    }
    if (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

// A register by address or by the name its model gives it.
std::optional<int> registerNamed(std::string_view name, parts::Model model, std::string& error) {
    const int last =
        model == parts::Model::Teaching ? state::registerCount - 1 : parts::bankedCount - 1;
    if (const auto address = hexValue(name, 4)) {
        if (*address > last) {
            error = "register " + std::string(name) + " lies beyond the register file";
            return std::nullopt;
        }
        return *address;
    }
    if (const int named = parts::registerNamed(model, name); named >= 0)
        return named;
    error = "no register is named '" + std::string(name) + "' in the " +
            std::string(parts::modelName(model));
    return std::nullopt;
}

bool fault(std::string& error, std::string_view text) {
    error = "cannot read the check '" + std::string(text) +
            "' (expected REGISTER = HH, REGISTER.BIT = 0 or 1, W = HH, halted, halted at "
            "ADDRESS, stack empty, no messages, instructions <= N or cycles <= N)";
    return false;
}

} // namespace

std::optional<long long> wholeNumber(std::string_view text) {
    long long n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() || n < 0)
        return std::nullopt;
    return n;
}

std::optional<int> hexValue(std::string_view text, std::size_t digits) {
    if (text.empty() || text.size() > digits)
        return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (ec != std::errc() || end != text.data() + text.size() || text.front() == '-' ||
        text.front() == '+')
        return std::nullopt;
    return value;
}

bool sameWords(std::string_view a, std::string_view b) {
    return words(a) == words(b);
}

bool readCheckText(std::string_view text, parts::Model model, Check& check, std::string& error) {
    using Kind = Check::Kind;
    const std::string all = words(text);
    check.text = std::string(text);
    const auto op = all.find_first_of("=<!");
    if (op == std::string::npos) {
        if (all == "HALTED") {
            check.kind = Kind::Halted;
        } else if (all.starts_with("HALTED AT ")) {
            const auto address = hexValue(std::string_view(all).substr(10), 4);
            if (!address)
                return fault(error, text);
            check.kind = Kind::HaltedAt;
            check.address = *address;
        } else if (all == "STACK EMPTY") {
            check.kind = Kind::StackEmpty;
        } else if (all == "NO MESSAGES") {
            check.kind = Kind::NoMessages;
        } else {
            return fault(error, text);
        }
        return true;
    }
    const std::string subject = words(std::string_view(all).substr(0, op));
    std::string_view rest = std::string_view(all).substr(op);
    std::string_view sign;
    for (std::string_view s : {"<=", "!=", "="})
        if (rest.starts_with(s)) {
            sign = s;
            break;
        }
    if (sign.empty())
        return fault(error, text);
    const std::string value = words(rest.substr(sign.size()));
    if (sign == "<=") {
        const auto n = wholeNumber(value);
        if (!n || (subject != "INSTRUCTIONS" && subject != "CYCLES"))
            return fault(error, text);
        check.kind = subject == "CYCLES" ? Kind::Cycles : Kind::Instructions;
        check.value = *n;
        return true;
    }
    check.equal = sign == "=";
    const auto dot = subject.find('.');
    const std::string name = subject.substr(0, dot);
    if (dot != std::string::npos) {
        const auto bit = wholeNumber(std::string_view(subject).substr(dot + 1));
        if (!bit || *bit > 7 || (value != "0" && value != "1"))
            return fault(error, text);
        check.bit = static_cast<int>(*bit);
        check.value = value == "1" ? 1 : 0;
    } else {
        const auto byte = hexValue(value, 2);
        if (!byte)
            return fault(error, text);
        check.value = *byte;
    }
    if (name == "W") {
        check.kind = dot == std::string::npos ? Kind::W : Kind::WBit;
        return true;
    }
    if (name.empty() || name.find(' ') != std::string::npos)
        return fault(error, text);
    const auto address = registerNamed(name, model, error);
    if (!address)
        return false;
    check.kind = dot == std::string::npos ? Kind::Register : Kind::RegisterBit;
    check.address = *address;
    return true;
}

} // namespace mirel::exercise
