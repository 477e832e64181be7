; A byte to decimal digits by subtracting hundreds and tens: 0x22 holds the
; hundreds, 0x23 the tens and ones as two BCD digits.
        processor p16f84
        #include <p16f84.inc>
        __config _CP_OFF & _PWRTE_OFF & _WDT_OFF & _XT_OSC  ; no watchdog resets
        org     0
start   incf    0x30, f
        movf    0x30, w
        addlw   0xF2
        movwf   0x20            ; the byte: round + F2
        clrf    0x22
        clrf    0x23
hundred movlw   0x64
        subwf   0x20, w         ; byte - 100
        btfss   STATUS, C       ; no borrow: take 100 off
        goto    tens
        movwf   0x20
        incf    0x22, f
        goto    hundred
tens    movlw   0x0A
        subwf   0x20, w         ; byte - 10
        btfss   STATUS, C       ; no borrow: take 10 off
        goto    pack
        movwf   0x20
        incf    0x23, f
        goto    tens
pack    swapf   0x23, w         ; tens into the high digit
        iorwf   0x20, w         ; ones into the low digit
        movwf   0x23
        goto    start
        end
