#pragma once

#include "device/register_map.h"

namespace mirel::sim::device {

namespace reg = mirel::device::reg;

// What a part's rules make of its register file, whichever storage holds
// it: `Storage` reads a banked address (read), this gives the addresses the
// bank bits select and the registers the rules look at on every step.
template <typename Storage> class BankedRegisters {
public:
    explicit BankedRegisters(const mirel::device::RegisterMap& map) : map_(map) {}

    const mirel::device::RegisterMap& map() const { return map_; }
    // The register a banked address (0 to 511) leads to; -1 for none.
    int home(int address) const {
        return address >= 0 && address < mirel::device::bankedCount
                   ? map_.home[static_cast<std::size_t>(address)]
                   : -1;
    }

    int status() const { return storage().read(reg::STATUS); }
    int option() const { return storage().read(reg::OPTION); }
    int intcon() const { return storage().read(reg::INTCON); }
    // Register f of the bank that RP1:RP0 select.
    int direct(int f) const { return ((status() >> 5) & 3) * 128 + (f & 0x7F); }
    // What FSR points at, IRP selecting the upper two banks.
    int indirect() const { return ((status() & 0x80) << 1) | storage().read(reg::FSR); }

private:
    const Storage& storage() const { return static_cast<const Storage&>(*this); }

    const mirel::device::RegisterMap& map_;
};

} // namespace mirel::sim::device
