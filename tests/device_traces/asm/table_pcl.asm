; Writes to PCL: a RETLW lookup table reached by ADDWF PCL,F with PCLATH
; set, a computed GOTO whose table straddles the 256-word boundary at 200
; (PCLATH carried by hand, then MOVWF PCL), the same table entered without
; the carry (the jump stays in PCLATH's page), and INCF PCL,F.
        #include "part.inc"
        cblock  GPR
        i, acc, hits
        endc

        org     0
        goto    main

        org     0x10
main    clrf    acc
        clrf    i
        ; eight lookups through the table at 140
look    movlw   high tab_a
        movwf   PCLATH
        movf    i, W
        call    tab_a
        addwf   acc, F
        incf    i, F
        btfss   i, 3
        goto    look
        ; computed goto: W = low(tab_b) + i, PCLATH taking the carry
        clrf    i
jump    movlw   high tab_b
        movwf   PCLATH
        movf    i, W
        addlw   low tab_b
        btfsc   STATUS, C
        incf    PCLATH, F
        movwf   PCL
back    incf    i, F
        btfss   i, 3
        goto    jump
        ; the same table through ADDWF PCL,F with PCLATH not carried: the
        ; entries past 1FF are reached at 100 onwards instead
        clrf    PCLATH
        movlw   high tab_b
        movwf   PCLATH
        movlw   5
        call    tab_c
        movwf   acc
        ; INCF PCL,F skips the following word
        clrf    PCLATH
        movf    PCL, W
        incf    PCL, F
        movlw   0xEE            ; skipped
        movwf   hits
idle    goto    idle

        ; landing for the uncarried jump: 1FD + 5 wraps to 102
        org     0x100
        retlw   0xA0
        retlw   0xA1
        retlw   0xA2
        retlw   0xA3

        org     0x140
tab_a   addwf   PCL, F
        retlw   0x01
        retlw   0x02
        retlw   0x04
        retlw   0x08
        retlw   0x10
        retlw   0x20
        retlw   0x40
        retlw   0x80

        ; ADDWF PCL,F at 1FC: entries at 1FD..204
        org     0x1FC
tab_c   addwf   PCL, F
tab_b   goto    case0
        goto    case1
        goto    case2
        goto    case3
        goto    case4
        goto    case5
        goto    case6
        goto    case7

case0   movlw   0x30
        goto    done
case1   movlw   0x31
        goto    done
case2   movlw   0x32
        goto    done
case3   movlw   0x33
        goto    done
case4   movlw   0x34
        goto    done
case5   movlw   0x35
        goto    done
case6   movlw   0x36
        goto    done
case7   movlw   0x37
done    movwf   hits
        clrf    PCLATH
        goto    back
        end
