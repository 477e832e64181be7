#pragma once

#include "parts/register_map.h"

namespace mirel::sim::part {

namespace reg = mirel::parts::reg;

// A part's register file as its rules address it, whichever storage holds
// it. `Storage` gives the value a register holds at its home address
// (value) and stores one into every copy of it (store); this adds where a
// banked address leads and the bits each register has. The registers of
// reg:: are at home at their own address in every part, so the rules reach
// them without the map.
template <typename Storage> class BankedRegisters {
public:
    explicit BankedRegisters(const mirel::parts::RegisterMap& map) : map_(map) {}

    const mirel::parts::RegisterMap& map() const { return map_; }
    // The register a banked address (0 to 511) leads to; -1 for none.
    int home(int address) const {
        return address >= 0 && address < mirel::parts::bankedCount
                   ? map_.home[static_cast<std::size_t>(address)]
                   : -1;
    }

    // Where the part has no register the address reads 0 and keeps nothing.
    int read(int address) const {
        const int h = home(address);
        return h < 0 ? 0 : readHome(h);
    }
    // An instruction's write to the register its operand addresses.
    void write(int address, int value) {
        const int h = home(address);
        if (h >= 0)
            static_cast<Storage&>(*this).storeAddressed(
                h, value & map_.bits[static_cast<std::size_t>(h)]);
    }
    // The register at home address `h`; bits it lacks read 0 and are written as 0.
    int readHome(int h) const {
        return storage().value(h) & map_.bits[static_cast<std::size_t>(h)];
    }
    void writeHome(int h, int value) {
        static_cast<Storage&>(*this).store(h, value & map_.bits[static_cast<std::size_t>(h)]);
    }
    // A storage that tells an operand's writes from the others defines its own.
    void storeAddressed(int h, int value) { static_cast<Storage&>(*this).store(h, value); }

    int status() const { return readHome(reg::STATUS); }
    int option() const { return readHome(reg::OPTION); }
    int intcon() const { return readHome(reg::INTCON); }
    // Register f of the bank that RP1:RP0 select.
    int direct(int f) const { return ((status() >> 5) & 3) * 128 + (f & 0x7F); }
    // What FSR points at, IRP selecting the upper two banks.
    int indirect() const { return ((status() & 0x80) << 1) | readHome(reg::FSR); }

private:
    const Storage& storage() const { return static_cast<const Storage&>(*this); }

    const mirel::parts::RegisterMap& map_;
};

} // namespace mirel::sim::part
