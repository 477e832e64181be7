; Interrupts from port B: INTF on an RB0 edge (rising, then falling after
; the handler flips INTEDG) and RBIF on a change of RB5, each taken through
; 0004 with GIE set; the handler reads PORTB to end the change condition.
; Then with GIE clear, a change of RB7 only sets RBIF, which the program
; polls.  The pin changes come from outside, at the steps marked in the
; trace.
        #include "part.inc"
        cblock  GPR
        w_save, s_save, ints, seen, pins
        endc

        org     0
        goto    main

        org     4
        movwf   w_save
        swapf   STATUS, W
        movwf   s_save
        incf    ints, F
        btfss   INTCON, INTF
        goto    not_int
        bcf     INTCON, INTF
        bsf     STATUS, RP0
        movlw   1 << INTEDG
        xorwf   OPTION_REG, F   ; the other edge next time
        bcf     STATUS, RP0
not_int btfss   INTCON, RBIF
        goto    leave
        movf    PORTB, W        ; ends the mismatch
        movwf   pins
        bcf     INTCON, RBIF
leave   swapf   s_save, W
        movwf   STATUS
        swapf   w_save, F
        swapf   w_save, W
        retfie

main    movf    PORTB, W
        movlw   (1 << GIE) | (1 << INTE) | (1 << RBIE)
        movwf   INTCON
wait4   movlw   4
        subwf   ints, W
        btfss   STATUS, C
        goto    wait4
        ; four taken: now poll with GIE clear
        bcf     INTCON, GIE
poll    btfss   INTCON, RBIF
        goto    poll
        movf    PORTB, W
        movwf   seen
        bcf     INTCON, RBIF
idle    goto    idle
        end
