; Program pages of the 8K-word part: CALL and GOTO take PCLATH<4:3> for
; bits 12:11, RETURN brings back the whole address while PCLATH keeps its
; page, straight-line code runs on from 7FF into 800, and a lookup table
; sits in the last page.
        #include "part.inc"
        cblock  GPR
        got, seen
        endc

        org     0
        goto    main

        org     0x10
main    movlw   high sub1
        movwf   PCLATH
        call    sub1            ; 0810
        movwf   got
        movlw   high sub2
        movwf   PCLATH
        call    sub2            ; 1010
        movwf   got
        movlw   high sub3
        movwf   PCLATH
        call    sub3            ; 1810
        movwf   got
        ; PCLATH still names page 3: this GOTO lands there, not at 0020
        goto    low_pad
        org     0x20
low_pad movlw   0xBB            ; reached only with PCLATH clear
        movwf   seen
        clrf    PCLATH
        goto    edge

        org     0x7FC
edge    movlw   0x01
        movwf   seen
        incf    seen, F         ; 7FE
        incf    seen, F         ; 7FF: the next word is 800
        org     0x800
        incf    seen, F
        movlw   high table
        movwf   PCLATH
        movlw   2
        call    table
        movwf   got
        movlw   high idle
        movwf   PCLATH
        goto    idle

        org     0x810
sub1    retlw   0x11

        org     0x1010
sub2    movlw   high sub1       ; a call from page 2 into page 1
        movwf   PCLATH
        call    sub1
        movlw   0x22
        return

        org     0x1810
sub3    retlw   0x33

        org     0x1820
        movlw   0xCC            ; where the GOTO low_pad lands
        movwf   seen
        clrf    PCLATH
        goto    edge

        org     0x1F00
table   addwf   PCL, F
        retlw   0xD0
        retlw   0xD1
        retlw   0xD2
        retlw   0xD3

idle    goto    idle
        end
