#pragma once

#include "model.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace mirel::parts {

// Four banks of 128: bank b's register f is at b * 128 + f.
inline constexpr int bankedCount = 512;

// The registers the rules treat specially, at their bank 0 or bank 1 address.
namespace reg {
inline constexpr int INDF = 0x00;
inline constexpr int TMR0 = 0x01;
inline constexpr int PCL = 0x02;
inline constexpr int STATUS = 0x03;
inline constexpr int FSR = 0x04;
inline constexpr int PORTA = 0x05;
inline constexpr int PORTB = 0x06;
inline constexpr int PCLATH = 0x0A;
inline constexpr int INTCON = 0x0B;
inline constexpr int OPTION = 0x81;
inline constexpr int TRISA = 0x85;
inline constexpr int TRISB = 0x86;
} // namespace reg

// One part's register file: where each banked address leads, which bits a
// register has and what it holds after power-on.
struct RegisterMap {
    // The address whose register this one is (itself, or the copy a mirror
    // or shared register repeats); -1 where the part has no register, which
    // reads 00 and keeps nothing.
    std::array<std::int16_t, bankedCount> home{};
    // Bits the register has; the others read 0.
    std::array<std::uint8_t, bankedCount> bits{};
    std::array<std::uint8_t, bankedCount> powerOn{};
    std::array<std::string_view, bankedCount> name{};
    // The addresses that show each register, by its home address: a write
    // goes to all of them, so that mirrors always read alike.
    std::array<std::array<std::int16_t, 4>, bankedCount> copies{};
    std::array<std::uint8_t, bankedCount> copyCount{};
    int programWords = 0; // program memory, a power of two
    // 70-7F of bank 0 seen from every bank; the 16F84A has none of its own.
    bool sharedTop = false;
};

// The map of a part; null for the teaching model, whose register file is plain storage.
const RegisterMap* registerMap(Model model);

// The lowest address of the register with that name (any case) in the
// model; the teaching model's file is laid out and named as the 16F84A's.
// -1 for a name the model does not know.
int registerNamed(Model model, std::string_view name);

} // namespace mirel::parts
