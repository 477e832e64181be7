; The Timer0 interrupt: with GIE and T0IE set, an overflow pushes the PC,
; clears GIE and jumps to 0004; RETFIE returns and sets GIE again.  The
; handler saves W and STATUS, counts in "ticks" and reloads TMR0.  Some
; overflows land inside a subroutine.  After six, GIE is cleared: T0IF
; still sets but nothing is taken until GIE is set again.
        #include "part.inc"
        cblock  GPR
        w_save, s_save, ticks, count
        endc

        org     0
        goto    main

        org     4
        movwf   w_save
        swapf   STATUS, W
        movwf   s_save
        bcf     INTCON, T0IF
        incf    ticks, F
        movlw   0xE0            ; next overflow in 32 counts
        movwf   TMR0
        swapf   s_save, W
        movwf   STATUS
        swapf   w_save, F
        swapf   w_save, W
        retfie

main    bsf     STATUS, RP0
        movlw   0xC1            ; internal clock, prescaler 1:4
        movwf   OPTION_REG
        bcf     STATUS, RP0
        movlw   0xE0
        movwf   TMR0
        movlw   (1 << GIE) | (1 << T0IE)
        movwf   INTCON
loop    incf    count, F
        call    sub
        movf    ticks, W
        sublw   5               ; C clear once ticks > 5
        btfsc   STATUS, C
        goto    loop
        ; GIE clear: the flag sets, no vector
        bcf     INTCON, GIE
poll    btfss   INTCON, T0IF
        goto    poll
        movlw   0x5A
        bsf     INTCON, GIE     ; T0IF still set: taken at once
        movwf   count
idle    goto    idle

sub     nop
        nop
        nop
        return
        end
