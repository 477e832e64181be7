; The set bits of a byte that changes every round, counted into 0x21.
        processor p16f84
        #include <p16f84.inc>
        __config _CP_OFF & _PWRTE_OFF & _WDT_OFF & _XT_OSC  ; no watchdog resets
        org     0
start   incf    0x30, f
        movf    0x30, w
        addlw   0xB6
        movwf   0x20            ; the byte: round + B6
        clrf    0x21
        movlw   8
        movwf   0x22            ; eight bits
next    rrf     0x20, f         ; next bit into C
        btfsc   STATUS, C
        incf    0x21, f
        decfsz  0x22, f
        goto    next
        goto    start
        end
