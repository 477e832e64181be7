; SLEEP and wake-up.  SLEEP clears PD and sets TO, and the clock stops:
; TMR0 does not count while asleep.  First, with GIE clear and INTE set, a
; rising RB0 edge wakes the device, which goes on after the SLEEP without
; a jump to 0004.  Then with GIE set, the next edge wakes it; it runs the
; word after the SLEEP, then takes the interrupt.  A falling edge in
; between sets nothing (INTEDG is 1).  Then a change of RB4 wakes it
; through RBIE, GIE clear.  Last, a SLEEP with no source enabled never
; ends.  The pin changes come from outside, at the steps marked in the
; trace.
        #include "part.inc"
        cblock  GPR
        woke, ints
        endc

        org     0
        goto    main

        org     4
        incf    ints, F
        bcf     INTCON, INTF
        retfie

main    bsf     STATUS, RP0
        movlw   0xC0            ; Timer0 on the instruction clock
        movwf   OPTION_REG
        bcf     STATUS, RP0
        movf    PORTB, W
        clrf    INTCON
        bsf     INTCON, INTE
        sleep                   ; RB0 rises
        movlw   1
        movwf   woke
        bcf     INTCON, INTF
        bsf     INTCON, GIE
        sleep                   ; RB0 falls, then rises
        movlw   2
        movwf   woke
        movf    PORTB, W
        movlw   1 << RBIE
        movwf   INTCON
        sleep                   ; RB4 rises
        movlw   3
        movwf   woke
        clrf    INTCON
        sleep                   ; for good
        movlw   0xFF
        movwf   woke
        end
