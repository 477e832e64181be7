; 16-bit Fibonacci numbers, wrapping: 48 terms from 0 and 1, a in 0x20 (low)
; and 0x21, b in 0x22 (low) and 0x23.
        processor p16f84
        #include <p16f84.inc>
        __config _CP_OFF & _PWRTE_OFF & _WDT_OFF & _XT_OSC  ; no watchdog resets
        org     0
start   clrf    0x20
        clrf    0x21
        movlw   1
        movwf   0x22
        clrf    0x23
        movlw   0x30
        movwf   0x24            ; 48 terms
next    movf    0x22, w         ; keep b in 0x25 and 0x26
        movwf   0x25
        movf    0x23, w
        movwf   0x26
        movf    0x20, w         ; b = a + b
        addwf   0x22, f
        btfsc   STATUS, C
        incf    0x23, f         ; the carry
        movf    0x21, w
        addwf   0x23, f
        movf    0x25, w         ; a = the old b
        movwf   0x20
        movf    0x26, w
        movwf   0x21
        decfsz  0x24, f
        goto    next
        goto    start
        end
