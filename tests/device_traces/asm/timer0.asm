; Timer0 on the instruction clock.  At power-on T0CS is set, so TMR0 counts
; nothing; then for each prescaler setting (1:2 to 1:256, then none) TMR0
; is loaded close to its end and the program waits for T0IF.  Writing TMR0
; clears the prescaler, so each wait starts from a known count.
        #include "part.inc"
        cblock  GPR
        seen
        endc

wait0   macro   opt, start
        bsf     STATUS, RP0
        movlw   opt
        movwf   OPTION_REG
        bcf     STATUS, RP0
        movlw   start
        movwf   TMR0
        bcf     INTCON, T0IF
        btfss   INTCON, T0IF
        goto    $-1
        movf    TMR0, W
        movwf   seen
        endm

        org     0
        nop                     ; T0CS set: TMR0 stays
        nop
        movf    TMR0, W
        ; T0CS clear, prescaler to Timer0 (PSA 0), PS 000 to 111
        wait0   0xC0, 0x9C      ; 1:2   100 counts
        wait0   0xC1, 0xCE      ; 1:4    50
        wait0   0xC2, 0xE7      ; 1:8    25
        wait0   0xC3, 0xF3      ; 1:16   13
        wait0   0xC4, 0xF9      ; 1:32    7
        wait0   0xC5, 0xFD      ; 1:64    3
        wait0   0xC6, 0xFE      ; 1:128   2
        wait0   0xC7, 0xFF      ; 1:256   1
        wait0   0xC8, 0x38      ; PSA 1: no prescaler, 200 counts
        ; T0IF stays set until cleared; T0CS set again stops the count
        bsf     STATUS, RP0
        movlw   0xE8
        movwf   OPTION_REG
        bcf     STATUS, RP0
        movf    TMR0, W
        nop
        movf    TMR0, W
idle    goto    idle
        end
