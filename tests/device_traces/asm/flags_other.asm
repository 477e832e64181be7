; Z, DC and C of the logic, one-operand, clear and move instructions over
; the operands 00, 01, 0F, 10, 7F, 80 and FF, and of instructions whose
; destination is STATUS itself.
        #include "part.inc"
        #include "flags.inc"

; the skipping forms, with a NOP to skip
incfsz_ macro   f, d
        incfsz  f, d
        nop
        endm

decfsz_ macro   f, d
        decfsz  f, d
        nop
        endm

        org     0
        ; logic: a spread of pairs, result to t
        wf      andwf, 0x0F, 0xF0, F
        wf      andwf, 0xFF, 0x80, F
        wf      andwf, 0x00, 0xFF, F
        wf      iorwf, 0x00, 0x00, F
        wf      iorwf, 0x0F, 0xF0, F
        wf      iorwf, 0x80, 0x00, F
        wf      xorwf, 0xFF, 0xFF, F
        wf      xorwf, 0x0F, 0xFF, F
        wf      xorwf, 0x01, 0x00, F
        lw      andlw, 0xF0, 0x0F
        lw      andlw, 0xFF, 0x81
        lw      iorlw, 0x00, 0x00
        lw      iorlw, 0x10, 0x01
        lw      xorlw, 0x7F, 0x7F
        lw      xorlw, 0x80, 0x7F
        ; one-operand instructions, to t and to W
        singles incf, F
        singles decf, W
        singles comf, F
        singles rlf, F
        singles rrf, W
        singles swapf, F
        singles movf, W
        singles movf, F
        singles incfsz_, F
        singles decfsz_, W
        ; CLRF, CLRW and MOVWF from both presets
        preset
        movlw   0x55
        movwf   t
        clrf    t
        preset
        clrf    t
        preset
        movlw   0x33
        clrw
        preset
        movlw   0x00
        clrw
        preset
        movlw   0x00
        movwf   t
        preset
        movlw   0x80
        movwf   t
        ; STATUS itself as the destination: an instruction that sets Z, DC
        ; or C writes the other bits only.  Each case ends with MOVWF STATUS
        ; so that its outcome shows on one step only.
stat    macro   op, k
        preset
        movlw   k
        op      STATUS, F
        movwf   STATUS
        endm

        preset
        clrf    STATUS
        movwf   STATUS
        stat    incf, 0x00
        stat    incf, 0x00
        stat    decf, 0x00
        stat    decf, 0x00
        stat    addwf, 0x01
        stat    addwf, 0xF9
        stat    subwf, 0x01
        stat    subwf, 0x20
        stat    swapf, 0x00
        stat    swapf, 0x00
        stat    comf, 0x00
        stat    comf, 0x00
        stat    xorwf, 0x07
        stat    xorwf, 0x07
        stat    andwf, 0x03
        stat    andwf, 0x03
        stat    iorwf, 0x05
        stat    iorwf, 0x05
        stat    movf, 0x00
        stat    movf, 0x00
        stat    rlf, 0x00
        stat    rrf, 0x00
        ; bit instructions write STATUS like any register
        movlw   0x00
        movwf   STATUS
        bsf     STATUS, C
        bsf     STATUS, DC
        bsf     STATUS, Z
        btfsc   STATUS, Z
        bcf     STATUS, C
        btfss   STATUS, C
        bcf     STATUS, DC
        movlw   0x00
        movwf   STATUS          ; TO and PD cannot be written
done    goto    done
        end
