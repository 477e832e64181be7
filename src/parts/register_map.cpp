// The register files of the three parts, from their data sheets' register
// file maps and reset tables. Registers of peripherals that are not simulated
// (comparators, A/D, Timer1/2, CCP, serial ports, EEPROM, PORTC/D/E) are
// plain storage with their power-on values.
#include "register_map.h"

#include <algorithm>
#include <cctype>

namespace mirel::parts {

namespace {

class MapBuilder {
public:
    explicit MapBuilder(int programWords) {
        map_.home.fill(-1);
        map_.programWords = programWords;
    }

    // A register of its own at `address`.
    MapBuilder& reg(int address, std::string_view name, int powerOn = 0, int bits = 0xFF) {
        const auto at = static_cast<std::size_t>(address);
        map_.home[at] = static_cast<std::int16_t>(address);
        map_.bits[at] = static_cast<std::uint8_t>(bits);
        map_.powerOn[at] = static_cast<std::uint8_t>(powerOn & bits);
        map_.name[at] = name;
        return *this;
    }
    // `address` shows the register at `of`.
    MapBuilder& mirror(int address, int of) {
        const auto at = static_cast<std::size_t>(address);
        const auto from = static_cast<std::size_t>(of);
        map_.home[at] = map_.home[from];
        map_.bits[at] = map_.bits[from];
        map_.powerOn[at] = map_.powerOn[from];
        map_.name[at] = map_.name[from];
        return *this;
    }
    MapBuilder& general(int first, int last) {
        for (int a = first; a <= last; ++a)
            reg(a, "");
        return *this;
    }
    MapBuilder& mirrors(int first, int last, int of) {
        for (int a = first; a <= last; ++a)
            mirror(a, of + a - first);
        return *this;
    }
    // INDF, PCL, STATUS, FSR, PCLATH and INTCON in every bank, as bank 0's.
    MapBuilder& coreRegisters(int banks) {
        reg(reg::INDF, "INDF").reg(reg::PCL, "PCL").reg(reg::STATUS, "STATUS", 0x18);
        reg(reg::FSR, "FSR").reg(reg::PCLATH, "PCLATH", 0, 0x1F).reg(reg::INTCON, "INTCON");
        for (int bank = 1; bank < banks; ++bank)
            for (int a : {reg::INDF, reg::PCL, reg::STATUS, reg::FSR, reg::PCLATH, reg::INTCON})
                mirror(bank * 128 + a, a);
        return *this;
    }
    // 70-7F reached from every bank.
    MapBuilder& sharedTop() {
        for (int bank = 1; bank < 4; ++bank)
            mirrors(bank * 128 + 0x70, bank * 128 + 0x7F, 0x70);
        map_.sharedTop = true;
        return *this;
    }
    RegisterMap done() const {
        RegisterMap map = map_;
        for (int a = 0; a < bankedCount; ++a) {
            const int h = map.home[static_cast<std::size_t>(a)];
            if (h < 0)
                continue;
            auto& count = map.copyCount[static_cast<std::size_t>(h)];
            map.copies[static_cast<std::size_t>(h)][count++] = static_cast<std::int16_t>(a);
        }
        return map;
    }

private:
    RegisterMap map_;
};

// Two banks; the bank bit RP1 and the indirect bank bit IRP are not decoded,
// so banks 2 and 3 are banks 0 and 1 again. Bank 1's general registers are bank 0's.
RegisterMap f84a() {
    MapBuilder b(1024);
    b.coreRegisters(2);
    b.reg(reg::TMR0, "TMR0").reg(reg::PORTA, "PORTA", 0, 0x1F).reg(reg::PORTB, "PORTB");
    b.reg(0x08, "EEDATA").reg(0x09, "EEADR").general(0x0C, 0x4F);
    b.reg(reg::OPTION, "OPTION_REG", 0xFF).reg(reg::TRISA, "TRISA", 0xFF, 0x1F);
    b.reg(reg::TRISB, "TRISB", 0xFF).reg(0x88, "EECON1", 0, 0x1F).reg(0x89, "EECON2");
    b.mirrors(0x8C, 0xCF, 0x0C);
    for (int a = 0; a < 256; ++a)
        b.mirror(256 + a, a);
    return b.done();
}

RegisterMap f628a() {
    MapBuilder b(2048);
    b.coreRegisters(4);
    b.reg(reg::TMR0, "TMR0").reg(reg::PORTA, "PORTA").reg(reg::PORTB, "PORTB");
    b.reg(0x0C, "PIR1").reg(0x0E, "TMR1L").reg(0x0F, "TMR1H").reg(0x10, "T1CON");
    b.reg(0x11, "TMR2").reg(0x12, "T2CON").reg(0x15, "CCPR1L").reg(0x16, "CCPR1H");
    b.reg(0x17, "CCP1CON").reg(0x18, "RCSTA").reg(0x19, "TXREG").reg(0x1A, "RCREG");
    b.reg(0x1F, "CMCON").general(0x20, 0x7F);
    b.reg(reg::OPTION, "OPTION_REG", 0xFF).reg(reg::TRISA, "TRISA", 0xFF);
    b.reg(reg::TRISB, "TRISB", 0xFF).reg(0x8C, "PIE1").reg(0x8E, "PCON", 0x08);
    b.reg(0x92, "PR2", 0xFF).reg(0x98, "TXSTA", 0x02).reg(0x99, "SPBRG");
    b.reg(0x9A, "EEDATA").reg(0x9B, "EEADR").reg(0x9C, "EECON1").reg(0x9D, "EECON2");
    b.reg(0x9F, "VRCON").general(0xA0, 0xEF);
    b.mirror(0x101, reg::TMR0).mirror(0x106, reg::PORTB).general(0x120, 0x14F);
    b.mirror(0x181, reg::OPTION).mirror(0x186, reg::TRISB);
    b.sharedTop();
    return b.done();
}

RegisterMap f877a() {
    MapBuilder b(8192);
    b.coreRegisters(4);
    b.reg(reg::TMR0, "TMR0").reg(reg::PORTA, "PORTA", 0, 0x3F).reg(reg::PORTB, "PORTB");
    b.reg(0x07, "PORTC").reg(0x08, "PORTD").reg(0x09, "PORTE", 0, 0x07);
    b.reg(0x0C, "PIR1").reg(0x0D, "PIR2").reg(0x0E, "TMR1L").reg(0x0F, "TMR1H");
    b.reg(0x10, "T1CON").reg(0x11, "TMR2").reg(0x12, "T2CON").reg(0x13, "SSPBUF");
    b.reg(0x14, "SSPCON").reg(0x15, "CCPR1L").reg(0x16, "CCPR1H").reg(0x17, "CCP1CON");
    b.reg(0x18, "RCSTA").reg(0x19, "TXREG").reg(0x1A, "RCREG").reg(0x1B, "CCPR2L");
    b.reg(0x1C, "CCPR2H").reg(0x1D, "CCP2CON").reg(0x1E, "ADRESH").reg(0x1F, "ADCON0");
    b.general(0x20, 0x7F);
    b.reg(reg::OPTION, "OPTION_REG", 0xFF).reg(reg::TRISA, "TRISA", 0x3F, 0x3F);
    b.reg(reg::TRISB, "TRISB", 0xFF).reg(0x87, "TRISC", 0xFF).reg(0x88, "TRISD", 0xFF);
    b.reg(0x89, "TRISE", 0x07, 0xF7).reg(0x8C, "PIE1").reg(0x8D, "PIE2").reg(0x8E, "PCON");
    b.reg(0x91, "SSPCON2").reg(0x92, "PR2", 0xFF).reg(0x93, "SSPADD").reg(0x94, "SSPSTAT");
    b.reg(0x98, "TXSTA", 0x02).reg(0x99, "SPBRG").reg(0x9C, "CMCON", 0x07);
    b.reg(0x9D, "CVRCON").reg(0x9E, "ADRESL").reg(0x9F, "ADCON1").general(0xA0, 0xEF);
    b.mirror(0x101, reg::TMR0).mirror(0x106, reg::PORTB);
    b.reg(0x10C, "EEDATA").reg(0x10D, "EEADR").reg(0x10E, "EEDATH").reg(0x10F, "EEADRH");
    b.general(0x110, 0x16F);
    b.mirror(0x181, reg::OPTION).mirror(0x186, reg::TRISB);
    b.reg(0x18C, "EECON1").reg(0x18D, "EECON2").general(0x190, 0x1EF);
    b.sharedTop();
    return b.done();
}

const RegisterMap mapF84A = f84a();
const RegisterMap mapF628A = f628a();
const RegisterMap mapF877A = f877a();

} // namespace

const RegisterMap* registerMap(Model model) {
    switch (model) {
    case Model::F84A:
        return &mapF84A;
    case Model::F628A:
        return &mapF628A;
    case Model::F877A:
        return &mapF877A;
    case Model::Teaching:
        break;
    }
    return nullptr;
}

int registerNamed(Model model, std::string_view name) {
    const RegisterMap* map = registerMap(model == Model::Teaching ? Model::F84A : model);
    const auto same = [name](std::string_view known) {
        return known.size() == name.size() &&
               std::equal(known.begin(), known.end(), name.begin(), [](char a, char b) {
                   return std::toupper(static_cast<unsigned char>(a)) ==
                          std::toupper(static_cast<unsigned char>(b));
               });
    };
    for (int i = 0; map && !name.empty() && i < bankedCount; ++i)
        if (same(map->name[static_cast<std::size_t>(i)]))
            return i;
    return -1;
}

} // namespace mirel::parts
