; Z, DC and C of ADDWF, SUBWF, ADDLW and SUBLW over every pair of the
; operands 00, 01, 0F, 10, 7F, 80 and FF: carries and half carries, and
; borrows both ways.
        #include "part.inc"
        #include "flags.inc"

        org     0
        pairs   wf, addwf, W
        pairs   wf, subwf, W
        pairs   lwp, addlw, 0
        pairs   lwp, sublw, 0
done    goto    done
        end
