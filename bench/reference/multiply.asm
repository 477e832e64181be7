; 8 x 8 bits by shift and add: 0x20 times 0x21 into 0x24 (high) and 0x25 (low).
        processor p16f84
        #include <p16f84.inc>
        __config _CP_OFF & _PWRTE_OFF & _WDT_OFF & _XT_OSC  ; no watchdog resets
        org     0
start   incf    0x30, f         ; next round
        movf    0x30, w
        addlw   0x0C
        movwf   0x20            ; multiplicand: round + 0C
        xorlw   0xA5
        movwf   0x21            ; multiplier: multiplicand XOR A5
        clrf    0x24
        clrf    0x25
        movlw   8
        movwf   0x22            ; eight bits
        movf    0x20, w
next    rrf     0x21, f         ; next multiplier bit into C
        btfsc   STATUS, C
        addwf   0x24, f         ; bit set: add the multiplicand to the high byte
        rrf     0x24, f         ; the product moves right, the carry into its top
        rrf     0x25, f
        decfsz  0x22, f
        goto    next
        goto    start
        end
