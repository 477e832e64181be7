; Counts 0x20 up while 0x21 counts down to zero, then starts over.
        processor p16f84
        #include <p16f84.inc>
        __config _CP_OFF & _PWRTE_OFF & _WDT_OFF & _XT_OSC  ; no watchdog resets
        org     0
start   clrf    0x20
again   incf    0x20, f
        decfsz  0x21, f
        goto    again
        goto    start
        end
