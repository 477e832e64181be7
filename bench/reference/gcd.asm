; Greatest common divisor by subtracting the smaller from the larger until
; both are equal, in 0x20 and 0x21.
        processor p16f84
        #include <p16f84.inc>
        __config _CP_OFF & _PWRTE_OFF & _WDT_OFF & _XT_OSC  ; no watchdog resets
        org     0
start   incf    0x30, f
        movf    0x30, w
        addlw   0xBF
        movwf   0x20            ; a: round + BF
        btfsc   STATUS, Z       ; a is 0: no answer, next round
        goto    start
        movf    0x30, w
        addlw   0x47
        movwf   0x21            ; b: round + 47
        btfsc   STATUS, Z
        goto    start
again   movf    0x21, w
        subwf   0x20, w         ; a - b
        btfsc   STATUS, Z
        goto    done            ; equal: done
        btfsc   STATUS, C
        goto    smaller         ; a > b
        movf    0x20, w         ; a < b: b = b - a
        subwf   0x21, f
        goto    again
smaller movwf   0x20            ; a = a - b
        goto    again
done    goto    start
        end
