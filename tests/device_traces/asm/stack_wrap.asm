; Eight nested calls fill the eight-level stack; the returns unwind it.
; Then one RETURN too many: the device's stack pointer wraps and hands out
; the deepest return address again.  "last" records the deepest level,
; "back" each return.
        #include "part.inc"
        cblock  GPR
        last, back
        endc

level   macro   n, next
        movlw   n
        movwf   last
        call    next
        movlw   n
        movwf   back
        return
        endm

        org     0
        goto    main
        org     0x10
main    call    s1
        movlw   0xFF
        movwf   back
        return                  ; nothing pushed
idle    goto    idle

s1      level   1, s2
s2      level   2, s3
s3      level   3, s4
s4      level   4, s5
s5      level   5, s6
s6      level   6, s7
s7      level   7, s8
s8      movlw   8
        movwf   last
        movwf   back
        return
        end
