; Power-on values: copies STATUS, OPTION, TRISA, TRISB, INTCON and PCLATH
; into general registers through W, then idles.
        #include "part.inc"
        cblock  GPR
        s_status, s_option, s_trisa, s_trisb, s_intcon, s_pclath, s_pcl
        endc

        org     0
        movf    STATUS, W
        movwf   s_status
        bsf     STATUS, RP0
        movf    OPTION_REG, W
        movwf   s_option        ; bank 1 register: on the 84A the same as bank 0
        movf    TRISA, W
        movwf   s_trisa
        movf    TRISB, W
        movwf   s_trisb
        bcf     STATUS, RP0
        movf    INTCON, W
        movwf   s_intcon
        movf    PCLATH, W
        movwf   s_pclath
        movf    PCL, W          ; the low byte of the next address
        movwf   s_pcl
        movf    TMR0, W         ; Timer0 counts nothing: T0CS is set
        movf    TMR0, W
        clrw
idle    goto    idle
        end
