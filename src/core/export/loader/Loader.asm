; SCREEN 2 tape loader.
;
; Loaded from tape together with the packed screen that follows it at START + 1F0H, and
; entered through BASIC's USR function. It switches to SCREEN 2 and fills the pattern
; generator table (VRAM 0000H) and the colour table (VRAM 2000H) from the packed screen;
; the name table is left as CHGMOD sets it up (0..255 in each third).
;
; The same source is assembled once per load address: pasmo --equ START=0C800H ...
; so the variants differ only in the high bytes of absolute addresses.
;
; Packed screen at START + 1F0H:
;   +0  flags: bit 0 = pattern block stored raw (1800H bytes), bit 1 = colour block raw
;   +1  word: offset of the pattern block counted from +1 (always 4)
;   +3  word: offset of the colour block counted from +1
;   +5  pattern block, then colour block
;
; Packed stream codes:
;   00H..7FH  literal: the next (code + 1) bytes
;   80H..BFH  byte run: the next byte (code AND 3FH) + 1 times
;   C0H..FEH  pair run: the next two bytes (code AND 3FH) + 1 times
;   FFH       end of the stream

; MSX BIOS entries
WRTVRM  EQU     004DH           ; A -> VRAM (HL)
LDIRVM  EQU     005CH           ; BC bytes RAM (HL) -> VRAM (DE)
CHGMOD  EQU     005FH           ; screen mode A
CHGCLR  EQU     0062H           ; colours from FORCLR, BAKCLR, BDRCLR
CLS     EQU     00C3H           ; clears the screen when Z is set
GTTRIG  EQU     00D8H           ; A = trigger number, returns A = 0FFH when pressed

; MSX work area
FORCLR  EQU     0F3E9H
BAKCLR  EQU     0F3EAH
BDRCLR  EQU     0F3EBH

TABLESIZE EQU   1800H
PATTERNVRAM EQU 0000H
COLORVRAM EQU   2000H

        ORG     START

; +000H: HL points to USR's argument area; an integer's low byte is two bytes on.
ENTRY:  INC     HL
        INC     HL
        LD      A,(HL)
        LD      (WAITFLAG),A
        JR      MAIN

; +008H
WAITFLAG:
        DB      0
        DB      0               ; spare

; +00AH: identification text, 38 bytes, never read
IDTEXT: DB      "Murelo 9918 SCREEN 2 tape loader v1.20"
        IF      $ - START NE 030H
        .ERROR  The identification text must end at +030H
        ENDIF

; +030H: main routine
MAIN:   LD      A,15
        LD      (FORCLR),A
        XOR     A
        LD      (BAKCLR),A
        LD      (BDRCLR),A
        CALL    CHGCLR
        LD      A,2
        CALL    CHGMOD
        CALL    CLEARSCREEN

        LD      A,(PACKED)
        BIT     0,A
        JR      Z,PATTERNPACKED
        LD      HL,PACKED + 5
        LD      DE,PATTERNVRAM
        CALL    COPYRAW
        JR      COLORBLOCK
PATTERNPACKED:
        LD      HL,(PACKED + 1)
        LD      DE,PACKED + 1
        ADD     HL,DE
        LD      DE,PATTERNVRAM
        CALL    UNPACK

COLORBLOCK:
        LD      HL,(PACKED + 3)
        LD      DE,PACKED + 1
        ADD     HL,DE
        LD      DE,COLORVRAM
        LD      A,(PACKED)
        BIT     1,A
        JR      Z,COLORPACKED
        CALL    COPYRAW
        JR      WAITKEY
COLORPACKED:
        CALL    UNPACK

; USR(0) returns at once; any other argument waits for the space bar or button 1.
WAITKEY:
        LD      A,(WAITFLAG)
        OR      A
        RET     Z
WAITLOOP:
        XOR     A               ; trigger 0: space bar
        CALL    GTTRIG
        OR      A
        RET     NZ
        LD      A,1             ; trigger 1: joystick 1 button 1
        CALL    GTTRIG
        OR      A
        RET     NZ
        JR      WAITLOOP

        IF      $ - START GT 0D0H
        .ERROR  The main routine must end by +0D0H
        ENDIF
        DS      START + 0D0H - $, 0

; +0D0H: decoders and BIOS wrappers

; Decodes the packed stream at HL into VRAM from DE up to its end code.
UNPACK: LD      A,(HL)
        INC     HL
        CP      0FFH
        RET     Z
        CP      80H
        JR      C,LITERAL
        CP      0C0H
        JR      C,BYTERUN
; pair run
        AND     3FH
        INC     A
        LD      B,A
        LD      C,(HL)          ; first byte of the pair
        INC     HL
PAIRLOOP:
        LD      A,C
        CALL    PUTVRAM
        LD      A,(HL)
        CALL    PUTVRAM
        DJNZ    PAIRLOOP
        INC     HL
        JR      UNPACK

BYTERUN:
        AND     3FH
        INC     A
        LD      B,A
        LD      A,(HL)
        INC     HL
BYTELOOP:
        CALL    PUTVRAM
        DJNZ    BYTELOOP
        JR      UNPACK

LITERAL:
        INC     A               ; 1..128 bytes
        LD      B,A
LITERALLOOP:
        LD      A,(HL)
        INC     HL
        CALL    PUTVRAM
        DJNZ    LITERALLOOP
        JR      UNPACK

; Writes A to VRAM at DE and moves DE on; every other register is kept.
PUTVRAM:
        PUSH    AF
        PUSH    BC
        PUSH    DE
        PUSH    HL
        EX      DE,HL
        CALL    WRTVRM
        POP     HL
        POP     DE
        POP     BC
        POP     AF
        INC     DE
        RET

; Copies one raw table from HL to VRAM at DE.
COPYRAW:
        LD      BC,TABLESIZE
        JP      LDIRVM

; CLS wants the Z flag set; the caller's AF, BC and DE survive it.
CLEARSCREEN:
        PUSH    AF
        PUSH    BC
        PUSH    DE
        XOR     A
        CALL    CLS
        POP     DE
        POP     BC
        POP     AF
        RET

        IF      $ - START GT 1EEH
        .ERROR  The decoders must end by +1EEH
        ENDIF
        DS      START + 1EEH - $, 0

; +1EEH
        DW      0

; +1F0H: the packed screen follows on the tape.
PACKED  EQU     START + 1F0H
