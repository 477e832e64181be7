; 8 / 8 bits by shift and subtract: 0x20 / 0x21 gives 0x22, remainder 0x23.
        processor p16f84
        #include <p16f84.inc>
        __config _CP_OFF & _PWRTE_OFF & _WDT_OFF & _XT_OSC  ; no watchdog resets
        org     0
start   incf    0x30, f
        movf    0x30, w
        addlw   0xC7
        movwf   0x20            ; dividend: round + C7
        movf    0x30, w
        addlw   0x06
        movwf   0x21            ; divisor: round + 6
        clrf    0x22
        clrf    0x23
        movlw   8
        movwf   0x24            ; eight bits
next    bcf     STATUS, C
        rlf     0x20, f         ; the dividend's top bit
        rlf     0x23, f         ; into the remainder
        movf    0x21, w
        subwf   0x23, w         ; remainder - divisor; C: no borrow
        btfsc   STATUS, C
        movwf   0x23            ; it went: keep the difference
        rlf     0x22, f         ; C is the quotient bit
        decfsz  0x24, f
        goto    next
        goto    start
        end
