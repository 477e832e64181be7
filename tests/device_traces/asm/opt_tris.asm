; The OPTION and TRIS instructions load OPTION and TRISA/TRISB from W;
; the values are read back through bank 1.
        #include "part.inc"
        cblock  GPR
        r_opt, r_tra, r_trb
        endc

        org     0
        movlw   0xA3            ; pull-ups stay off: floating pins stay put
        option
        movlw   0x0A
        tris    PORTA
        movlw   0x5C
        tris    PORTB
        bsf     STATUS, RP0
        movf    OPTION_REG, W
        bcf     STATUS, RP0
        movwf   r_opt
        bsf     STATUS, RP0
        movf    TRISA, W
        bcf     STATUS, RP0
        movwf   r_tra
        bsf     STATUS, RP0
        movf    TRISB, W
        bcf     STATUS, RP0
        movwf   r_trb
        movlw   0xFF
        option
        tris    PORTA
        tris    PORTB
idle    goto    idle
        end
