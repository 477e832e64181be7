; Unprogrammed words: the program starts at 0000, runs on into the gap left
; before its next org (the erased word 3FFF is ADDLW FF), then jumps to
; the last words of program memory, runs off the end and wraps to 0000.
; Built with FILL defined, the gap and the end are programmed with 3FFF,
; which is what the device holds there when erased.
        #include "part.inc"
        cblock  GPR
        got, laps
        endc

        #ifdef __16F84A
last    equ     0x3FF
        #endif
        #ifdef __16F628A
last    equ     0x7FF
        #endif
        #ifdef __16F877A
last    equ     0x1FFF
        #endif

        org     0
        movlw   0x10
        nop
        nop
        #ifdef FILL
        fill    0x3FFF, 0x10 - $
        #endif

        org     0x10
        movwf   got             ; 10 less 0D words of ADDLW FF: 03
        incf    laps, F
        movlw   high (last - 3)
        movwf   PCLATH
        goto    (last - 3) & 0x7FF

        #ifdef FILL
        org     last - 3
        fill    0x3FFF, 4
        #endif
        end
