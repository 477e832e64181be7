; Register banks: the bank bits select the page, the core registers read
; the same from every bank, FSR/INDF reach any register (IRP for banks 2
; and 3), INDF through FSR 00 reads 00 and writes nothing.  On the 84A the
; bank 1 general registers are bank 0's; on the 628A and 877A the last 16
; of each bank are one set, and TMR0, PORTB, OPTION and TRISB appear again
; in banks 2 and 3.
        #include "part.inc"
        cblock  GPR
        a0, a1, a2, a3, a4, a5, a6, a7, got
        endc

        org     0
        ; core registers through bank 1
        bsf     STATUS, RP0
        movlw   0x03
        movwf   PCLATH          ; 8A
        movlw   a0
        movwf   FSR             ; 84
        movlw   0x20            ; T0IE only: no flag to take it
        movwf   INTCON          ; 8B
        bcf     STATUS, RP0
        movf    PCLATH, W
        movwf   got
        movf    FSR, W
        movf    INTCON, W
        clrf    INTCON
        clrf    PCLATH
        ; indirect: fill a0..a7 with 80..87, then read back a3
        movlw   8
        movwf   got
        movlw   a0
        movwf   FSR
        movlw   0x80
fillin  movwf   INDF
        incf    FSR, F
        addlw   1
        decfsz  got, F
        goto    fillin
        movlw   a3
        movwf   FSR
        movf    INDF, W
        movwf   got
        ; INDF through FSR 00
        clrf    FSR
        movf    INDF, W
        movlw   0x55
        movwf   INDF
        ; FSR at STATUS: indirect write to STATUS; FSR at OPTION (81)
        movlw   STATUS
        movwf   FSR
        movlw   0x01            ; C set through INDF
        movwf   INDF
        movlw   0x81
        movwf   FSR
        movf    INDF, W
        movwf   got
        movlw   0xFE
        movwf   INDF            ; OPTION = FE by indirection
        #ifdef __16F84A
        ; bank 1 general registers are bank 0's
        bsf     STATUS, RP0
        movlw   0x8C
        movwf   0x8C & 0x7F     ; 8C
        movf    0x0D, W         ; 8D = 0D
        bcf     STATUS, RP0
        movf    0x0C, W
        movwf   got
        movlw   0x8E
        movwf   FSR
        movlw   0x77
        movwf   INDF            ; 8E by indirection lands in 0E
        movf    0x0E, W
        ; 50-7F hold nothing
        movlw   0x99
        movwf   0x50
        movf    0x50, W
        #else
        ; 70-7F: one set of registers for all four banks
        movlw   0x70
        movwf   0x70
        bsf     STATUS, RP0
        movf    0x70, W         ; F0
        movlw   0xF5
        movwf   0x75            ; F5 = 75
        bsf     STATUS, RP1
        movf    0x75, W         ; 1F5
        movlw   0xAA
        movwf   0x7F            ; 1FF
        bcf     STATUS, RP0
        movf    0x7F, W         ; 17F
        ; bank 2 mirrors of TMR0 and PORTB, bank 3 of OPTION and TRISB
        movf    0x01, W         ; 101 = TMR0
        movf    0x06, W         ; 106 = PORTB
        bsf     STATUS, RP0
        movf    0x01, W         ; 181 = OPTION
        movlw   0xF0
        movwf   0x06            ; 186 = TRISB
        ; general registers of banks 1 and 2 are their own
        bcf     STATUS, RP1
        movlw   0xA0
        movwf   0x20            ; A0
        bcf     STATUS, RP0
        bsf     STATUS, RP1
        movlw   0x12
        movwf   0x20            ; 120
        bcf     STATUS, RP1
        movf    0x20, W         ; 20 kept its value
        ; IRP: FSR 20 with IRP set is 120
        bsf     STATUS, IRP
        movlw   0x20
        movwf   FSR
        movf    INDF, W
        incf    INDF, F
        bcf     STATUS, IRP
        movf    INDF, W         ; 20 again
        #endif
idle    goto    idle
        end
